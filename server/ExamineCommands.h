// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <string_view>

class ClientSession;
class ServerCore;

// The commands of an examined game: starting and leaving it, going back and
// forward, marks on the board, loading a position, names, result and tags,
// and keeping the game. Rows of CommandTable; the work is GameRoom's.
class ExamineCommands {
  public:
    static void Examine(ServerCore& core, ClientSession& session, std::string_view args);
    static void Unexamine(ServerCore& core, ClientSession& session, std::string_view args);
    static void Back(ServerCore& core, ClientSession& session, std::string_view args);
    static void Forward(ServerCore& core, ClientSession& session, std::string_view args);
    static void Circle(ServerCore& core, ClientSession& session, std::string_view args);
    static void Uncircle(ServerCore& core, ClientSession& session, std::string_view args);
    static void Arrow(ServerCore& core, ClientSession& session, std::string_view args);
    static void Unarrow(ServerCore& core, ClientSession& session, std::string_view args);
    static void Loadfen(ServerCore& core, ClientSession& session, std::string_view args);
    static void SetWhiteName(ServerCore& core, ClientSession& session, std::string_view args);
    static void SetBlackName(ServerCore& core, ClientSession& session, std::string_view args);
    static void Result(ServerCore& core, ClientSession& session, std::string_view args);
    static void Tag(ServerCore& core, ClientSession& session, std::string_view args);
    static void Libkeepexam(ServerCore& core, ClientSession& session, std::string_view args);
};
