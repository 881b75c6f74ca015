// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <string_view>

class ClientSession;
class ServerCore;

// The commands about a person, rows of CommandTable, as the client's person
// popup sends them: "finger", "vars", "ping", "assess", "history",
// "liblist", "stored" and "follow". A name is matched without regard to case
// against the people logged in, then the accounts; without a name most of
// them are about the user. They answer in text, in pages (the game lists may
// one day come as list datagrams as well; each list is built in one place
// for that reason).
class PersonCommands {
  public:
    static void Finger(ServerCore& core, ClientSession& session, std::string_view args);
    static void Vars(ServerCore& core, ClientSession& session, std::string_view args);
    static void Ping(ServerCore& core, ClientSession& session, std::string_view args);
    static void Assess(ServerCore& core, ClientSession& session, std::string_view args);
    static void History(ServerCore& core, ClientSession& session, std::string_view args);
    static void Liblist(ServerCore& core, ClientSession& session, std::string_view args);
    static void Stored(ServerCore& core, ClientSession& session, std::string_view args);
    // Finished games of a person, or of everybody.
    static void Search(ServerCore& core, ClientSession& session, std::string_view args);
    static void Follow(ServerCore& core, ClientSession& session, std::string_view args);

    // Games "history" shows at most.
    static constexpr size_t kHistoryShown = 10;
};
