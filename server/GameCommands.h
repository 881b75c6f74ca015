// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <string_view>

class ClientSession;
class ServerCore;

// The commands of a played or observed game: moves typed as lines, offers,
// resign, flag, more time, observing, kibitz and whisper, choosing the
// current game among several, and a game's PGN. Rows of CommandTable; the
// work is GameRoom's.
class GameCommands {
  public:
    // A line that names no command: a move in the person's current game.
    // False when the person has no game or the line cannot be a move.
    static bool TryMove(ServerCore& core, ClientSession& session, std::string_view line);

    static void Draw(ServerCore& core, ClientSession& session, std::string_view args);
    static void Abort(ServerCore& core, ClientSession& session, std::string_view args);
    static void Adjourn(ServerCore& core, ClientSession& session, std::string_view args);
    static void Takeback(ServerCore& core, ClientSession& session, std::string_view args);
    static void Resign(ServerCore& core, ClientSession& session, std::string_view args);
    static void Flag(ServerCore& core, ClientSession& session, std::string_view args);
    static void Moretime(ServerCore& core, ClientSession& session, std::string_view args);
    static void Pending(ServerCore& core, ClientSession& session, std::string_view args);
    static void Observe(ServerCore& core, ClientSession& session, std::string_view args);
    static void Unobserve(ServerCore& core, ClientSession& session, std::string_view args);
    static void Kibitz(ServerCore& core, ClientSession& session, std::string_view args);
    static void Whisper(ServerCore& core, ClientSession& session, std::string_view args);
    static void KibitzTo(ServerCore& core, ClientSession& session, std::string_view args);
    static void WhisperTo(ServerCore& core, ClientSession& session, std::string_view args);
    static void Primary(ServerCore& core, ClientSession& session, std::string_view args);
    static void Goto(ServerCore& core, ClientSession& session, std::string_view args);
    static void Games(ServerCore& core, ClientSession& session, std::string_view args);
    static void Logpgn(ServerCore& core, ClientSession& session, std::string_view args);
    // The PGN of a game as text, for reading rather than saving.
    static void Spgn(ServerCore& core, ClientSession& session, std::string_view args);
    static void Flip(ServerCore& core, ClientSession& session, std::string_view args);
};
