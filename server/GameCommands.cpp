// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "GameCommands.h"

#include <algorithm>
#include <string>

#include "AccountStore.h"
#include "ClientSession.h"
#include "CommandTable.h"
#include "CommandWords.h"
#include "GameRoom.h"
#include "ServerCore.h"

namespace {

constexpr size_t kMaxMoveText = 12;
constexpr int kMaxMoretime = 3600;

// The person's current game, or a line saying there is none.
ServerGame* Current(ServerCore& core, ClientSession& session) {
    ServerGame* game = core.Games().CurrentOf(session.Handle());
    if (game == nullptr) session.SendText("You are not playing, examining or observing a game.\n");
    return game;
}

// A game number, optionally with "#" before it.
bool ParseNumber(std::string_view text, int& number) {
    if (!text.empty() && text.front() == '#') text.remove_prefix(1);
    return CommandWords::ParseInt(text, number);
}

// Moves look like "e4", "Nf3", "exd5", "O-O", "0-0-0", "e7e8=Q", "N@e4".
bool LooksLikeMove(std::string_view line) {
    if (line.size() < 2 || line.size() > kMaxMoveText) return false;
    if (std::string_view("abcdefghNBRQKPXOo0pnbrqkx").find(line.front()) == std::string_view::npos)
        return false;
    for (char c : line) {
        if (std::string_view("abcdefghNBRQKPXOo0pnrqk12345678=@x-+#!?").find(c) ==
            std::string_view::npos)
            return false;
    }
    return true;
}

void SendKibitz(ServerCore& core, ClientSession& session, ServerGame& game, std::string_view text,
                bool kibitz) {
    if (text.empty()) {
        CommandTable::SendUsage(session, kibitz ? "kibitz" : "whisper");
        return;
    }
    DatagramWriter d(DG_KIBITZ_TEXT);
    d.Add(game.number).Add(session.Handle()).Add(session.Titles()).Add(kibitz ? 1 : 0).Add(text);
    const std::string line = session.DisplayName() + "[" + std::to_string(game.number) + "] " +
                             (kibitz ? "kibitzes: " : "whispers: ") + std::string(text) + "\n";
    // A whisper is for those who watch, not for the players.
    const bool playing = game.state == ServerGame::State::Playing && !game.over;
    std::vector<std::string> audience = game.observers;
    if (kibitz || !playing) {
        audience.insert(audience.end(), game.examiners.begin(), game.examiners.end());
        if (playing) {
            audience.push_back(game.names[1]);
            audience.push_back(game.names[0]);
        }
    }
    audience.push_back(session.Handle());
    std::vector<std::string> told;
    for (const std::string& handle : audience) {
        bool seen = false;
        for (const std::string& t : told) seen = seen || AccountStore::SameHandle(t, handle);
        if (seen) continue;
        told.push_back(handle);
        if (ClientSession* person = core.FindLoggedIn(handle)) person->SendDatagramOrText(d, line);
    }
}

void ToNumbered(ServerCore& core, ClientSession& session, std::string_view args, bool kibitz) {
    std::string_view text;
    int number = 0;
    ServerGame* game = nullptr;
    if (ParseNumber(CommandWords::First(args, text), number)) game = core.Games().Find(number);
    if (game == nullptr) {
        session.SendText("There is no such game.\n");
        return;
    }
    SendKibitz(core, session, *game, text, kibitz);
}

void MakeOffer(ServerCore& core, ClientSession& session, ServerGame::Offer kind, int plies) {
    if (ServerGame* game = Current(core, session)) core.Games().Offer(session, *game, kind, plies);
}

}  // namespace

