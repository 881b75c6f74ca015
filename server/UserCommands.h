// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <string_view>

class ClientSession;
class ServerCore;

// The commands about a user's own account and client, rows of CommandTable:
// variables (datagrams 47, 48), registration (114), game text (86),
// suggestions (63, 91, 99) and redirection (120).
class UserCommands {
  public:
    static void Set(ServerCore& core, ClientSession& session, std::string_view args);
    static void SetQuietly(ServerCore& core, ClientSession& session, std::string_view args);
    static void Register(ServerCore& core, ClientSession& session, std::string_view args);
    static void SaveGame(ServerCore& core, ClientSession& session, std::string_view args);
    static void Suggest(ServerCore& core, ClientSession& session, std::string_view args);
    static void Unsuggest(ServerCore& core, ClientSession& session, std::string_view args);
    static void Redirect(ServerCore& core, ClientSession& session, std::string_view args);
};
