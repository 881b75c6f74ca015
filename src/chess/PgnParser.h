// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <cstddef>
#include <vector>

#include "chess/PgnGame.h"

// Turns the text of a PGN file into its games, in file order. PgnFile calls
// it on the buffer it owns; the games point into that buffer, which the
// tokenizer cuts up in place.
//
// A game starts at a "[" that is not inside commentary. Its tag section is a
// run of "[name value ...]" groups; its move text is read up to a result
// token. Any other token ends the move text early: the game keeps the moves
// read so far and reading goes on at the next "[".
class PgnParser {
  public:
    // text[0..size) is parsed; text[size] must exist and becomes NUL.
    static std::vector<PgnGame> ParsePgn(char* text, size_t size);
};
