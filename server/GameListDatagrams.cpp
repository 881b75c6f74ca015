// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "GameListDatagrams.h"

#include <algorithm>

#include "ClientSession.h"
#include "DatagramWriter.h"
#include "ServerCore.h"
#include "ServerGame.h"

namespace {

std::string RatingField(int rating) {
    return rating > 0 ? std::to_string(rating) : "----";
}

}  // namespace

bool GameListDatagrams::Wanted(const ClientSession& session) {
    return session.WantsDatagram(DG_GAMELIST_BEGIN) && session.WantsDatagram(DG_GAMELIST_ITEM);
}

GameListDatagrams::ResultFields GameListDatagrams::Result(const ServerGame& game) {
    ResultFields r;
    const std::string& code = game.resultCode;
    if (game.result == "1-0" || game.result == "0-1") {
        r.kind = 0;
        r.winner = game.result == "0-1" ? 1 : 0;
        // Resigned, mated, flagged; a player who disconnected forfeits.
        r.code = code == "Mat" ? 1 : code == "Fla" ? 2 : code == "Dis" ? 4 : 0;
    } else if (game.result == "1/2-1/2") {
        r.kind = 1;
        r.code = code == "Sta"   ? 1
                 : code == "Rep" ? 2
                 : code == "50"  ? 3
                 : code == "Fla" ? 4  // time ran out against bare material
                 : code == "Ins" ? 5
                                 : 0;
    } else if (code == "Adj") {
        r.kind = 3;  // adjourned, here always by agreement
        r.code = 0;
    }
    return r;
}

std::string GameListDatagrams::Eco(const ServerGame& game) {
    const auto& plies = game.Plies();
    if (plies.empty() || game.wild != 0) return {};
    const std::string& first = plies[0].san;
    const std::string second = plies.size() > 1 ? plies[1].san : std::string();
    struct Opening {
        const char* first;
        const char* second;  // empty: any reply
        const char* eco;
    };
    static constexpr Opening kOpenings[] = {
        {"e4", "c5", "B20"}, {"e4", "e5", "C20"}, {"e4", "e6", "C00"},  {"e4", "c6", "B10"},
        {"e4", "", "B00"},   {"d4", "d5", "D00"}, {"d4", "Nf6", "A45"}, {"d4", "", "A40"},
        {"c4", "", "A10"},   {"Nf3", "", "A04"},
    };
    for (const Opening& o : kOpenings) {
        if (first == o.first && (*o.second == '\0' || second == o.second)) return o.eco;
    }
    return "A00";
}

void GameListDatagrams::Send(ServerCore& core, ClientSession& session, std::string_view command,
                             const std::string& player, const std::vector<const ServerGame*>& games,
                             bool stored) {
    const size_t total = games.size();
    std::vector<std::string> batches;
    for (size_t first = 0; first < total || (total == 0 && batches.empty()); first += kBatch) {
        const size_t last = std::min(total, first + kBatch);
        std::string bytes = DatagramWriter(DG_GAMELIST_BEGIN)
                                .Add(command)
                                .Add(player)
                                .Add(static_cast<int>(total))
                                .Add(total == 0 ? 0 : static_cast<int>(first) + 1)
                                .Add(static_cast<int>(last))
                                .Bytes();
        for (size_t i = first; i < last; ++i) {
            const ServerGame& g = *games[i];
            const ResultFields r = Result(g);
            const int colour = g.ColourOf(player);
            const std::string& opponent = g.names[colour == 1 ? 0 : 1];
            const bool present = stored && core.FindLoggedIn(opponent) != nullptr;
            bytes += DatagramWriter(DG_GAMELIST_ITEM)
                         .Add(static_cast<int>(i) + 1)
                         .Add(static_cast<int>(g.id))
                         .Add("?")
                         .Add(g.date)
                         .Add(g.time.empty() ? std::string("00:00:00") : g.time)
                         .Add(g.names[1])
                         .Add(RatingField(g.ratings[1]))
                         .Add(g.names[0])
                         .Add(RatingField(g.ratings[0]))
                         .Add(g.rated ? 1 : 0)
                         .Add(g.wild)
                         .Add(std::to_string(g.wild))
                         .Add(g.minutes)
                         .Add(g.increment)
                         .Add(0)
                         .Add(0)
                         .Add(Eco(g))
                         .Add(r.kind)
                         .Add(r.winner)
                         .Add(r.code)
                         .Add(g.description)
                         .Add(present ? 1 : 0)
                         .Bytes();
        }
        batches.push_back(std::move(bytes));
        if (total == 0) break;
    }
    session.SendFramed(batches.front());
    batches.erase(batches.begin());
    session.SetListBatches(std::move(batches));
}
