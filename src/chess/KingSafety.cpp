// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "chess/KingSafety.h"

#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

using SquareSet = KingSafety::SquareSet;

// Attack sets per square, built at compile time.
struct AttackTables {
    SquareSet knight[64];
    SquareSet king[64];
    SquareSet pawnFrom[2][64];  // where a pawn of that colour attacks the square from
    SquareSet ray[64][8];       // 0..3 straight, 4..7 diagonal
    SquareSet straight[64];     // the four straight rays together
    SquareSet diagonal[64];     // the four diagonal rays together
    SquareSet reach[2][7][64];  // ReachingSquares by colour and piece type 1..6
};

constexpr int kKnightSteps[8][2] = {{2, 1},  {1, 2},  {2, -1},  {1, -2},
                                    {-2, 1}, {-1, 2}, {-2, -1}, {-1, -2}};
// Index steps of the eight lines: +file is +8, +rank is +1.
constexpr int kLines[8][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}, {1, 1}, {1, -1}, {-1, -1}, {-1, 1}};
// Lines whose index grows away from the square: their nearest piece is the
// lowest bit, on the others the highest.
constexpr bool kLineGrows[8] = {true, true, false, false, true, true, false, false};

constexpr AttackTables BuildAttackTables() {
    AttackTables t{};
    const auto bit = [](int f, int r) -> SquareSet {
        return (f >= 0 && f < 8 && r >= 0 && r < 8) ? SquareSet{1} << (f * 8 + r) : 0;
    };
    for (int sq = 0; sq < 64; ++sq) {
        const int file = sq / 8;
        const int rank = sq % 8;
        for (const auto& s : kKnightSteps) t.knight[sq] |= bit(file + s[0], rank + s[1]);
        for (int d = 0; d < 8; ++d) {
            t.king[sq] |= bit(file + kLines[d][0], rank + kLines[d][1]);
            for (int i = 1; i < 8; ++i)
                t.ray[sq][d] |= bit(file + kLines[d][0] * i, rank + kLines[d][1] * i);
        }
        for (int d = 0; d < 4; ++d) t.straight[sq] |= t.ray[sq][d];
        for (int d = 4; d < 8; ++d) t.diagonal[sq] |= t.ray[sq][d];
        // A white pawn attacks upwards, so it stands one rank below.
        t.pawnFrom[Position::White][sq] = bit(file - 1, rank - 1) | bit(file + 1, rank - 1);
        t.pawnFrom[Position::Black][sq] = bit(file - 1, rank + 1) | bit(file + 1, rank + 1);
        // A pawn steps or takes to the square from behind it.
        t.reach[Position::White][Position::Pawn][sq] =
            t.pawnFrom[Position::White][sq] | bit(file, rank - 1) | bit(file, rank - 2);
        t.reach[Position::Black][Position::Pawn][sq] =
            t.pawnFrom[Position::Black][sq] | bit(file, rank + 1) | bit(file, rank + 2);
        for (int c = 0; c < 2; ++c) {
            t.reach[c][Position::Knight][sq] = t.knight[sq];
            t.reach[c][Position::Bishop][sq] = t.diagonal[sq];
            t.reach[c][Position::Rook][sq] = t.straight[sq];
            t.reach[c][Position::Queen][sq] = t.straight[sq] | t.diagonal[sq];
            t.reach[c][Position::King][sq] = t.king[sq];
        }
    }
    return t;
}

constexpr AttackTables kAttack = BuildAttackTables();

SquareSet Bit(int square) {
    return SquareSet{1} << square;
}

}  // namespace

KingSafety::KingSafety(const Position::Board& board, int colour)
    : m_board(board), m_colour(colour == Position::White ? Position::White : Position::Black) {
    const int8_t king = static_cast<int8_t>(Position::MakePiece(m_colour, Position::King));
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i kingCode = _mm_set1_epi8(king);
    const __m128i nine = _mm_set1_epi8(9);
    const auto bits = [](__m128i m, int chunk) {
        return static_cast<SquareSet>(static_cast<uint16_t>(_mm_movemask_epi8(m))) << (chunk * 16);
    };
    SquareSet empty = 0;
    SquareSet black = 0;
    for (int chunk = 0; chunk < 4; ++chunk) {
        const __m128i x =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(board.data() + chunk * 16));
        empty |= bits(_mm_cmpeq_epi8(x, zero), chunk);
        m_king |= bits(_mm_cmpeq_epi8(x, kingCode), chunk);
        black |= bits(_mm_cmpgt_epi8(x, nine), chunk);
    }
    m_occupied = ~empty;
    // A code below 10 is White, so White is every occupied square not Black.
    m_enemy = m_colour == Position::White ? black : m_occupied & ~black;
#else
    for (int sq = 0; sq < 64; ++sq) {
        const int c = board[static_cast<size_t>(sq)];
        if (c == 0) continue;
        m_occupied |= Bit(sq);
        if (c == king) m_king |= Bit(sq);
        if (Position::ColourOf(c) != m_colour) m_enemy |= Bit(sq);
    }
#endif
}

KingSafety::SquareSet KingSafety::ReachingSquares(int type, int colour, int square) {
    if (type < Position::Pawn || type > Position::King) return ~SquareSet{0};
    // One look-up, no switch: the resolver asks for every candidate it sees.
    return kAttack
        .reach[colour == Position::White ? Position::White : Position::Black][type][square];
}

bool KingSafety::Attacked() const {
    return KingAttacked(m_king, m_occupied, m_enemy);
}

bool KingSafety::AttackedAfter(int from, int to, int victim) const {
    const SquareSet removed = Bit(from) | (victim >= 0 ? Bit(victim) : 0);
    const SquareSet occupied = (m_occupied & ~removed) | Bit(to);
    SquareSet king = m_king & ~(removed | Bit(to));
    if (m_king & Bit(from)) king |= Bit(to);
    return KingAttacked(king, occupied, m_enemy & ~(removed | Bit(to)));
}

int KingSafety::EnemyType(int square) const {
    return m_board[static_cast<size_t>(square)] - Position::kColourOffset[1 - m_colour];
}

// `enemies` holds only squares whose board code is still that enemy piece:
// every changed square has been taken out of it.
bool KingSafety::KingAttacked(SquareSet king, SquareSet occupied, SquareSet enemies) const {
    if (!king) return true;
    const int square = std::countr_zero(king);
    // Neighbours: an enemy king anywhere around, an enemy pawn on the two
    // squares from which it takes towards the king.
    const SquareSet pawnSquares = kAttack.pawnFrom[1 - m_colour][square];
    for (SquareSet near = kAttack.king[square] & enemies; near; near &= near - 1) {
        const int s = std::countr_zero(near);
        const int type = EnemyType(s);
        if (type == Position::King || (type == Position::Pawn && ((pawnSquares >> s) & 1)))
            return true;
    }
    for (SquareSet jumps = kAttack.knight[square] & enemies; jumps; jumps &= jumps - 1) {
        if (EnemyType(std::countr_zero(jumps)) == Position::Knight) return true;
    }
    for (int d = 0; d < 8; ++d) {
        const SquareSet line = kAttack.ray[square][d];
        if (!(line & enemies)) continue;
        const SquareSet blockers = line & occupied;
        const int nearest =
            kLineGrows[d] ? std::countr_zero(blockers) : 63 - std::countl_zero(blockers);
        if (!((enemies >> nearest) & 1)) continue;
        const int type = EnemyType(nearest);
        if (type == Position::Queen || type == (d < 4 ? Position::Rook : Position::Bishop))
            return true;
    }
    return false;
}
