// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "SeekCommands.h"

#include <string>

#include "AccountStore.h"
#include "ClientSession.h"
#include "CommandTable.h"
#include "CommandWords.h"
#include "GameRoom.h"
#include "MatchCommands.h"
#include "ServerCore.h"

namespace {

constexpr int kMaxMinutes = 600;
constexpr int kMaxIncrement = 300;
constexpr int kNoMaximum = 9999;

// "1200-2000": a rating range, both ends 0 to 9999 and in order.
bool ParseRange(std::string_view word, int& low, int& high) {
    const size_t dash = word.find('-');
    if (dash == std::string_view::npos || dash == 0) return false;
    return CommandWords::ParseInt(word.substr(0, dash), low) &&
           CommandWords::ParseInt(word.substr(dash + 1), high) && low >= 0 && high <= kNoMaximum &&
           low <= high;
}

int RatingIn(const ClientSession* person, int category) {
    if (person == nullptr || person->IsGuest()) return 0;
    const auto index = static_cast<size_t>(category - 1);
    return index < person->Ratings().size() ? person->Ratings()[index] : 0;
}

std::string Describe(ServerCore& core, const SeekList::Seek& seek) {
    const ClientSession* person = core.FindLoggedIn(seek.handle);
    const int rating = RatingIn(person, seek.category);
    std::string text =
        (person != nullptr ? person->DisplayName() : seek.handle) + " (" +
        (rating > 0 ? std::to_string(rating) : std::string("----")) + ") seeking " +
        std::to_string(seek.minutes) + " " + std::to_string(seek.increment) +
        (seek.rated ? " rated " : " unrated ") +
        std::string(AccountStore::kCategories[static_cast<size_t>(seek.category - 1)]);
    if (seek.colour >= 0) text += seek.colour == 1 ? " [white]" : " [black]";
    if (seek.minRating > 0 || seek.maxRating < kNoMaximum) {
        text += " " + std::to_string(seek.minRating) + "-" + std::to_string(seek.maxRating);
    }
    if (seek.manual) text += " m";
    if (seek.formula) text += " f";
    return text;
}

void Announce(ServerCore& core, const SeekList::Seek& seek) {
    const std::string text =
        Describe(core, seek) + " (\"play " + std::to_string(seek.index) + "\" to respond)\n";
    for (ClientSession* person : core.LoggedIn()) {
        if (person->WantsDatagram(DG_SEEK)) {
            SeekCommands::SendSeek(core, *person, seek);
        } else if (person->Variable("seek") == "1" &&
                   !AccountStore::SameHandle(person->Handle(), seek.handle) &&
                   core.Games().PlayedBy(person->Handle()).empty()) {
            // A line in the middle of one's own game is only in the way.
            person->SendText(text);
        }
    }
}

void AnnounceRemoved(ServerCore& core, const SeekList::Seek& seek) {
    DatagramWriter d(DG_SEEK_REMOVED);
    d.Add(seek.index);
    for (ClientSession* person : core.LoggedIn()) person->SendDatagram(d);
}

}  // namespace

void SeekCommands::SendSeek(ServerCore& core, ClientSession& to, const SeekList::Seek& seek) {
    const ClientSession* person = core.FindLoggedIn(seek.handle);
    const int rating = RatingIn(person, seek.category);
    DatagramWriter d(DG_SEEK);
    d.Add(seek.index).Add(seek.handle).Add(person != nullptr ? person->Titles() : "");
    d.Add(rating).Add(rating > 0 ? 2 : 0).Add(seek.wild);
    d.Add(AccountStore::kCategories[static_cast<size_t>(seek.category - 1)]);
    d.Add(seek.minutes).Add(seek.increment).Add(seek.rated ? 1 : 0).Add(seek.colour);
    d.Add(seek.minRating).Add(seek.maxRating).Add(seek.manual ? 0 : 1).Add(seek.formula ? 1 : 0);
    to.SendDatagram(d);
}

void SeekCommands::RemoveSeeksOf(ServerCore& core, std::string_view handle) {
    for (const SeekList::Seek& seek : core.Seeks().Take(handle, -1)) AnnounceRemoved(core, seek);
}

