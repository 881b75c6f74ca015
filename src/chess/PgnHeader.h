// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "chess/PgnGame.h"

// What a game window takes from a PGN game's tags when it shows the game
// locally: names, titles, ratings, variant and rating category, time control,
// start board and side to move, and the result text. The game window copies
// these into its own members; PgnUpload shares the wild-number and
// time-control readings. Per-side pairs are indexed [0] Black, [1] White.
struct PgnHeader {
    struct TimeControl {
        int minutes = 0;
        int increment = 0;
    };

    std::string names[2] = {"Black", "White"};
    std::string titles[2];
    int ratings[2] = {0, 0};
    int wild = 0;
    bool rated = true;
    TimeControl time;
    std::string ratingType;
    // Each clock's starting value, not running: the minutes in milliseconds,
    // or 10 seconds for a game without minutes.
    int64_t clockMillis = 0;
    // From the "FEN" tag: the board text of its placement and whether Black
    // is to move (the record then starts at ply 1).
    bool hasFen = false;
    std::string startBoard;
    bool blackToMove = false;
    // The file (0..7) of the FEN's en-passant square, or -1: the record takes
    // it so that the first move may capture en passant.
    int epFile = -1;
    std::string result = "*";

    static PgnHeader Read(const PgnGame& game);

    // "TimeControl" as "%d+%d" seconds: a base under a minute without
    // increment counts as one minute; no tag (or no number) gives 0 and 0.
    static TimeControl ReadTimeControl(const PgnGame& game);
    // The wild number from "Event" ("VCX w%d", "VCX tourney %*d (w%d") and
    // then "Variant" ("w%d"), the later reading winning; 0 when none.
    static int ReadWild(const PgnGame& game);
    // The board text of a FEN placement (up to its first blank): digits
    // become runs of "-", "/" is dropped, letters are copied. Always 64
    // characters: a longer placement is cut, a shorter one padded with "-".
    static std::string PlacementToBoard(std::string_view fen);
    // "1-0", "0-1", "1/2-1/2" for result codes 0, 1, 2; "*" otherwise.
    static std::string_view ResultText(int resultCode);
};
