// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <string>
#include <string_view>
#include <vector>

class ClientSession;
class ServerCore;
class ServerGame;

// Game lists as datagrams: a list header (72) and one item (73) per game,
// for "history", "stored", "liblist" and "search" when the client asked for
// both numbers. A list goes out in batches; the rest waits in the session
// until the client says "more".
class GameListDatagrams {
  public:
    // Games per batch.
    static constexpr size_t kBatch = 10;

    // Whether the session gets lists as datagrams.
    static bool Wanted(const ClientSession& session);
    // Sends the first batch of `games` (header fields 1 and 2 are `command`
    // and `player`) and keeps the others for "more". `stored` adds the
    // opponent-present flag.
    static void Send(ServerCore& core, ClientSession& session, std::string_view command,
                     const std::string& player, const std::vector<const ServerGame*>& games,
                     bool stored);

    // Item fields 18 to 20 (result kind, winner colour, result code) from
    // the server's result code and result.
    struct ResultFields {
        int kind = 2;
        int winner = 0;
        int code = 0;
    };
    static ResultFields Result(const ServerGame& game);
    // An opening code from the first moves; empty without moves.
    static std::string Eco(const ServerGame& game);
};
