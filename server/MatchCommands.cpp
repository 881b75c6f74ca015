// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "MatchCommands.h"

#include <cmath>

#include "ClientSession.h"
#include "CommandTable.h"
#include "CommandWords.h"
#include "GameRoom.h"
#include "SeekCommands.h"
#include "ServerCore.h"

namespace {

using Challenge = ChallengeList::Challenge;

constexpr int kMaxMinutes = 600;
constexpr int kMaxIncrement = 300;

int RatingIn(const ClientSession* person, int category) {
    if (person == nullptr || person->IsGuest()) return 0;
    const auto index = static_cast<size_t>(category - 1);
    return index < person->Ratings().size() ? person->Ratings()[index] : 0;
}

std::string RatingText(int rating) {
    return rating > 0 ? std::to_string(rating) : "----";
}

// "Magnus (2880) Judit (2700) rated Blitz 5 0", as both parties read it.
std::string Describe(const Challenge& c, ServerCore& core) {
    std::string text = c.from + " (" + RatingText(RatingIn(core.FindLoggedIn(c.from), c.category)) +
                       ") " + c.to + " (" +
                       RatingText(RatingIn(core.FindLoggedIn(c.to), c.category)) + ") " +
                       (c.rated ? "rated " : "unrated ") +
                       std::string(AccountStore::kCategories[static_cast<size_t>(c.category - 1)]) +
                       " " + std::to_string(c.minutes) + " " + std::to_string(c.increment);
    if (c.colour >= 0)
        text += c.colour == 1 ? " (challenger plays White)" : " (challenger plays Black)";
    return text;
}

DatagramWriter ChallengeDatagram(const Challenge& c, const ClientSession& from,
                                 const ClientSession& to) {
    const int fromRating = RatingIn(&from, c.category);
    const int toRating = RatingIn(&to, c.category);
    // Rating state: 0 none, 2 established; this server has no provisional ratings.
    DatagramWriter datagram(DG_CHALLENGE);
    datagram.Add(from.Handle()).Add(fromRating).Add(fromRating > 0 ? 2 : 0).Add(from.Titles());
    datagram.Add(to.Handle()).Add(toRating).Add(toRating > 0 ? 2 : 0).Add(to.Titles());
    constexpr int kAdjourned = 0;
    datagram.Add(c.wild)
        .Add(AccountStore::kCategories[static_cast<size_t>(c.category - 1)])
        .Add(c.rated ? 1 : 0)
        .Add(kAdjourned);
    // Both sides play the same time control.
    datagram.Add(c.minutes).Add(c.increment).Add(c.minutes).Add(c.increment).Add(c.colour);
    if (c.rated) {
        // What the challenged player stands to lose, draw and win.
        datagram.Add(MatchCommands::RatingChange(toRating, fromRating, 0.0))
            .Add(MatchCommands::RatingChange(toRating, fromRating, 0.5))
            .Add(MatchCommands::RatingChange(toRating, fromRating, 1.0));
    }
    return datagram;
}

// Datagram 30 with `why` as its text to both parties still logged in.
void End(ServerCore& core, const Challenge& c, const std::string& why) {
    DatagramWriter removed(DG_CHALLENGE_REMOVED);
    removed.Add(c.from).Add(c.to).Add(why);
    for (const std::string& handle : {c.from, c.to}) {
        if (ClientSession* party = core.FindLoggedIn(handle)) {
            party->SendDatagramOrText(removed, why + "\n");
        }
    }
}

// "skill5": the computer player's strength asked for, 0 to 20.
bool ReadSkill(std::string_view word, int& skill) {
    constexpr std::string_view kSkill = "skill";
    int value = 0;
    if (word.size() <= kSkill.size() ||
        !AccountStore::SameHandle(word.substr(0, kSkill.size()), kSkill) ||
        !CommandWords::ParseInt(word.substr(kSkill.size()), value) || value < 0 || value > 20)
        return false;
    skill = value;
    return true;
}

// Reads "[minutes increment] [rated|unrated] [white|black]" over the defaults
// already in `c`; false on anything else.
bool ReadTerms(std::string_view args, Challenge& c, bool& ratedGiven) {
    std::string_view rest;
    std::string_view word = CommandWords::First(args, rest);
    int minutes = 0;
    if (CommandWords::ParseInt(word, minutes)) {
        std::string_view after;
        if (!CommandWords::ParseInt(CommandWords::First(rest, after), c.increment)) return false;
        c.minutes = minutes;
        word = CommandWords::First(after, rest);
    }
    for (; !word.empty(); word = CommandWords::First(rest, rest)) {
        if (AccountStore::SameHandle(word, "rated") || AccountStore::SameHandle(word, "unrated") ||
            word == "r" || word == "u") {
            c.rated = AccountStore::SameHandle(word, "rated") || word == "r";
            ratedGiven = true;
        } else if (AccountStore::SameHandle(word, "white")) {
            c.colour = 1;
        } else if (AccountStore::SameHandle(word, "black")) {
            c.colour = 0;
        } else if (ReadSkill(word, c.skill)) {
        } else if ((word.front() == 'w' || word.front() == 'W') && word.size() > 1 &&
                   CommandWords::ParseInt(word.substr(1), c.wild) && c.wild >= 0) {
        } else {
            return false;
        }
    }
    return c.minutes >= 0 && c.minutes <= kMaxMinutes && c.increment >= 0 &&
           c.increment <= kMaxIncrement;
}

int IntVariable(const ClientSession& session, std::string_view name) {
    int value = 0;
    return CommandWords::ParseInt(session.Variable(name), value) ? value : 0;
}

}  // namespace

