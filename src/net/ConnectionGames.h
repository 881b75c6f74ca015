// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

// What the game windows of one connection share about the user's games: how
// many the user plays (and how many of them are rated), which one the server
// treats as current, which one it was last told is primary, and whether every
// played game has had its move answered. The connection document holds one;
// the game windows read and write it as relations, moves and results arrive.
struct ConnectionGames {
    int played = 0;
    int rated = 0;
    int currentGame = -1;
    int primaryGame = -1;
    // No played game waits for the user's move: the next move that arrives
    // in a played game brings that game forward.
    bool allAnswered = false;
    bool gameEnded = false;

    bool PlaysSeveral() const { return played > 1; }
    // A played game ended or went away: the counts go down, never below 0.
    void Leave(bool wasRated) {
        if (played > 0) --played;
        if (wasRated && rated > 0) --rated;
    }
    void Join(bool isRated) {
        ++played;
        if (isRated) ++rated;
    }
};
