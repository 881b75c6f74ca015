// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <string_view>

class ClientSession;
class ServerCore;

// The talking commands of the test server, rows of CommandTable: personal
// and channel tells, the four kinds of shout, channel membership, quoted
// tells and info lines. A listener that censors the speaker hears none of it. Each reaches a
// listener as the text datagram it asked for (28, 31, 32, 77, 82, 83), or else as the text a person
// would read.
class ChatCommands {
  public:
    static void Tell(ServerCore& core, ClientSession& session, std::string_view args);
    // A tell without the "(told ...)" line, as the client's chat consoles send it.
    static void XTell(ServerCore& core, ClientSession& session, std::string_view args);
    static void Shout(ServerCore& core, ClientSession& session, std::string_view args);
    static void IShout(ServerCore& core, ClientSession& session, std::string_view args);
    static void SShout(ServerCore& core, ClientSession& session, std::string_view args);
    static void Announce(ServerCore& core, ClientSession& session, std::string_view args);
    static void JoinChannel(ServerCore& core, ClientSession& session, std::string_view args);
    static void LeaveChannel(ServerCore& core, ClientSession& session, std::string_view args);
    // "Minus channel <n>": leaves quietly.
    static void MinusChannel(ServerCore& core, ClientSession& session, std::string_view args);
    static void QTell(ServerCore& core, ClientSession& session, std::string_view args);
    static void Info(ServerCore& core, ClientSession& session, std::string_view args);

    // Channels are numbered 0 to kMaxChannel.
    static constexpr int kMaxChannel = 999;
};