bool GameCommands::TryMove(ServerCore& core, ClientSession& session, std::string_view line) {
    if (!LooksLikeMove(line)) return false;
    auto examines = [&](const ServerGame* g) {
        return g->state == ServerGame::State::Examining &&
               std::any_of(g->examiners.begin(), g->examiners.end(), [&](const std::string& h) {
                   return AccountStore::SameHandle(h, session.Handle());
               });
    };
    auto moves = [&](const ServerGame* g) {
        return examines(g) ||
               (g->state == ServerGame::State::Playing && g->ColourOf(session.Handle()) >= 0);
    };
    ServerGame* game = core.Games().CurrentOf(session.Handle());
    // Observing a game last does not take the person's moves away from the
    // game the person plays.
    if (game != nullptr && !moves(game)) {
        const std::vector<ServerGame*> played = core.Games().PlayedBy(session.Handle());
        game = played.empty() ? nullptr : played.back();
    }
    if (game == nullptr) return false;
    const bool examining = examines(game);
    // "N@e4", "n@e4" and "X@e4" edit an examined board; in a drop game that
    // is played they put a piece from the hand on the board.
    if (line.size() == 4 && line[1] == '@' && !(game->DropGame() && !examining)) {
        const int square = Referee::SquareFrom(line.substr(2));
        if (!examining || square < 0 ||
            std::string_view("PNBRQKpnbrqkXx").find(line[0]) == std::string_view::npos) {
            DatagramWriter illegal(DG_ILLEGAL_MOVE);
            session.SendDatagram(illegal.Add(game->number).Add(line));
            session.SendText("Illegal move (" + std::string(line) + ").\n");
            return true;
        }
        core.Games().SetUpDrop(session, *game, line[0], square);
        return true;
    }
    core.Games().Move(session, *game, line);
    return true;
}

void GameCommands::Draw(ServerCore& core, ClientSession& session, std::string_view) {
    MakeOffer(core, session, ServerGame::kDraw, 1);
}

void GameCommands::Abort(ServerCore& core, ClientSession& session, std::string_view) {
    MakeOffer(core, session, ServerGame::kAbort, 1);
}

void GameCommands::Adjourn(ServerCore& core, ClientSession& session, std::string_view) {
    MakeOffer(core, session, ServerGame::kAdjourn, 1);
}

void GameCommands::Takeback(ServerCore& core, ClientSession& session, std::string_view args) {
    int plies = 1;
    if (!args.empty() && (!CommandWords::ParseInt(args, plies) || plies < 1)) {
        CommandTable::SendUsage(session, "takeback");
        return;
    }
    MakeOffer(core, session, ServerGame::kTakeback, plies);
}

void GameCommands::Resign(ServerCore& core, ClientSession& session, std::string_view) {
    if (ServerGame* game = Current(core, session)) core.Games().Resign(session, *game);
}

void GameCommands::Flag(ServerCore& core, ClientSession& session, std::string_view) {
    if (ServerGame* game = Current(core, session)) core.Games().Flag(session, *game);
}

void GameCommands::Moretime(ServerCore& core, ClientSession& session, std::string_view args) {
    int seconds = 0;
    if (!CommandWords::ParseInt(args, seconds) || seconds < 1 || seconds > kMaxMoretime) {
        CommandTable::SendUsage(session, "moretime");
        return;
    }
    if (ServerGame* game = Current(core, session)) core.Games().Moretime(session, *game, seconds);
}

void GameCommands::Pending(ServerCore& core, ClientSession& session, std::string_view) {
    if (ServerGame* game = Current(core, session)) core.Games().Pending(session, *game);
}

void GameCommands::Observe(ServerCore& core, ClientSession& session, std::string_view args) {
    int number = 0;
    ServerGame* game = nullptr;
    if (ParseNumber(args, number)) {
        game = core.Games().Find(number);
    } else if (!args.empty()) {
        // A name: the game that person plays.
        const std::vector<ServerGame*> games = core.Games().PlayedBy(args);
        if (!games.empty()) game = games.front();
    }
    if (game == nullptr) {
        session.SendText("There is no such game.\n");
        return;
    }
    if (core.Games().CountInvolving(session.Handle()) >= GameRoom::kMaxGamesPerPerson) {
        session.SendText("You are part of too many games already.\n");
        return;
    }
    core.Games().Observe(session, *game);
}

void GameCommands::Unobserve(ServerCore& core, ClientSession& session, std::string_view args) {
    int number = 0;
    if (args.empty()) {
        for (ServerGame* game : core.Games().All()) {
            for (const std::string& handle : game->observers) {
                if (AccountStore::SameHandle(handle, session.Handle())) {
                    core.Games().Unobserve(session, *game);
                    break;
                }
            }
        }
        return;
    }
    ServerGame* game = ParseNumber(args, number) ? core.Games().Find(number) : nullptr;
    if (game == nullptr) {
        session.SendText("There is no such game.\n");
        return;
    }
    core.Games().Unobserve(session, *game);
}

void GameCommands::Kibitz(ServerCore& core, ClientSession& session, std::string_view args) {
    if (ServerGame* game = Current(core, session)) SendKibitz(core, session, *game, args, true);
}

