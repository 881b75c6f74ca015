// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "ExamineCommands.h"

#include <algorithm>
#include <string>

#include "AccountStore.h"
#include "ClientSession.h"
#include "CommandTable.h"
#include "CommandWords.h"
#include "GameRoom.h"
#include "ServerCore.h"

namespace {

constexpr int kMaxNameLength = 40;
constexpr size_t kMaxTags = 40;
constexpr size_t kMaxTagValue = 270;
constexpr size_t kMaxTagName = 20;

// The examined game the person examines, or a line saying there is none.
ServerGame* Examined(ServerCore& core, ClientSession& session) {
    ServerGame* game = core.Games().CurrentOf(session.Handle());
    if (game != nullptr && game->state == ServerGame::State::Examining) {
        for (const std::string& handle : game->examiners) {
            if (AccountStore::SameHandle(handle, session.Handle())) return game;
        }
    }
    session.SendText("You are not examining a game.\n");
    return nullptr;
}

// "Back", "Back 3", "Forward 999".
int Count(ClientSession& session, std::string_view args, std::string_view command) {
    int n = 1;
    if (!args.empty() && (!CommandWords::ParseInt(args, n) || n < 1)) {
        CommandTable::SendUsage(session, command);
        return 0;
    }
    return n;
}

// Circles and arrows go to everyone who sees the examined board.
void Mark(ServerCore& core, ClientSession& session, std::string_view args, DatagramNumber number,
          int squares) {
    ServerGame* game = Examined(core, session);
    if (game == nullptr) return;
    std::string_view rest;
    const std::string_view from = CommandWords::First(args, rest);
    std::string_view after;
    const std::string_view to = CommandWords::First(rest, after);
    const bool valid = Referee::SquareFrom(from) >= 0 &&
                       (squares == 1 ? to.empty() : Referee::SquareFrom(to) >= 0 && after.empty());
    if (!valid) {
        session.SendText(squares == 1 ? "Usage: Circle <square>\n"
                                      : "Usage: Arrow <square> <square>\n");
        return;
    }
    DatagramWriter d(number);
    d.Add(game->number).Add(session.Handle()).Add(from);
    if (squares == 2) d.Add(to);
    core.Games().ToAll(*game, d);
}

void SetName(ServerCore& core, ClientSession& session, std::string_view args, int side) {
    ServerGame* game = Examined(core, session);
    if (game == nullptr) return;
    if (args.empty() || args.size() > kMaxNameLength) {
        CommandTable::SendUsage(session, side == 1 ? "setwhitename" : "setblackname");
        return;
    }
    game->names[static_cast<size_t>(side)] = std::string(args);
    core.Games().SendHeaderToAll(*game);
}

}  // namespace

void ExamineCommands::Examine(ServerCore& core, ClientSession& session, std::string_view args) {
    if (core.Games().CountInvolving(session.Handle()) >= GameRoom::kMaxGamesPerPerson) {
        session.SendText("You are part of too many games already.\n");
        return;
    }
    if (args.empty()) {
        core.Games().StartExamined(session.Handle(), 0, 0);
        return;
    }
    // "#id": a finished game by its identifier.
    int id = 0;
    const ServerGame* stored = nullptr;
    if (args.front() == '#' && CommandWords::ParseInt(args.substr(1), id) && id > 0)
        stored = core.Games().FindById(static_cast<uint32_t>(id));
    if (stored == nullptr) {
        session.SendText("There is no stored game " + std::string(args) + ".\n");
        return;
    }
    const ServerGame copy = *stored;  // the history may move when a game is added
    core.Games().ExamineStored(session.Handle(), copy);
}

void ExamineCommands::Unexamine(ServerCore& core, ClientSession& session, std::string_view) {
    if (ServerGame* game = Examined(core, session)) core.Games().Unexamine(session, *game);
}

void ExamineCommands::Back(ServerCore& core, ClientSession& session, std::string_view args) {
    const int n = Count(session, args, "back");
    if (n == 0) return;
    if (ServerGame* game = Examined(core, session)) core.Games().Navigate(*game, n);
}

void ExamineCommands::Forward(ServerCore& core, ClientSession& session, std::string_view args) {
    const int n = Count(session, args, "forward");
    if (n == 0) return;
    if (ServerGame* game = Examined(core, session)) core.Games().Navigate(*game, -n);
}

void ExamineCommands::Circle(ServerCore& core, ClientSession& session, std::string_view args) {
    Mark(core, session, args, DG_CIRCLE, 1);
}

void ExamineCommands::Uncircle(ServerCore& core, ClientSession& session, std::string_view args) {
    Mark(core, session, args, DG_UNCIRCLE, 1);
}

void ExamineCommands::Arrow(ServerCore& core, ClientSession& session, std::string_view args) {
    Mark(core, session, args, DG_ARROW, 2);
}

void ExamineCommands::Unarrow(ServerCore& core, ClientSession& session, std::string_view args) {
    Mark(core, session, args, DG_UNARROW, 2);
}

void ExamineCommands::Loadfen(ServerCore& core, ClientSession& session, std::string_view args) {
    if (ServerGame* game = Examined(core, session)) core.Games().LoadFen(session, *game, args);
}

void ExamineCommands::SetWhiteName(ServerCore& core, ClientSession& session,
                                   std::string_view args) {
    SetName(core, session, args, 1);
}

void ExamineCommands::SetBlackName(ServerCore& core, ClientSession& session,
                                   std::string_view args) {
    SetName(core, session, args, 0);
}

void ExamineCommands::Result(ServerCore& core, ClientSession& session, std::string_view args) {
    ServerGame* game = Examined(core, session);
    if (game == nullptr) return;
    if (args != "1-0" && args != "0-1" && args != "1/2-1/2" && args != "*") {
        CommandTable::SendUsage(session, "result");
        return;
    }
    game->result = std::string(args);
    session.SendText("Result of game " + std::to_string(game->number) + ": " + game->result + "\n");
}

void ExamineCommands::Tag(ServerCore& core, ClientSession& session, std::string_view args) {
    ServerGame* game = Examined(core, session);
    if (game == nullptr) return;
    std::string_view value;
    const std::string_view name = CommandWords::First(args, value);
    const bool nameOk = !name.empty() && name.size() <= kMaxTagName &&
                        std::all_of(name.begin(), name.end(), [](char c) {
                            return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
                        });
    if (!nameOk || value.size() > kMaxTagValue) {
        CommandTable::SendUsage(session, "tag");
        return;
    }
    for (auto& [tagName, tagValue] : game->tags) {
        if (AccountStore::SameHandle(tagName, name)) {
            tagValue = std::string(value);
            return;
        }
    }
    if (game->tags.size() >= kMaxTags) {
        session.SendText("Too many tags.\n");
        return;
    }
    game->tags.emplace_back(name, value);
}

void ExamineCommands::Libkeepexam(ServerCore& core, ClientSession& session, std::string_view) {
    ServerGame* game = Examined(core, session);
    if (game == nullptr) return;
    core.Games().KeepCopy(*game, session.Handle());
    session.SendText("Game " + std::to_string(game->number) + " kept as #" +
                     std::to_string(game->id) + ".\n");
}