void SeekCommands::Seek(ServerCore& core, ClientSession& session, std::string_view args) {
    SeekList::Seek seek;
    seek.handle = session.Handle();
    std::string_view rest;
    std::string_view after;
    if (!CommandWords::ParseInt(CommandWords::First(args, rest), seek.minutes) ||
        !CommandWords::ParseInt(CommandWords::First(rest, after), seek.increment) ||
        seek.minutes < 0 || seek.minutes > kMaxMinutes || seek.increment < 0 ||
        seek.increment > kMaxIncrement || (seek.minutes == 0 && seek.increment == 0)) {
        CommandTable::SendUsage(session, "seek");
        return;
    }
    // The seeker's own settings apply unless the seek says otherwise.
    seek.manual = session.Variable("manualaccept") == "1";
    seek.formula = session.Variable("useformula") == "1";
    for (std::string_view word = CommandWords::First(after, rest); !word.empty();
         word = CommandWords::First(rest, rest)) {
        int wild = 0;
        if (AccountStore::SameHandle(word, "rated") || AccountStore::SameHandle(word, "unrated") ||
            word == "r" || word == "u") {
            seek.rated = AccountStore::SameHandle(word, "rated") || word == "r";
        } else if (AccountStore::SameHandle(word, "white") ||
                   AccountStore::SameHandle(word, "black")) {
            seek.colour = AccountStore::SameHandle(word, "white") ? 1 : 0;
        } else if (word == "m" || word == "a") {
            // "a": accepted at once, whatever the "manualaccept" variable says.
            seek.manual = word == "m";
        } else if (word == "f" || word == "n") {
            // "n": no formula, whatever the "useformula" variable says.
            seek.formula = word == "f";
        } else if (ParseRange(word, seek.minRating, seek.maxRating)) {
            // Read into the seek by ParseRange.
        } else if ((word.front() == 'w' || word.front() == 'W') &&
                   CommandWords::ParseInt(word.substr(1), wild) && ServerGame::Playable(wild)) {
            seek.wild = wild;
        } else {
            session.SendText(word.front() == 'w' ? MatchCommands::kPlayableWilds : "");
            CommandTable::SendUsage(session, "seek");
            return;
        }
    }
    if (session.IsGuest()) seek.rated = false;
    if (core.Seeks().CountOf(session.Handle()) >= SeekList::kMaxPerPerson) {
        session.SendText("You already have " + std::to_string(SeekList::kMaxPerPerson) +
                         " seeks open.\n");
        return;
    }
    seek.category = seek.wild != 0 ? MatchCommands::kWildCategory
                                   : MatchCommands::CategoryOf(seek.minutes, seek.increment);
    const SeekList::Seek& added = core.Seeks().Add(seek);
    session.SendText("Your seek has been posted with index " + std::to_string(added.index) + ".\n");
    Announce(core, added);
}

void SeekCommands::Unseek(ServerCore& core, ClientSession& session, std::string_view args) {
    int index = -1;
    if (!args.empty() && !CommandWords::ParseInt(args, index)) {
        CommandTable::SendUsage(session, "unseek");
        return;
    }
    const std::vector<SeekList::Seek> taken = core.Seeks().Take(session.Handle(), index);
    if (taken.empty()) session.SendText("You have no such seek.\n");
    for (const SeekList::Seek& seek : taken) {
        AnnounceRemoved(core, seek);
        session.SendText("Your seek " + std::to_string(seek.index) + " is removed.\n");
    }
}

void SeekCommands::Play(ServerCore& core, ClientSession& session, std::string_view args) {
    int index = 0;
    const SeekList::Seek* found =
        CommandWords::ParseInt(args, index) ? core.Seeks().Find(index) : nullptr;
    if (found == nullptr) {
        session.SendText("That seek is not available.\n");
        return;
    }
    if (AccountStore::SameHandle(found->handle, session.Handle())) {
        session.SendText("You cannot play your own seek.\n");
        return;
    }
    const SeekList::Seek seek = *found;
    if (core.FindLoggedIn(seek.handle) == nullptr) {
        session.SendText("That seek is not available.\n");
        return;
    }
    if (const int rating = RatingIn(&session, seek.category);
        rating < seek.minRating || rating > seek.maxRating) {
        session.SendText("Your rating is outside the range of that seek.\n");
        return;
    }
    if (core.Lists().Holds(PersonLists::Kind::Noplay, seek.handle, session.Handle())) {
        session.SendText("You are on " + seek.handle + "'s noplay list.\n");
        return;
    }
    if (core.Games().CountInvolving(session.Handle()) >= GameRoom::kMaxGamesPerPerson) {
        session.SendText("You are part of too many games already.\n");
        return;
    }
    GameRoom::Terms terms;
    const bool seekerWhite = seek.colour != 0;
    terms.white = seekerWhite ? seek.handle : session.Handle();
    terms.black = seekerWhite ? session.Handle() : seek.handle;
    terms.minutes = seek.minutes;
    terms.increment = seek.increment;
    terms.rated = seek.rated && !session.IsGuest();
    terms.category = seek.category;
    terms.wild = seek.wild;
    RemoveSeeksOf(core, seek.handle);
    RemoveSeeksOf(core, session.Handle());
    core.Games().StartPlayed(terms);
}

void SeekCommands::Sought(ServerCore& core, ClientSession& session, std::string_view) {
    for (const SeekList::Seek& seek : core.Seeks().All())
        session.SendText(std::to_string(seek.index) + " " + Describe(core, seek) + "\n");
    session.SendText(std::to_string(core.Seeks().All().size()) + " ads displayed.\n");
}
