// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "EngineProcess.h"

class ClientSession;
class ServerCore;
class ServerGame;

// The computer player: a logged-in session without a socket that keeps two
// seeks open, accepts the challenges addressed to it, and answers moves with
// a UCI engine, one engine process per game at the game's skill level. It acts
// only through the ordinary command path ("accept", "seek", moves), so it
// plays by the same rules as a person. ServerCore calls Tick from its poll
// loop; the engines' output descriptors are polled there too. Crazyhouse
// games need an engine that knows the variant (fairy-stockfish); without one
// every variant challenge is declined.
class ComputerPlayer {
  public:
    static constexpr size_t kMaxGames = 4;
    static constexpr int kDefaultSkill = 5;

    // `variantEnginePath` may be empty: then only standard chess is played.
    ComputerPlayer(ServerCore& core, ClientSession& session, std::string enginePath,
                   std::string variantEnginePath = {});

    void Tick(int64_t now);
    std::vector<int> Fds() const;
    const std::string& Handle() const;

    // The skill level for an opponent's rating when the challenge named none.
    static int SkillForRating(int rating);
    // How long to think: a sixtieth of the time left and half the
    // increment, at most 2 seconds.
    static int ThinkMs(int64_t timeLeftMs, int increment, bool timed);

  private:
    struct Search {
        std::unique_ptr<EngineProcess> engine;
        int askedAtPly = -1;  // the ply the engine is thinking about, -1 none
        int64_t askedAt = 0;
    };

    void AcceptChallenges();
    void KeepSeeking();
    void Think(int number, Search& search, int64_t now);
    void AnswerOffers(ServerGame& game);
    void Run(const std::string& line);

    ServerCore& m_core;
    ClientSession& m_session;
    std::string m_enginePath;
    std::string m_variantEnginePath;
    std::map<int, Search> m_searches;  // by game number
};
