// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "GameRoom.h"

#include <algorithm>
#include <cctype>
#include <ctime>

#include "AccountStore.h"
#include "ClientSession.h"
#include "CommandWords.h"
#include "ServerCore.h"

namespace {

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string Today() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    gmtime_r(&now, &parts);
    char text[16];
    std::strftime(text, sizeof text, "%Y.%m.%d", &parts);
    return text;
}

std::string TimeOfDay() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    gmtime_r(&now, &parts);
    char text[16];
    std::strftime(text, sizeof text, "%H:%M:%S", &parts);
    return text;
}

int RatingOf(const ClientSession* person, int category) {
    if (person == nullptr || person->IsGuest()) return 0;
    const auto index = static_cast<size_t>(category - 1);
    return index < person->Ratings().size() ? person->Ratings()[index] : 0;
}

bool Contains(const std::vector<std::string>& names, std::string_view handle) {
    return std::any_of(names.begin(), names.end(),
                       [&](const std::string& n) { return AccountStore::SameHandle(n, handle); });
}

void Erase(std::vector<std::string>& names, std::string_view handle) {
    std::erase_if(names, [&](const std::string& n) { return AccountStore::SameHandle(n, handle); });
}

constexpr std::string_view kOfferNames[ServerGame::kOfferKinds] = {"a draw", "to adjourn",
                                                                   "to abort", "a takeback"};

}  // namespace

int64_t GameRoom::Now() const {
    return m_core.NowMs();
}

ServerGame& GameRoom::StartPlayed(const Terms& terms) {
    auto game = std::make_unique<ServerGame>();
    game->number = m_nextNumber++;
    game->id = m_nextId++;
    game->names = {terms.black, terms.white};
    for (int side = 0; side < 2; ++side) {
        const ClientSession* person = m_core.FindLoggedIn(game->names[static_cast<size_t>(side)]);
        if (person != nullptr) game->names[static_cast<size_t>(side)] = person->Handle();
        game->titles[static_cast<size_t>(side)] = person != nullptr ? person->Titles() : "";
        game->ratings[static_cast<size_t>(side)] = RatingOf(person, terms.category);
    }
    game->minutes = terms.minutes;
    game->increment = terms.increment;
    game->rated = terms.rated;
    game->wild = terms.wild;
    game->ResetStandard();
    constexpr int kLastCategory = static_cast<int>(AccountStore::kCategories.size());
    game->category = std::string(AccountStore::kCategories[static_cast<size_t>(
        std::clamp(terms.category, 1, kLastCategory) - 1)]);
    game->skill = terms.skill;
    game->date = Today();
    game->time = TimeOfDay();
    // "0 N" games start with 10 seconds, so that the first move is possible.
    constexpr int64_t kNoMinutesStart = 10000;
    const int64_t start = !game->Timed()       ? 0
                          : terms.minutes == 0 ? kNoMinutesStart
                                               : int64_t{terms.minutes} * 60000;
    game->clockMs = {start, start};
    game->turnStartMs = Now();
    ServerGame& ref = *game;
    m_games.emplace(ref.number, std::move(game));
    for (int side = 1; side >= 0; --side) {
        const std::string& handle = ref.names[static_cast<size_t>(side)];
        SetCurrent(handle, ref.number);
        if (ClientSession* person = m_core.FindLoggedIn(handle)) {
            person->SendText("{Game " + std::to_string(ref.number) + " (" + ref.names[1] + " vs. " +
                             ref.names[0] + ") Creating " + (ref.rated ? "rated " : "unrated ") +
                             Lower(ref.category) + " match.}\n");
            SendGameTo(*person, ref, DG_GAME_STARTED, side == 1 ? "PW" : "PB");
            // Black sees the board from its own side from the first move.
            if (side == 0) {
                DatagramWriter flip(DG_FLIP);
                person->SendDatagram(flip.Add(ref.number).Add(1));
            }
        }
    }
    // Those who follow a player observe each game the player starts.
    for (ClientSession* person : m_core.LoggedIn()) {
        const std::string& followed = person->Following();
        if (!followed.empty() && ref.ColourOf(followed) >= 0 &&
            ref.ColourOf(person->Handle()) < 0 &&
            CountInvolving(person->Handle()) < kMaxGamesPerPerson) {
            Observe(*person, ref);
        }
    }
    return ref;
}

