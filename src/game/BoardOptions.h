// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <cstdint>

// The preferences every game window reads while it paints or takes input: a
// plain copy of the main frame's settings, so that the game windows need not
// know where they are stored, tests can set them directly, and printing can
// paint with its own values for one page. Colours are 0x00BBGGRR as the
// settings file writes them.
struct CBoardOptions {
    enum DragStyle { DragNormal = 0, DragTargetCursor = 1, DragPieceCursor = 2 };
    static constexpr int kPieceSets = 8;
    static constexpr int kBoardStyles = 7;
    static constexpr int kSolidBoard = 6;
    static constexpr int kVectorSet = 4;

    int pieceSet = 2;
    int boardStyle = 0;
    bool drawCoords = false;
    bool highlightMoves = true;
    bool strength = false;
    bool showCaptures = false;
    bool examinePlunkers = false;
    bool animateMoves = true;
    int animateTime = 400;
    uint32_t lightSquare = 0xe0f0f0;
    uint32_t darkSquare = 0x80a000;
    uint32_t highlight = 0xff;
    uint32_t arrow = 0xff;
    uint32_t circle = 0xffff00;

    bool dragMove = true;
    int dragType = DragNormal;
    bool smartMove = false;
    bool alwaysQueen = false;

    bool showTenthsAlways = false;
    bool showTenthsWhenLow = true;

    bool bypassConsole = false;
    bool confirmResign = false;
    bool logMyGames = false;

    // Sets 5, 6 and 7 stand taller than their squares.
    static bool Is3DSet(int set) { return set >= 5 && set <= 7; }
    bool Is3D() const { return Is3DSet(pieceSet); }
};
