// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <cstdint>
#include <string>

class CServerMessage;

// What a game window knows about a game besides its moves: the players, the
// time control, the variant and the flags of the game-start and game-header
// datagrams, and the texts made from them (player labels, the information
// line, the window title). Per-side pairs are indexed [0] Black, [1] White.
struct GameHeader {
    int gameNumber = -1;
    std::string names[2] = {"Black", "White"};
    std::string titles[2];
    int ratings[2] = {0, 0};
    int initialMinutes[2] = {5, 5};
    int incrementSeconds[2] = {0, 0};
    int wild = 0;
    std::string ratingType = "Blitz";
    bool rated = false;
    bool gameOver = false;
    uint32_t gameId = 0;
    bool localCheck = true;
    bool dropGame = false;
    bool kingPromotion = false;
    // Field 21 reads "?" or "untimed".
    bool untimed = false;

    // Fields 1 to 21 of a game-start or game-header datagram, and field 22
    // (king promotion) of a game start when it is there.
    void Read(const CServerMessage& message, bool gameStart);

    // "name (title) rating (material)"; the material only when shown.
    std::string LabelText(int side, bool showMaterial, int material) const;
    // "%d %d %c " with White's time, then the variant or category, then
    // " (inactive)" or " (examined)".
    std::string InfoLine(bool inactive, bool examined) const;
    // "(no game yet)", or "%s Game #%d - %s" with the status word, the game
    // number and the players with their titles.
    static std::string Title(const GameHeader& header, int shownNumber, const char* status);
};