ServerGame& GameRoom::StartExamined(const std::string& handle, int minutes, int increment) {
    auto game = std::make_unique<ServerGame>();
    game->number = m_nextNumber++;
    game->id = m_nextId++;
    game->state = ServerGame::State::Examining;
    game->names = {handle, handle};
    game->minutes = minutes;
    game->increment = increment;
    game->date = Today();
    game->time = TimeOfDay();
    game->examiners = {handle};
    ServerGame& ref = *game;
    m_games.emplace(ref.number, std::move(game));
    SetCurrent(handle, ref.number);
    if (ClientSession* person = m_core.FindLoggedIn(handle)) {
        person->SendText("Starting a game in examine mode.\n");
        SendGameTo(*person, ref, DG_GAME_STARTED_40, "E");
    }
    return ref;
}

ServerGame& GameRoom::ExamineStored(const std::string& handle, const ServerGame& stored) {
    auto game = std::make_unique<ServerGame>(stored);
    game->number = m_nextNumber++;
    game->id = m_nextId++;
    game->state = ServerGame::State::Examining;
    game->observers.clear();
    game->examiners = {handle};
    game->offers = {};
    ServerGame& ref = *game;
    m_games.emplace(ref.number, std::move(game));
    SetCurrent(handle, ref.number);
    if (ClientSession* person = m_core.FindLoggedIn(handle)) {
        SendGameTo(*person, ref, DG_GAME_STARTED_40, "E");
    }
    return ref;
}

ServerGame* GameRoom::Find(int number) {
    const auto it = m_games.find(number);
    return it == m_games.end() ? nullptr : it->second.get();
}

const ServerGame* GameRoom::FindById(uint32_t id) const {
    for (const auto& [number, game] : m_games) {
        if (game->id == id) return game.get();
    }
    for (const ServerGame& game : m_finished) {
        if (game.id == id) return &game;
    }
    return nullptr;
}

ServerGame* GameRoom::CurrentOf(std::string_view handle) {
    const auto it = m_current.find(Lower(handle));
    if (it != m_current.end()) {
        ServerGame* game = Find(it->second);
        if (game != nullptr && (game->ColourOf(handle) >= 0 || Contains(game->examiners, handle) ||
                                Contains(game->observers, handle)))
            return game;
    }
    ServerGame* newest = nullptr;
    for (const auto& [number, game] : m_games) {
        const bool plays = game->state == ServerGame::State::Playing && game->ColourOf(handle) >= 0;
        if (plays || Contains(game->examiners, handle)) newest = game.get();
    }
    return newest;
}

void GameRoom::SetCurrent(std::string_view handle, int number) {
    m_current[Lower(handle)] = number;
}

std::vector<ServerGame*> GameRoom::PlayedBy(std::string_view handle) {
    std::vector<ServerGame*> games;
    for (const auto& [number, game] : m_games) {
        if (game->state == ServerGame::State::Playing && game->ColourOf(handle) >= 0)
            games.push_back(game.get());
    }
    return games;
}

std::vector<ServerGame*> GameRoom::All() {
    std::vector<ServerGame*> games;
    for (const auto& [number, game] : m_games) games.push_back(game.get());
    return games;
}

size_t GameRoom::CountInvolving(std::string_view handle) {
    size_t count = 0;
    for (const auto& [number, game] : m_games) {
        const bool plays = game->state == ServerGame::State::Playing && game->ColourOf(handle) >= 0;
        if (plays || Contains(game->examiners, handle) || Contains(game->observers, handle))
            ++count;
    }
    return count;
}

std::vector<std::string> GameRoom::Parties(const ServerGame& game) const {
    std::vector<std::string> parties;
    auto add = [&](const std::string& handle) {
        if (!handle.empty() && !Contains(parties, handle)) parties.push_back(handle);
    };
    if (game.state == ServerGame::State::Playing) {
        add(game.names[1]);
        add(game.names[0]);
    }
    for (const std::string& handle : game.examiners) add(handle);
    for (const std::string& handle : game.observers) add(handle);
    return parties;
}

