// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <functional>
#include <memory>
#include <string>

class QObject;

// Asynchronous host-name lookup. The connection document uses the system
// resolver through Qt; tests substitute one that answers as they need.
class IHostResolver {
  public:
    // address: the first IPv4 address in dotted form; error: a Windows
    // Sockets code (0 on success).
    using Done = std::function<void(const std::string& address, int error)>;
    virtual ~IHostResolver() = default;
    // `done` runs later from the event loop, never inside Lookup, and never
    // after `context` is destroyed.
    virtual void Lookup(const std::string& host, QObject* context, Done done) = 0;
};

std::unique_ptr<IHostResolver> MakeSystemResolver();
