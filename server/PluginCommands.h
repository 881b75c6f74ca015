// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <string_view>

class ClientSession;
class ServerCore;

// The client's request to approve one of its plug-ins. This server approves
// every plug-in whose program digest is 32 hexadecimal digits; a real server
// would look the digest up in its own list.
class PluginCommands {
  public:
    // Arguments: <plug-in index> <digest> "<name>" <declared number>; the
    // answer is datagram 122 with the index and the digest (approved) or
    // "unknown" (refused).
    static void AuthenticatePlugin(ServerCore& core, ClientSession& session, std::string_view args);
    static bool Approves(std::string_view digest);
};