void GameRoom::ToAll(const ServerGame& game, const DatagramWriter& datagram,
                     std::string_view text) {
    for (const std::string& handle : Parties(game)) {
        ClientSession* person = m_core.FindLoggedIn(handle);
        if (person == nullptr) continue;
        if (text.empty()) {
            person->SendDatagram(datagram);
        } else {
            person->SendDatagramOrText(datagram, text);
        }
    }
}

DatagramWriter GameRoom::Header(const ServerGame& game, DatagramNumber number) const {
    DatagramWriter d(number);
    const bool live = !game.over;
    d.Add(game.number).Add(game.names[1]).Add(game.names[0]).Add(game.wild).Add(game.category);
    d.Add(game.rated ? 1 : 0).Add(game.minutes).Add(game.increment).Add(game.minutes);
    d.Add(game.increment).Add(live ? 1 : 0).Add("0").Add(game.ratings[1]).Add(game.ratings[0]);
    d.Add(std::to_string(game.id)).Add(game.titles[1]).Add(game.titles[0]);
    constexpr int kIrregular = 0;
    constexpr int kUnused = 0;
    d.Add(kIrregular).Add(kUnused).Add(game.DropGame() ? 1 : 0).Add(game.TimeControlText());
    if (number != DG_GAME_HEADER) {
        constexpr int kKingPromotion = 0;
        d.Add(kKingPromotion);
    }
    return d;
}

DatagramWriter GameRoom::Position(const ServerGame& game) const {
    DatagramWriter d(DG_POSITION_AND_MOVES);
    d.Add(game.number).Add(game.StartBoard());
    for (int p = 0; p < game.Shown(); ++p) {
        const ServerGame::Ply& ply = game.Plies()[static_cast<size_t>(p)];
        d.Add(ply.san + " " + ply.smith);
    }
    return d;
}

DatagramWriter GameRoom::Relation(const ServerGame& game, std::string_view code) {
    DatagramWriter d(DG_RELATION);
    d.Add(game.number).Add(code);
    return d;
}

void GameRoom::SendClocks(const ServerGame& game, ClientSession* only) {
    const int64_t now = Now();
    for (int side = 1; side >= 0; --side) {
        DatagramWriter d(DG_SET_CLOCK);
        const bool running = game.state == ServerGame::State::Playing && !game.over &&
                             game.Timed() && game.Current().SideToMove() == side;
        d.Add(game.number).Add(side == 1 ? "W" : "B");
        d.Add(std::to_string(game.TimeLeft(side, now))).Add(running ? 1 : 0);
        if (only != nullptr) {
            only->SendDatagram(d);
        } else {
            ToAll(game, d);
        }
    }
}

void GameRoom::SendOffers(const ServerGame& game) {
    DatagramWriter d(DG_OFFERS);
    d.Add(game.number);
    for (int kind = 0; kind < ServerGame::kOfferKinds; ++kind) {
        d.Add(game.offers[1][static_cast<size_t>(kind)])
            .Add(game.offers[0][static_cast<size_t>(kind)]);
    }
    ToAll(game, d);
}

void GameRoom::SendHoldings(const ServerGame& game, ClientSession* only) {
    if (!game.DropGame()) return;
    DatagramWriter d(DG_PIECES_IN_HAND);
    d.Add(game.number)
        .Add(game.Current().Holdings(Referee::kWhite))
        .Add(game.Current().Holdings(Referee::kBlack));
    if (only != nullptr) {
        only->SendDatagram(d);
    } else {
        ToAll(game, d);
    }
}

void GameRoom::SendGameTo(ClientSession& person, const ServerGame& game, DatagramNumber start,
                          std::string_view relation) {
    person.SendDatagram(Header(game, start));
    person.SendDatagram(Relation(game, relation));
    person.SendDatagram(Position(game));
    SendHoldings(game, &person);
    if (game.state == ServerGame::State::Playing) SendClocks(game, &person);
    if (!person.WantsDatagram(DG_MOVE)) {
        person.SendText("Game " + std::to_string(game.number) + ": " + game.names[1] + " vs. " +
                        game.names[0] + ", " + game.TimeControlText() + ", position " +
                        game.Current().Fen() + "\n");
    }
}

