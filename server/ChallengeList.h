// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The open challenges ("match") of the test server: at most one from a player
// to another. MatchCommands issues and ends them; ServerCore ends those of a
// player who leaves. Handles are compared without regard to case.
class ChallengeList {
  public:
    struct Challenge {
        std::string from;  // the challenger
        std::string to;    // the one challenged
        int minutes = 0;
        int increment = 0;
        bool rated = false;
        int colour = -1;   // the challenger's: -1 none, 0 Black, 1 White
        int category = 0;  // rating category number
        int wild = 0;
        int skill = -1;  // the computer player's strength asked for, or -1
    };

    const std::vector<Challenge>& All() const { return m_challenges; }
    const Challenge* Find(std::string_view from, std::string_view to) const;
    // Adds the challenge, or replaces the one between the same two players.
    void Put(Challenge challenge);
    // The challenges that match, taken out of the list, in the order made.
    // An empty `from` or `to` matches anyone.
    std::vector<Challenge> Take(std::string_view from, std::string_view to);
    // Every challenge from or to the player, taken out of the list.
    std::vector<Challenge> TakeInvolving(std::string_view handle);

  private:
    std::vector<Challenge> m_challenges;
};