void MatchCommands::Match(ServerCore& core, ClientSession& session, std::string_view args) {
    std::string_view terms;
    const std::string_view name = CommandWords::First(args, terms);
    Challenge c;
    c.minutes = IntVariable(session, "time");
    c.increment = IntVariable(session, "increment");
    c.rated = IntVariable(session, "rated") != 0;
    bool ratedGiven = false;
    if (name.empty() || !ReadTerms(terms, c, ratedGiven)) {
        CommandTable::SendUsage(session, "match");
        return;
    }
    ClientSession* opponent = core.FindLoggedIn(name);
    if (opponent == nullptr) {
        session.SendText(std::string(name) + " is not logged in.\n");
        return;
    }
    if (core.Lists().Holds(PersonLists::Kind::Noplay, opponent->Handle(), session.Handle())) {
        session.SendText("You are on " + opponent->Handle() + "'s noplay list.\n");
        return;
    }
    if (opponent == &session) {
        // A match against oneself is a game to examine (the PGN upload).
        if (core.Games().CountInvolving(session.Handle()) >= GameRoom::kMaxGamesPerPerson) {
            session.SendText("You are part of too many games already.\n");
            return;
        }
        std::string_view unused;
        int minutes = 0;
        const bool timed = CommandWords::ParseInt(CommandWords::First(terms, unused), minutes);
        core.Games().StartExamined(session.Handle(), timed ? c.minutes : 0,
                                   timed ? c.increment : 0);
        return;
    }
    if (c.minutes == 0 && c.increment == 0) {
        session.SendText("Games against others need a time control.\n");
        return;
    }
    if (!ServerGame::Playable(c.wild)) {
        session.SendText(kPlayableWilds);
        return;
    }
    if (session.IsGuest() || opponent->IsGuest()) {
        if (ratedGiven && c.rated) {
            session.SendText("Guests cannot play rated games.\n");
            return;
        }
        c.rated = false;
    }
    c.from = session.Handle();
    c.to = opponent->Handle();
    c.category = c.wild != 0 ? kWildCategory : CategoryOf(c.minutes, c.increment);
    for (const Challenge& old : core.Challenges().Take(c.from, c.to)) {
        End(core, old, c.from + " updates the challenge to " + c.to + ".");
    }
    core.Challenges().Put(c);
    const DatagramWriter datagram = ChallengeDatagram(c, session, *opponent);
    const std::string description = Describe(c, core);
    session.SendText("Issuing: " + description + ".\n");
    session.SendDatagram(datagram);
    opponent->SendDatagramOrText(datagram, "Challenge: " + description + ".\nType \"accept " +
                                               c.from + "\" or \"decline " + c.from + "\".\n");
}

void MatchCommands::Unmatch(ServerCore& core, ClientSession& session, std::string_view args) {
    const std::vector<Challenge> taken = core.Challenges().Take(session.Handle(), args);
    if (taken.empty()) {
        session.SendText(args.empty() ? std::string("You have no challenge to withdraw.\n")
                                      : "You have no challenge to " + std::string(args) + ".\n");
        return;
    }
    for (const Challenge& c : taken)
        End(core, c, c.from + " withdraws the challenge to " + c.to + ".");
}

void MatchCommands::Decline(ServerCore& core, ClientSession& session, std::string_view args) {
    if (args.empty()) {
        CommandTable::SendUsage(session, "decline");
        return;
    }
    const std::vector<Challenge> taken = core.Challenges().Take(args, session.Handle());
    if (taken.empty()) session.SendText("There is no challenge from " + std::string(args) + ".\n");
    for (const Challenge& c : taken)
        End(core, c, c.to + " declines the challenge from " + c.from + ".");
}

void MatchCommands::Accept(ServerCore& core, ClientSession& session, std::string_view args) {
    if (args.empty()) {
        CommandTable::SendUsage(session, "accept");
        return;
    }
    const std::vector<Challenge> taken = core.Challenges().Take(args, session.Handle());
    if (taken.empty()) session.SendText("There is no challenge from " + std::string(args) + ".\n");
    for (const Challenge& c : taken) {
        End(core, c, c.to + " accepts the challenge from " + c.from + ".");
        if (core.FindLoggedIn(c.from) == nullptr) continue;
        if (core.Games().CountInvolving(c.from) >= GameRoom::kMaxGamesPerPerson ||
            core.Games().CountInvolving(c.to) >= GameRoom::kMaxGamesPerPerson) {
            session.SendText("Too many games at once; the game is not started.\n");
            continue;
        }
        GameRoom::Terms terms;
        // The challenger plays White unless the challenge said otherwise.
        const bool challengerWhite = c.colour != 0;
        terms.white = challengerWhite ? c.from : c.to;
        terms.black = challengerWhite ? c.to : c.from;
        terms.minutes = c.minutes;
        terms.increment = c.increment;
        terms.rated = c.rated;
        terms.category = c.category;
        terms.skill = c.skill;
        terms.wild = c.wild;
        SeekCommands::RemoveSeeksOf(core, c.from);
        SeekCommands::RemoveSeeksOf(core, c.to);
        core.Games().StartPlayed(terms);
    }
}

int MatchCommands::RatingChange(int own, int other, double score) {
    const double expected = 1.0 / (1.0 + std::pow(10.0, (other - own) / 400.0));
    return static_cast<int>(std::lround(32.0 * (score - expected)));
}

int MatchCommands::CategoryOf(int minutes, int increment) {
    const int seconds = minutes * 60 + increment * 40;
    if (seconds < 180) return 1;
    if (seconds < 900) return 2;
    return 3;
}

void MatchCommands::EndChallengesOf(ServerCore& core, std::string_view handle,
                                    const std::string& why) {
    for (const Challenge& c : core.Challenges().TakeInvolving(handle)) End(core, c, why);
}