void GameRoom::Move(ClientSession& actor, ServerGame& game, std::string_view text) {
    DatagramWriter illegal(DG_ILLEGAL_MOVE);
    illegal.Add(game.number).Add(text);
    const bool examining = game.state == ServerGame::State::Examining;
    if (!examining && (game.over || game.ColourOf(actor.Handle()) != game.Current().SideToMove())) {
        actor.SendDatagram(illegal);
        actor.SendText(game.ColourOf(actor.Handle()) < 0 ? "You are not playing this game.\n"
                                                         : "It is not your move.\n");
        return;
    }
    const std::optional<Referee::Move> move = game.Current().ReadMove(text);
    if (!move) {
        actor.SendDatagram(illegal);
        actor.SendText("Illegal move (" + std::string(text) + ").\n");
        return;
    }
    const int mover = game.Current().SideToMove();
    const int64_t now = Now();
    if (!examining && game.Timed()) {
        const int64_t left = game.TimeLeft(mover, now);
        if (left <= 0 && game.HasMatingMaterial(1 - mover)) {
            const ClientSession* opponent =
                m_core.FindLoggedIn(game.names[static_cast<size_t>(1 - mover)]);
            if (opponent == nullptr || opponent->Variable("autoflag") != "0") {
                FlagSide(game, mover);
                return;
            }
        }
        game.clockMs[static_cast<size_t>(mover)] = left + int64_t{game.increment} * 1000;
        game.turnStartMs = now;
    }
    const ServerGame::Ply ply = game.Play(*move);
    if (!examining) {
        // Moving answers the opponent's offers with a no; the mover's own
        // offers lapse with the position they were made in.
        const bool hadOffers = game.offers != decltype(game.offers){};
        game.offers = {};
        if (hadOffers) SendOffers(game);
    }
    DatagramWriter d(DG_MOVE);
    d.Add(game.number).Add(ply.san).Add(ply.smith);
    ToAll(game, d,
          "Game " + std::to_string(game.number) + ": " + actor.Handle() + " moves: " + ply.san +
              "\n");
    SendHoldings(game);
    if (!examining) {
        SendClocks(game);
        CheckEnding(game);
    }
}

void GameRoom::CheckEnding(ServerGame& game) {
    const Referee& position = game.Current();
    const std::string& toMove = game.names[static_cast<size_t>(position.SideToMove())];
    switch (position.Status()) {
        case Referee::Ending::Checkmate:
            End(game, "Mat", position.SideToMove() == 1 ? "0-1" : "1-0", toMove + " checkmated");
            return;
        case Referee::Ending::Stalemate:
            End(game, "Sta", "1/2-1/2", "Game drawn by stalemate");
            return;
        case Referee::Ending::FiftyMoves:
            End(game, "50", "1/2-1/2", "Game drawn by the 50 move rule");
            return;
        case Referee::Ending::Insufficient:
            End(game, "Ins", "1/2-1/2", "Game drawn because neither player has mating material");
            return;
        case Referee::Ending::None:
            break;
    }
    if (game.Repeated()) End(game, "Rep", "1/2-1/2", "Game drawn by repetition");
}