void GameCommands::Whisper(ServerCore& core, ClientSession& session, std::string_view args) {
    if (ServerGame* game = Current(core, session)) SendKibitz(core, session, *game, args, false);
}

void GameCommands::KibitzTo(ServerCore& core, ClientSession& session, std::string_view args) {
    ToNumbered(core, session, args, true);
}

void GameCommands::WhisperTo(ServerCore& core, ClientSession& session, std::string_view args) {
    ToNumbered(core, session, args, false);
}

void GameCommands::Primary(ServerCore& core, ClientSession& session, std::string_view args) {
    int number = 0;
    ServerGame* game = ParseNumber(args, number) ? core.Games().Find(number) : nullptr;
    if (game == nullptr) {
        session.SendText("There is no such game.\n");
        return;
    }
    core.Games().SetCurrent(session.Handle(), game->number);
    session.SendText("Your primary game is now game " + std::to_string(game->number) + ".\n");
}

void GameCommands::Goto(ServerCore& core, ClientSession& session, std::string_view args) {
    int number = 0;
    ServerGame* game = ParseNumber(args, number) ? core.Games().Find(number) : nullptr;
    const bool part = game != nullptr && (game->ColourOf(session.Handle()) >= 0 ||
                                          game->state == ServerGame::State::Examining);
    if (!part) {
        session.SendText("You are not playing game " + std::string(args) + ".\n");
        return;
    }
    core.Games().SetCurrent(session.Handle(), game->number);
}

void GameCommands::Games(ServerCore& core, ClientSession& session, std::string_view) {
    const std::vector<ServerGame*> games = core.Games().All();
    for (const ServerGame* game : games) {
        session.SendText(
            std::to_string(game->number) + " " + game->names[1] + " " + game->names[0] + " " +
            (game->state == ServerGame::State::Examining ? "(examined)" : game->TimeControlText()) +
            " ply " + std::to_string(game->Shown()) + "\n");
    }
    session.SendText(std::to_string(games.size()) + " games displayed.\n");
}

namespace {

// The game named by "#<id>" (a finished one too) or by its number; the
// user's current game without an argument. Says so when there is none.
const ServerGame* GameByArgument(ServerCore& core, ClientSession& session, std::string_view args) {
    const ServerGame* game = nullptr;
    int number = 0;
    if (args.empty()) {
        game = core.Games().CurrentOf(session.Handle());
    } else if (args.front() == '#') {
        // "#id": the game identifier of datagram 15's field 15.
        if (ParseNumber(args, number) && number > 0)
            game = core.Games().FindById(static_cast<uint32_t>(number));
    } else if (ParseNumber(args, number)) {
        game = core.Games().Find(number);
    }
    if (game == nullptr) session.SendText("There is no such game.\n");
    return game;
}

}  // namespace

void GameCommands::Logpgn(ServerCore& core, ClientSession& session, std::string_view args) {
    const ServerGame* game = GameByArgument(core, session, args);
    if (game == nullptr) return;
    DatagramWriter d(DG_SAVE_GAME_TEXT);
    std::string text;
    for (const std::string& line : game->PgnLines()) {
        d.Add(line);
        text += line + "\n";
    }
    session.SendDatagramOrText(d, text);
}

void GameCommands::Spgn(ServerCore& core, ClientSession& session, std::string_view args) {
    const ServerGame* game = GameByArgument(core, session, args);
    if (game == nullptr) return;
    std::string text;
    for (const std::string& line : game->PgnLines()) text += line + "\n";
    session.SendPaged(text);
}

void GameCommands::Flip(ServerCore& core, ClientSession& session, std::string_view) {
    ServerGame* game = Current(core, session);
    if (game == nullptr) return;
    // Each person's board turns on its own; Black's starts turned.
    std::vector<std::string>& turned = game->flipped;
    const auto it = std::find_if(turned.begin(), turned.end(), [&](const std::string& handle) {
        return AccountStore::SameHandle(handle, session.Handle());
    });
    const bool toggled = it == turned.end();
    if (toggled) {
        turned.push_back(session.Handle());
    } else {
        turned.erase(it);
    }
    const bool flipped = toggled != (game->ColourOf(session.Handle()) == 0);
    DatagramWriter d(DG_FLIP);
    d.Add(game->number).Add(flipped ? 1 : 0);
    session.SendDatagramOrText(d, flipped ? "Board flipped.\n" : "Board unflipped.\n");
}
