// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <cstdint>

#include "chess/Position.h"

// Whether one side's king is attacked on a numeric Position board, now or
// after one of that side's moves. Position::InCheck and check_general use it,
// and the SAN resolver keeps one per position it resolves: reading one move
// tests several (origin, target) pairs of the same side on the same board,
// so the board is looked at once, as three bit sets (occupied squares, the
// king, the enemy pieces), and each pair only changes the few bits its move
// touches instead of copying the board. Only the few enemy pieces that the
// sets show next to the king, a knight's jump away or first on one of its
// lines are then looked up on the board.
//
// The rules are those of InCheck: the first king of the side in a1, a2, ...,
// h8 order is the one tested, and a side without a king counts as attacked.
class KingSafety {
  public:
    // Bit = board index (a1 = 0, a2 = 1, ..., h8 = 63).
    using SquareSet = uint64_t;

    // Gathers the sets of `colour` (1 White, anything else Black) on `board`,
    // which must outlive this object and stay unchanged.
    KingSafety(const Position::Board& board, int colour);

    int Colour() const { return m_colour; }
    // As gathered: the occupied squares, and those holding a code of the
    // other colour (a code below 10 is White).
    SquareSet Occupied() const { return m_occupied; }
    SquareSet Enemies() const { return m_enemy; }

    // The squares from which a piece of `type` and `colour` could reach
    // `square` on an empty board (pawns: its steps and its captures). Every
    // move check_general allows starts in this set, so a resolver may pass
    // over pairs outside it without asking. Any other type gives every square.
    static SquareSet ReachingSquares(int type, int colour, int square);

    // The king is attacked on the board as gathered.
    bool Attacked() const;

    // The king would be attacked after the piece on board index `from` moves
    // to `to`, with `victim` (a board index, or -1) emptied as an en-passant
    // capture removes its pawn. Whatever stood on `to` is captured.
    bool AttackedAfter(int from, int to, int victim) const;

  private:
    bool KingAttacked(SquareSet king, SquareSet occupied, SquareSet enemies) const;
    // The type (1..6 for a real piece) of the enemy piece on `square`.
    int EnemyType(int square) const;

    const Position::Board& m_board;
    int m_colour;
    SquareSet m_occupied = 0;
    SquareSet m_king = 0;   // the side's kings
    SquareSet m_enemy = 0;  // every square holding a code of the other colour
};