void GameRoom::Offer(ClientSession& actor, ServerGame& game, ServerGame::Offer kind, int plies) {
    const int side = game.ColourOf(actor.Handle());
    if (game.state != ServerGame::State::Playing || game.over || side < 0) {
        actor.SendText("You are not playing a game.\n");
        return;
    }
    const std::string& opponent = game.names[static_cast<size_t>(1 - side)];
    auto& mine = game.offers[static_cast<size_t>(side)];
    auto& theirs = game.offers[static_cast<size_t>(1 - side)];
    const auto k = static_cast<size_t>(kind);
    // Aborting before both sides have moved needs nobody's consent.
    if (kind == ServerGame::kAbort && game.PlyCount() < 2) {
        End(game, "Abo", "*", "Game aborted on move 1");
        return;
    }
    if (kind == ServerGame::kTakeback) {
        plies = std::clamp(plies, 1, std::max(1, game.PlyCount()));
        if (game.PlyCount() == 0) {
            actor.SendText("There are no moves to take back.\n");
            return;
        }
    } else {
        plies = 1;
    }
    if (theirs[k] != 0 && (kind != ServerGame::kTakeback || theirs[k] == plies)) {
        theirs[k] = 0;
        switch (kind) {
            case ServerGame::kDraw:
                End(game, "Agr", "1/2-1/2", "Game drawn by mutual agreement");
                return;
            case ServerGame::kAbort:
                End(game, "Abo", "*", "Game aborted by mutual agreement");
                return;
            case ServerGame::kAdjourn:
                End(game, "Adj", "*", "Game adjourned by mutual agreement");
                return;
            default:
                TakeBack(game, plies);
                SendOffers(game);
                return;
        }
    }
    mine[k] = plies;
    std::string what(kOfferNames[k]);
    if (kind == ServerGame::kTakeback) what += " of " + std::to_string(plies) + " half move(s)";
    actor.SendText("You offer " + what + " to " + opponent + ".\n");
    if (ClientSession* other = m_core.FindLoggedIn(opponent)) {
        other->SendText(actor.Handle() + " offers " + what + ".\n");
    }
    SendOffers(game);
}

void GameRoom::TakeBack(ServerGame& game, int plies) {
    // The side on move until now pays for its thinking before the turn changes.
    StopClock(game);
    const int taken = game.Back(plies, true);
    game.turnStartMs = Now();
    game.offers = {};
    DatagramWriter d(DG_UNDO_MOVES);
    d.Add(game.number).Add(taken);
    ToAll(game, d,
          "Game " + std::to_string(game.number) + ": " + std::to_string(taken) +
              " half move(s) taken back.\n");
    SendHoldings(game);
    SendClocks(game);
}

void GameRoom::Resign(ClientSession& actor, ServerGame& game) {
    const int side = game.ColourOf(actor.Handle());
    if (game.state != ServerGame::State::Playing || game.over || side < 0) {
        actor.SendText("You are not playing a game.\n");
        return;
    }
    End(game, "Res", side == 1 ? "0-1" : "1-0", actor.Handle() + " resigns");
}

void GameRoom::FlagSide(ServerGame& game, int side) {
    const std::string& loser = game.names[static_cast<size_t>(side)];
    const std::string& other = game.names[static_cast<size_t>(1 - side)];
    if (!game.HasMatingMaterial(1 - side)) {
        End(game, "Fla", "1/2-1/2",
            loser + " ran out of time and " + other + " has no material to mate");
        return;
    }
    End(game, "Fla", side == 1 ? "0-1" : "1-0", loser + " forfeits on time");
}

void GameRoom::Flag(ClientSession& actor, ServerGame& game) {
    const int side = game.ColourOf(actor.Handle());
    if (game.state != ServerGame::State::Playing || game.over || side < 0) {
        actor.SendText("You are not playing a game.\n");
        return;
    }
    const int other = 1 - side;
    if (!game.Timed() || game.TimeLeft(other, Now()) > 0) {
        actor.SendText("Your opponent is not out of time.\n");
        return;
    }
    FlagSide(game, other);
}

void GameRoom::Moretime(ClientSession& actor, ServerGame& game, int seconds) {
    const int side = game.ColourOf(actor.Handle());
    if (game.state != ServerGame::State::Playing || game.over || side < 0 || !game.Timed()) {
        actor.SendText("You are not playing a timed game.\n");
        return;
    }
    const int other = 1 - side;
    game.clockMs[static_cast<size_t>(other)] += int64_t{seconds} * 1000;
    DatagramWriter d(DG_CLOCK_ADD);
    d.Add(game.number).Add(other == 1 ? "W" : "B").Add(seconds);
    ToAll(game, d);
    const std::string text = actor.Handle() + " gives " + game.names[static_cast<size_t>(other)] +
                             " " + std::to_string(seconds) + " seconds.\n";
    actor.SendText(text);
    if (ClientSession* person = m_core.FindLoggedIn(game.names[static_cast<size_t>(other)]))
        person->SendText(text);
}

