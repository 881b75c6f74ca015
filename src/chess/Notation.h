// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

// The three move notations and the conversions between them.
//
// Smith move: origin and destination squares ("e2e4"), then optionally a
// capture letter "pnbrqk", a promotion "NBRQ" (after the capture letter if
// both), "E" for en passant, "c"/"C" for short/long castling; a drop is
// "N@f3". SAN: the notation of PGN files. Verbose: "P/e2-e4", "o-o", "o-o-o".
//
// BuildSmithMove works on a GameRecord's board text (move input of the game
// window); ReadSan, build_pretty_move and algebraicToSmith work on the
// numeric Position (the PGN reader). Results are returned by value; no call
// keeps state between calls.

#include <optional>
#include <string>
#include <string_view>

#include "chess/GameRecord.h"
#include "chess/Position.h"

// Results of ReadSan and ResolveSan.
enum SanResult : int {
    SanOk = 0,            // one legal move found and made
    SanNoMove = -1,       // no legal move matches, or the text cannot be read
    SanAmbiguous = -2,    // more than one legal move matches
    SanLeavesCheck = -3,  // only moves leaving the own king in check match, or
                          // castling was asked for while in check
};

// One resolved move: squares as Position file and rank indices (0..7), and
// the check_general code of the move when result is SanOk.
struct SanMove {
    int result = SanNoMove;
    int fromFile = -1;
    int fromRank = -1;
    int toFile = -1;
    int toRank = -1;
    int code = Position::MoveImpossible;
};

// The Smith move for the user's move from `origin` ("e2", or "N@" for a drop)
// to `destination` ("e4") on the record's current board. `promotion` is the
// promotion piece letter (either case); it is used only for a pawn reaching
// the last rank, and 0 adds nothing.
std::string BuildSmithMove(const GameRecord& record, std::string_view origin,
                           std::string_view destination, char promotion);

// Resolves normalised SAN text without check signs or promotion (as ReadSan
// hands it over: "Nbd7", "exd5", "QxN", "e4", "ed") to one move of the side to
// move of `pos`, applying the b-file rule. Castling words are not handled
// here.
SanMove ResolveSan(std::string_view text, const Position& pos);

// Reads SAN text (lenient: "nf3", "0-0", "e1g1", "e8=n", "Qh5#") and makes the
// move. On SanOk `out` is the position after the move; otherwise its content
// is unspecified. `san` (built by build_pretty_move) and `verbose` are filled
// only on SanOk and only when given. `out` may be the same object as `in`
// only if the caller does not need `in` afterwards.
int ReadSan(std::string_view text, const Position& in, std::string* san, std::string* verbose,
            Position& out);

// The shortest SAN for the move from (fromFile, fromRank) to (toFile, toRank)
// between the two positions, with "=X" for a promotion and "+" for a check
// (also for mate). Castling is not written here (ReadSan writes "O-O").
std::string build_pretty_move(int fromFile, int fromRank, int toFile, int toRank,
                              const Position& before, const Position& after);

// Converts one SAN move of a PGN game to a Smith move and advances `pos` by it.
// Annotations ("!", "?") and a trailing "ep" are dropped; drops ("N@f3") are
// accepted. No result for unreadable, illegal or ambiguous text; `pos` is then
// unchanged.
std::optional<std::string> algebraicToSmith(std::string_view san, Position& pos);
