// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "PersonCommands.h"

#include <algorithm>
#include <cstddef>
#include <functional>

#include "ClientSession.h"
#include "CommandTable.h"
#include "CommandWords.h"
#include "GameListDatagrams.h"
#include "MatchCommands.h"
#include "ServerCore.h"
#include "VariableTable.h"

namespace {

// What the server knows of a person, logged in or not.
struct Person {
    std::string handle;
    std::string titles;
    std::vector<int> ratings;
    bool guest = false;
    ClientSession* session = nullptr;  // while logged in

    std::string DisplayName() const {
        return titles.empty() ? handle : handle + "(" + titles + ")";
    }
    int RatingIn(size_t category) const {
        return !guest && category < ratings.size() ? ratings[category] : 0;
    }
};

// The person named by the first word of `args`, the user when there is
// none. Answers and returns false when nobody of that name is known.
bool FindPerson(ServerCore& core, ClientSession& session, std::string_view args, Person& person) {
    std::string_view rest;
    std::string_view name = CommandWords::First(args, rest);
    // A name picked from console text may bring its titles ("Magnus(GM)").
    name = name.substr(0, name.find('('));
    if (name.empty()) name = session.Handle();
    if (ClientSession* online = core.FindLoggedIn(name)) {
        person = {online->Handle(), online->Titles(), online->Ratings(), online->IsGuest(), online};
        return true;
    }
    if (const AccountStore::Account* account = core.Accounts().Find(name)) {
        person = {account->handle, AccountStore::JoinTitles(account->titles), account->ratings,
                  false, nullptr};
        return true;
    }
    session.SendText("There is no player named \"" + std::string(name) + "\".\n");
    return false;
}

std::string RatingText(int rating) {
    return rating > 0 ? std::to_string(rating) : "----";
}

std::string Signed(int value) {
    return (value > 0 ? "+" : "") + std::to_string(value);
}

// Left-aligned in a column of `width` (longer text is not cut).
std::string Pad(std::string text, size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

// Right-aligned in a column of `width`.
std::string PadLeft(const std::string& text, size_t width) {
    return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}

// "1 hr 5 mins", "3 mins 12 secs", "40 secs".
std::string Duration(int64_t ms) {
    const int64_t seconds = std::max<int64_t>(ms, 0) / 1000;
    const auto unit = [](int64_t n, const char* one, const char* many) {
        return std::to_string(n) + " " + (n == 1 ? one : many);
    };
    if (seconds >= 3600)
        return unit(seconds / 3600, "hr", "hrs") + " " + unit(seconds / 60 % 60, "min", "mins");
    if (seconds >= 60)
        return unit(seconds / 60, "min", "mins") + " " + unit(seconds % 60, "sec", "secs");
    return unit(seconds, "sec", "secs");
}

std::string GameTitle(const ServerGame& game) {
    return game.names[1] + " vs. " + game.names[0];
}

// The finished games of a person that match `wanted`, newest last.
std::vector<const ServerGame*> KeptGames(ServerCore& core,
                                         const std::function<bool(const ServerGame&)>& wanted) {
    std::vector<const ServerGame*> games;
    for (const ServerGame& game : core.Games().Finished()) {
        if (wanted(game)) games.push_back(&game);
    }
    return games;
}

bool IsAdjourned(const ServerGame& game) {
    return game.resultCode == "Adj";
}

// "#12 W Judit (2700) rated Blitz 5 0": one game seen from `handle`'s side.
std::string GameLine(const ServerGame& game, const std::string& handle) {
    const int colour = game.ColourOf(handle);
    const size_t other = colour == 1 ? 0 : 1;
    return Pad("#" + std::to_string(game.id), 6) + (colour == 1 ? "W  " : "B  ") +
           Pad(game.names[other] + " (" + RatingText(game.ratings[other]) + ")", 22) +
           Pad(std::string(game.rated ? "rated " : "unrated ") + game.category + " " +
                   game.TimeControlText(),
               24);
}

}  // namespace

void PersonCommands::Finger(ServerCore& core, ClientSession& session, std::string_view args) {
    Person person;
    if (!FindPerson(core, session, args, person)) return;
    std::string text = "Finger of " + person.DisplayName() + ":\n\n";
    if (person.session != nullptr) {
        const int64_t now = core.NowMs();
        text += "On for: " + Duration(now - person.session->LoginMs()) +
                "   Idle: " + Duration(now - person.session->LastCommandMs()) + "\n";
        for (const ServerGame* game : core.Games().PlayedBy(person.handle)) {
            text +=
                "(playing game " + std::to_string(game->number) + ": " + GameTitle(*game) + ")\n";
        }
    } else {
        text += person.handle + " is not logged in.\n";
    }
    text += "\n";
    if (person.guest) {
        text += person.handle + " is a guest: guests have no ratings.\n";
    } else {
        text += "             rating\n";
        for (size_t i = 0; i < AccountStore::kCategories.size(); ++i) {
            text += Pad(std::string(AccountStore::kCategories[i]), 12) +
                    PadLeft(RatingText(person.RatingIn(i)), 7) + "\n";
        }
    }
    if (person.session != nullptr) {
        std::string notes;
        for (int n = 1; n <= 10; ++n) {
            const std::string note = person.session->Variable("note" + std::to_string(n));
            if (!note.empty()) notes += PadLeft(std::to_string(n), 2) + ": " + note + "\n";
        }
        if (!notes.empty()) text += "\n" + notes;
    }
    session.SendPaged(text);
}

void PersonCommands::Vars(ServerCore& core, ClientSession& session, std::string_view args) {
    Person person;
    if (!FindPerson(core, session, args, person)) return;
    if (person.session == nullptr) {
        session.SendText(person.handle + " is not logged in.\n");
        return;
    }
    std::string text = "Variable settings of " + person.DisplayName() + ":\n\n";
    int column = 0;
    for (const VariableTable::IntegerVariable& variable : VariableTable::Integers()) {
        const std::string cell =
            std::string(variable.name) + "=" + person.session->Variable(variable.name);
        if (++column == 4) {
            text += cell + "\n";
            column = 0;
        } else {
            text += Pad(cell, 18);
        }
    }
    if (column != 0) text += "\n";
    std::string strings;
    for (const auto& [name, value] : person.session->Variables()) {
        if (VariableTable::KindOf(name) == VariableTable::Kind::String && !value.empty() &&
            name.substr(0, 4) != "note") {
            strings += name + ": " + value + "\n";
        }
    }
    if (!strings.empty()) text += "\n" + strings;
    if (!person.session->Following().empty())
        text += "\nFollowing: " + person.session->Following() + "\n";
    session.SendPaged(text);
}

void PersonCommands::Ping(ServerCore& core, ClientSession& session, std::string_view args) {
    Person person;
    if (!FindPerson(core, session, args, person)) return;
    if (person.session == nullptr) {
        session.SendText(person.handle + " is not logged in.\n");
        return;
    }
    const bool chronel = person.session->ChronelMode() == ChronelServerSession::Mode::Chronel;
    session.SendText(person.handle + " is connected from this machine (" +
                     (chronel ? "Chronel" : "plain") +
                     " connection): no lag is measured on this test server.\n");
}

void PersonCommands::Assess(ServerCore& core, ClientSession& session, std::string_view args) {
    if (args.empty()) {
        CommandTable::SendUsage(session, "assess");
        return;
    }
    Person self;
    Person other;
    if (!FindPerson(core, session, {}, self) || !FindPerson(core, session, args, other)) return;
    if (AccountStore::SameHandle(self.handle, other.handle)) {
        session.SendText("You cannot assess a game against yourself.\n");
        return;
    }
    if (self.guest || other.guest) {
        session.SendText("Guests play unrated games only; there is nothing to assess.\n");
        return;
    }
    const auto columns = [](const std::string& name) {
        return PadLeft(name, 10) + "   Win  Draw  Loss";
    };
    std::string text = "What a rated game between " + self.handle + " and " + other.handle +
                       " would change:\n\n" + Pad("Category", 10) + columns(self.handle) + "  " +
                       columns(other.handle) + "\n";
    for (size_t i = 0; i < AccountStore::kCategories.size(); ++i) {
        const int own = self.RatingIn(i);
        const int theirs = other.RatingIn(i);
        const auto side = [&](int rating, int opponent) {
            std::string cells = PadLeft(RatingText(rating), 10);
            if (rating > 0 && opponent > 0) {
                for (double score : {1.0, 0.5, 0.0}) {
                    cells +=
                        PadLeft(Signed(MatchCommands::RatingChange(rating, opponent, score)), 6);
                }
            } else {
                cells += std::string(18, ' ');
            }
            return cells;
        };
        std::string row = Pad(std::string(AccountStore::kCategories[i]), 10) + side(own, theirs) +
                          "  " + side(theirs, own);
        while (!row.empty() && row.back() == ' ') row.pop_back();
        text += row + "\n";
    }
    session.SendPaged(text);
}

void PersonCommands::History(ServerCore& core, ClientSession& session, std::string_view args) {
    Person person;
    if (!FindPerson(core, session, args, person)) return;
    std::vector<const ServerGame*> games = KeptGames(core, [&](const ServerGame& game) {
        return game.over && !IsAdjourned(game) && game.keptBy.empty() &&
               game.ColourOf(person.handle) >= 0;
    });
    if (GameListDatagrams::Wanted(session)) {
        GameListDatagrams::Send(core, session, "history", person.handle, games, false);
        return;
    }
    if (games.empty()) {
        session.SendText(person.handle + " has no finished games.\n");
        return;
    }
    if (games.size() > kHistoryShown)
        games.erase(games.begin(), games.end() - static_cast<std::ptrdiff_t>(kHistoryShown));
    std::string text = "History of " + person.handle + ":\n";
    for (const ServerGame* game : games) {
        text += GameLine(*game, person.handle) + Pad(game->result, 9) + game->description + "\n";
    }
    session.SendPaged(text);
}

void PersonCommands::Stored(ServerCore& core, ClientSession& session, std::string_view args) {
    Person person;
    if (!FindPerson(core, session, args, person)) return;
    const std::vector<const ServerGame*> games = KeptGames(core, [&](const ServerGame& game) {
        return IsAdjourned(game) && game.keptBy.empty() && game.ColourOf(person.handle) >= 0;
    });
    if (GameListDatagrams::Wanted(session)) {
        GameListDatagrams::Send(core, session, "stored", person.handle, games, true);
        return;
    }
    if (games.empty()) {
        session.SendText(person.handle + " has no adjourned games.\n");
        return;
    }
    std::string text = "Adjourned games of " + person.handle + ":\n";
    for (const ServerGame* game : games) {
        text += GameLine(*game, person.handle) + "move " +
                std::to_string(game->PlyCount() / 2 + 1) + "\n";
    }
    session.SendPaged(text);
}

void PersonCommands::Liblist(ServerCore& core, ClientSession& session, std::string_view args) {
    Person person;
    if (!FindPerson(core, session, args, person)) return;
    const std::vector<const ServerGame*> games = KeptGames(core, [&](const ServerGame& game) {
        return AccountStore::SameHandle(game.keptBy, person.handle);
    });
    if (GameListDatagrams::Wanted(session)) {
        GameListDatagrams::Send(core, session, "liblist", person.handle, games, false);
        return;
    }
    if (games.empty()) {
        session.SendText(person.handle + " has no games in the library.\n");
        return;
    }
    std::string text = "Library of " + person.handle + ":\n";
    for (const ServerGame* game : games) {
        text += Pad("#" + std::to_string(game->id), 6) + Pad(GameTitle(*game), 34) +
                Pad(game->result, 9) + std::to_string(game->PlyCount()) + " half moves\n";
    }
    session.SendPaged(text);
}

void PersonCommands::Search(ServerCore& core, ClientSession& session, std::string_view args) {
    Person person;
    const bool named = !CommandWords::Trim(args).empty();
    if (named && !FindPerson(core, session, args, person)) return;
    const std::vector<const ServerGame*> games = KeptGames(core, [&](const ServerGame& game) {
        return game.over && !IsAdjourned(game) && game.keptBy.empty() &&
               (!named || game.ColourOf(person.handle) >= 0);
    });
    if (GameListDatagrams::Wanted(session)) {
        GameListDatagrams::Send(core, session, "search", person.handle, games, false);
        return;
    }
    if (games.empty()) {
        session.SendText("No games found.\n");
        return;
    }
    std::string text = named ? "Games of " + person.handle + ":\n" : std::string("Games:\n");
    for (const ServerGame* game : games) {
        text += Pad("#" + std::to_string(game->id), 6) + Pad(GameTitle(*game), 34) +
                Pad(game->result, 9) + game->description + "\n";
    }
    session.SendPaged(text);
}

void PersonCommands::Follow(ServerCore& core, ClientSession& session, std::string_view args) {
    if (args.empty()) {
        if (session.Following().empty()) {
            session.SendText("You are not following anyone.\n");
        } else {
            session.SendText("You will not follow " + session.Following() + "'s games.\n");
            session.SetFollowing({});
        }
        return;
    }
    ClientSession* person = core.FindLoggedIn(args);
    if (person == nullptr) {
        session.SendText(std::string(args) + " is not logged in.\n");
        return;
    }
    if (person == &session) {
        session.SendText("You cannot follow yourself.\n");
        return;
    }
    session.SetFollowing(person->Handle());
    session.SendText("You will now be following " + person->Handle() + "'s games.\n");
    for (ServerGame* game : core.Games().PlayedBy(person->Handle())) {
        const bool watching = std::any_of(
            game->observers.begin(), game->observers.end(), [&](const std::string& name) {
                return AccountStore::SameHandle(name, session.Handle());
            });
        if (!watching && game->ColourOf(session.Handle()) < 0 &&
            core.Games().CountInvolving(session.Handle()) < GameRoom::kMaxGamesPerPerson) {
            core.Games().Observe(session, *game);
        }
    }
}
