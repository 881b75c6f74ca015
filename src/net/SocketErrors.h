// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <string>
#include <string_view>

// Socket errors are reported with the classic Windows Sockets numbers and
// texts, which users of the server quote in help channels; the platform's
// errno values are mapped onto them.
namespace SocketErrors {

constexpr int kWouldBlock = 10035;
constexpr int kConnReset = 10054;
constexpr int kConnRefused = 10061;
constexpr int kHostNotFound = 11001;
constexpr int kNoData = 11004;

// The description of a code ("WSAECONNRESET: ..."), or "Unknown error #%d".
std::string Describe(int code);
// The console line "%s %d %s\n"; a text of 100 characters or more stands alone.
std::string FormatLine(std::string_view text, int code);
// The Windows Sockets code for an errno value (0 stays 0).
int FromErrno(int error);
// The code for a getaddrinfo() failure.
int FromLookupError(int gaiError);

}  // namespace SocketErrors
