// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <string>
#include <string_view>

class ClientSession;
class ServerCore;

// Challenges between two logged-in players, rows of CommandTable: "match"
// sends datagram 29 to both, and "unmatch", "decline" and "accept" end the
// challenge with datagram 30 to both (or text to those who do not want the
// datagrams). Games are not played yet: "accept" only ends the challenge.
class MatchCommands {
  public:
    static void Match(ServerCore& core, ClientSession& session, std::string_view args);
    static void Unmatch(ServerCore& core, ClientSession& session, std::string_view args);
    static void Decline(ServerCore& core, ClientSession& session, std::string_view args);
    static void Accept(ServerCore& core, ClientSession& session, std::string_view args);

    // Ends every challenge from or to `handle`, telling the parties `why`.
    static void EndChallengesOf(ServerCore& core, std::string_view handle, const std::string& why);
};