void GameRoom::Pending(ClientSession& actor, ServerGame& game) {
    bool any = false;
    for (int side = 1; side >= 0; --side) {
        for (int kind = 0; kind < ServerGame::kOfferKinds; ++kind) {
            const int value = game.offers[static_cast<size_t>(side)][static_cast<size_t>(kind)];
            if (value == 0) continue;
            any = true;
            std::string what(kOfferNames[static_cast<size_t>(kind)]);
            if (kind == ServerGame::kTakeback)
                what += " of " + std::to_string(value) + " half move(s)";
            actor.SendText(game.names[static_cast<size_t>(side)] + " offers " + what + ".\n");
        }
    }
    if (!any) actor.SendText("There are no offers pending.\n");
}

void GameRoom::StopClock(ServerGame& game) {
    const int side = game.Current().SideToMove();
    const int64_t now = Now();
    game.clockMs[static_cast<size_t>(side)] = game.TimeLeft(side, now);
    game.turnStartMs = now;
}

void GameRoom::End(ServerGame& game, std::string code, std::string result,
                   std::string description) {
    if (!game.over && game.state == ServerGame::State::Playing) StopClock(game);
    game.over = true;
    game.resultCode = std::move(code);
    game.result = std::move(result);
    game.description = std::move(description);
    game.offers = {};
    DatagramWriter d(DG_GAME_RESULT);
    d.Add(game.number).Add(1).Add(game.resultCode).Add(game.result).Add(game.description);
    ToAll(game, d,
          "{Game " + std::to_string(game.number) + " (" + game.names[1] + " vs. " + game.names[0] +
              ") " + game.description + "} " + game.result + "\n");
    SendClocks(game);
    ToAll(game, Relation(game, "X"));
    Keep(game);
    std::vector<std::string> examiners;
    for (const std::string& handle : {game.names[1], game.names[0]}) {
        const ClientSession* person = m_core.FindLoggedIn(handle);
        if (person != nullptr && person->Variable("examine") == "1" && !Contains(examiners, handle))
            examiners.push_back(handle);
    }
    if (examiners.empty()) {
        Remove(game.number);
        return;
    }
    game.state = ServerGame::State::Examining;
    game.observers.clear();
    game.examiners = examiners;
    for (const std::string& handle : examiners) {
        if (ClientSession* person = m_core.FindLoggedIn(handle))
            SendGameTo(*person, game, DG_GAME_STARTED_40, "E");
    }
}

void GameRoom::KeepCopy(const ServerGame& game, const std::string& keeper) {
    Keep(game);
    m_finished.back().keptBy = keeper;
}

void GameRoom::Keep(const ServerGame& game) {
    std::erase_if(m_finished, [&](const ServerGame& kept) { return kept.id == game.id; });
    m_finished.push_back(game);
    m_finished.back().observers.clear();
    m_finished.back().examiners.clear();
    if (m_finished.size() > kHistory) m_finished.erase(m_finished.begin());
}

void GameRoom::Remove(int number) {
    m_games.erase(number);
}

void GameRoom::Observe(ClientSession& person, ServerGame& game) {
    if (Contains(Parties(game), person.Handle())) {
        person.SendText("You are already part of game " + std::to_string(game.number) + ".\n");
        return;
    }
    game.observers.push_back(person.Handle());
    SetCurrent(person.Handle(), game.number);
    person.SendText("You are now observing game " + std::to_string(game.number) + ".\n");
    SendGameTo(person, game, DG_GAME_STARTED_18, "O");
}

void GameRoom::Unobserve(ClientSession& person, ServerGame& game) {
    if (!Contains(game.observers, person.Handle())) {
        person.SendText("You are not observing game " + std::to_string(game.number) + ".\n");
        return;
    }
    Erase(game.observers, person.Handle());
    person.SendDatagram(Relation(game, "X"));
    person.SendText("Removing game " + std::to_string(game.number) + " from observation list.\n");
}

