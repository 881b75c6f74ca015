// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "ComputerPlayer.h"

#include <algorithm>

#include "ClientSession.h"
#include "GameRoom.h"
#include "ServerCore.h"

namespace {

// An engine that does not answer within this margin past its time is
// restarted; the game must not wait for ever.
constexpr int64_t kAnswerMargin = 10000;

std::string UciMove(const Referee::Move& move) {
    // Drops are "N@f3" in UCI too, the letter upper case for either side.
    if (move.drop != 0) return Referee::Smith(move, '-');
    std::string text = Referee::SquareName(move.from) + Referee::SquareName(move.to);
    if (move.promotion != 0) text += static_cast<char>(move.promotion - 'A' + 'a');
    return text;
}

}  // namespace

ComputerPlayer::ComputerPlayer(ServerCore& core, ClientSession& session, std::string enginePath,
                               std::string variantEnginePath)
    : m_core(core),
      m_session(session),
      m_enginePath(std::move(enginePath)),
      m_variantEnginePath(std::move(variantEnginePath)) {
    // Finished games are not examined: the computer player goes on at once.
    m_session.SetVariable("examine", "0");
}

const std::string& ComputerPlayer::Handle() const {
    return m_session.Handle();
}

int ComputerPlayer::SkillForRating(int rating) {
    if (rating <= 0) return kDefaultSkill;
    return std::clamp((rating - 1000) / 75, 0, 20);
}

int ComputerPlayer::ThinkMs(int64_t timeLeftMs, int increment, bool timed) {
    constexpr int kUntimed = 1000;
    constexpr int kMost = 2000;
    constexpr int kLeast = 50;
    if (!timed) return kUntimed;
    const int64_t share = timeLeftMs / 60 + int64_t{increment} * 500;
    return static_cast<int>(std::clamp<int64_t>(share, kLeast, kMost));
}

std::vector<int> ComputerPlayer::Fds() const {
    std::vector<int> fds;
    for (const auto& [number, search] : m_searches) {
        if (search.engine && search.engine->Fd() >= 0) fds.push_back(search.engine->Fd());
    }
    return fds;
}

void ComputerPlayer::Run(const std::string& line) {
    m_core.RunCommand(m_session, line, false);
}

void ComputerPlayer::Tick(int64_t now) {
    AcceptChallenges();
    const std::vector<ServerGame*> games = m_core.Games().PlayedBy(Handle());
    // Engines of games that ended go.
    std::erase_if(m_searches, [&](const auto& entry) {
        return std::none_of(games.begin(), games.end(), [&](const ServerGame* game) {
            return game->number == entry.first && !game->over;
        });
    });
    std::vector<int> numbers;
    for (const ServerGame* game : games) numbers.push_back(game->number);
    // Each command may end a game and take it away: look it up again after
    // every step.
    auto playing = [&](int number) {
        ServerGame* game = m_core.Games().Find(number);
        return game != nullptr && !game->over && game->state == ServerGame::State::Playing
                   ? game
                   : nullptr;
    };
    for (int number : numbers) {
        if (ServerGame* game = playing(number)) AnswerOffers(*game);
        if (playing(number) != nullptr) Think(number, m_searches[number], now);
    }
    KeepSeeking();
}

void ComputerPlayer::AcceptChallenges() {
    for (const ChallengeList::Challenge& c : m_core.Challenges().All()) {
        if (!AccountStore::SameHandle(c.to, Handle())) continue;
        const bool busy = m_core.Games().PlayedBy(Handle()).size() >= kMaxGames;
        const bool canPlay =
            c.wild == 0 || (c.wild == ServerGame::kCrazyhouse && !m_variantEnginePath.empty());
        if (!canPlay) {
            Run("tell " + c.from + " I play only standard chess here" +
                (c.wild == ServerGame::kCrazyhouse
                     ? std::string(": crazyhouse needs fairy-stockfish, which is not installed.")
                     : std::string(".")));
        }
        Run((busy || !canPlay ? "decline " : "accept ") + c.from);
        return;  // the list changed under us; the rest waits for the next tick
    }
}

void ComputerPlayer::KeepSeeking() {
    if (m_core.Games().PlayedBy(Handle()).size() >= kMaxGames) return;
    if (m_core.Seeks().CountOf(Handle()) > 0) return;
    Run("seek 5 0 unrated");
    Run("seek 2 12 unrated");
    // A rated offer with a range, so that a graph shows one it may grey out.
    Run("seek 15 0 rated 1200-2400");
}

void ComputerPlayer::AnswerOffers(ServerGame& game) {
    const int own = game.ColourOf(Handle());
    if (own < 0) return;
    const auto& theirs = game.offers[static_cast<size_t>(1 - own)];
    // Aborts and takebacks are granted, so that a person alone can try things;
    // draws and adjournments are not.
    if (theirs[ServerGame::kAbort] != 0) {
        Run("goto " + std::to_string(game.number));
        Run("abort");
    } else if (theirs[ServerGame::kTakeback] != 0) {
        Run("goto " + std::to_string(game.number));
        Run("takeback " + std::to_string(theirs[ServerGame::kTakeback]));
    }
}

void ComputerPlayer::Think(int number, Search& search, int64_t now) {
    std::string answer;
    if (search.engine) {
        const ServerGame* game = m_core.Games().Find(number);
        for (const std::string& line : search.engine->ReadLines()) {
            if (line.rfind("bestmove ", 0) != 0 || search.askedAtPly < 0) continue;
            const int asked = search.askedAtPly;
            search.askedAtPly = -1;
            // A takeback meanwhile makes the answer stale.
            if (asked != game->PlyCount() ||
                game->Current().SideToMove() != game->ColourOf(Handle()))
                continue;
            answer = line.substr(9, line.find(' ', 9) - 9);
        }
    }
    if (!answer.empty()) {
        Run("goto " + std::to_string(number));
        Run(answer);
    }
    ServerGame* found = m_core.Games().Find(number);
    if (found == nullptr || found->over || found->state != ServerGame::State::Playing) return;
    ServerGame& game = *found;
    const int own = game.ColourOf(Handle());
    if (game.Current().SideToMove() != own) {
        search.askedAtPly = -1;
        return;
    }
    if (search.askedAtPly == game.PlyCount() && now - search.askedAt < kAnswerMargin + 3000) return;
    if (!search.engine || !search.engine->Running() || search.askedAtPly >= 0) {
        search.engine = std::make_unique<EngineProcess>();
        if (!search.engine->Start(game.DropGame() ? m_variantEnginePath : m_enginePath)) return;
        int skill = game.skill;
        if (skill < 0) skill = SkillForRating(game.ratings[static_cast<size_t>(1 - own)]);
        search.engine->Send("uci");
        if (game.DropGame()) search.engine->Send("setoption name UCI_Variant value crazyhouse");
        search.engine->Send("setoption name Skill Level value " + std::to_string(skill));
        search.engine->Send("ucinewgame");
    }
    std::string position =
        game.StartFen().empty() ? "position startpos" : "position fen " + game.StartFen();
    if (game.PlyCount() > 0) {
        position += " moves";
        for (const ServerGame::Ply& ply : game.Plies()) position += " " + UciMove(ply.move);
    }
    search.engine->Send(position);
    const int think = ThinkMs(game.TimeLeft(own, now), game.increment, game.Timed());
    search.engine->Send("go movetime " + std::to_string(think));
    search.askedAtPly = game.PlyCount();
    search.askedAt = now;
}
