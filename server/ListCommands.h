// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <string_view>

class ClientSession;
class ServerCore;

// The person lists a user keeps (PersonLists), rows of CommandTable: "+list
// <name>" adds, "-list <name>" removes and "=list" shows, for the lists
// notify (datagram 68 on each change), noplay (refuses challenges and seeks
// taken) and censor (silences the person's tells, channel lines and shouts).
class ListCommands {
  public:
    static void AddNotify(ServerCore& core, ClientSession& session, std::string_view args);
    static void RemoveNotify(ServerCore& core, ClientSession& session, std::string_view args);
    static void ShowNotify(ServerCore& core, ClientSession& session, std::string_view args);
    static void AddNoplay(ServerCore& core, ClientSession& session, std::string_view args);
    static void RemoveNoplay(ServerCore& core, ClientSession& session, std::string_view args);
    static void ShowNoplay(ServerCore& core, ClientSession& session, std::string_view args);
    static void AddCensor(ServerCore& core, ClientSession& session, std::string_view args);
    static void RemoveCensor(ServerCore& core, ClientSession& session, std::string_view args);
    static void ShowCensor(ServerCore& core, ClientSession& session, std::string_view args);
};