void GameRoom::Unexamine(ClientSession& person, ServerGame& game) {
    Erase(game.examiners, person.Handle());
    person.SendDatagram(Relation(game, "X"));
    person.SendText("You are no longer examining game " + std::to_string(game.number) + ".\n");
    if (!game.examiners.empty()) return;
    for (const std::string& handle : game.observers) {
        if (ClientSession* observer = m_core.FindLoggedIn(handle)) {
            observer->SendDatagram(Relation(game, "X"));
            observer->SendText("Game " + std::to_string(game.number) + " is no longer examined.\n");
        }
    }
    Remove(game.number);
}

void GameRoom::Navigate(ServerGame& game, int n) {
    if (n > 0) {
        const int back = game.Back(n, false);
        if (back == 0) return;
        DatagramWriter d(DG_UNDO_MOVES);
        d.Add(game.number).Add(back);
        ToAll(game, d,
              "Game " + std::to_string(game.number) + ": back " + std::to_string(back) + ".\n");
        SendHoldings(game);
        return;
    }
    const std::vector<ServerGame::Ply> replayed = game.Forward(-n);
    for (const ServerGame::Ply& ply : replayed) {
        DatagramWriter d(DG_MOVE);
        d.Add(game.number).Add(ply.san).Add(ply.smith);
        ToAll(game, d, "Game " + std::to_string(game.number) + ": forward: " + ply.san + "\n");
    }
    if (!replayed.empty()) SendHoldings(game);
}

void GameRoom::SetUpDrop(ClientSession& actor, ServerGame& game, char piece, int square) {
    Referee position = game.Current();
    position.SetSquare(square, piece == 'X' || piece == 'x' ? '-' : piece);
    game.RestartFromCurrent(position);
    DatagramWriter d(DG_SET_BOARD);
    d.Add(game.number).Add(position.BoardText());
    ToAll(game, d,
          "Game " + std::to_string(game.number) + ": " + actor.Handle() + " sets up " +
              position.Fen() + "\n");
}

void GameRoom::LoadFen(ClientSession& actor, ServerGame& game, std::string_view fen) {
    if (!game.ResetFromFen(fen)) {
        actor.SendText("Not a position with one king each: " + std::string(fen) + "\n");
        return;
    }
    ToAll(game, Position(game),
          "Game " + std::to_string(game.number) + ": position " + game.Current().Fen() + "\n");
    SendHoldings(game);
}

void GameRoom::SendHeaderToAll(ServerGame& game) {
    ToAll(game, Header(game, DG_GAME_HEADER),
          "Game " + std::to_string(game.number) + ": " + game.names[1] + " vs. " + game.names[0] +
              "\n");
}

void GameRoom::Leave(std::string_view handle) {
    for (ServerGame* game : All()) {
        const int side = game->ColourOf(handle);
        if (game->state == ServerGame::State::Playing && !game->over && side >= 0) {
            End(*game, "Dis", side == 1 ? "0-1" : "1-0",
                std::string(handle) + " forfeits by disconnection");
            continue;
        }
        Erase(game->observers, handle);
        if (Contains(game->examiners, handle)) {
            Erase(game->examiners, handle);
            if (game->examiners.empty()) {
                for (const std::string& observer : game->observers) {
                    if (ClientSession* person = m_core.FindLoggedIn(observer))
                        person->SendDatagram(Relation(*game, "X"));
                }
                Remove(game->number);
            }
        }
    }
    // Games that went on into examining with this person as the examiner.
    for (ServerGame* game : All()) {
        Erase(game->examiners, handle);
        if (game->state == ServerGame::State::Examining && game->examiners.empty())
            Remove(game->number);
    }
    m_current.erase(Lower(handle));
}

void GameRoom::Tick(int64_t now) {
    for (ServerGame* game : All()) {
        if (game->state != ServerGame::State::Playing || game->over || !game->Timed()) continue;
        const int side = game->Current().SideToMove();
        if (game->TimeLeft(side, now) > 0) continue;
        const ClientSession* opponent =
            m_core.FindLoggedIn(game->names[static_cast<size_t>(1 - side)]);
        if (opponent != nullptr && opponent->Variable("autoflag") == "1") FlagSide(*game, side);
    }
}
