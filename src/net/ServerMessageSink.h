// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <memory>

#include "net/ServerMessage.h"

// A window that wants server messages. The dispatcher offers each message to
// the sinks in turn; a sink that returns non-zero has consumed it and may move
// it out of `message` to keep it. A sink that returns 0 must leave it alone.
class IServerMessageSink {
  public:
    virtual ~IServerMessageSink() = default;
    virtual int Receive(std::unique_ptr<CServerMessage>& message) = 0;
};
