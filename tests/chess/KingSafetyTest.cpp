// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// The king test works on bit sets and never builds the board after a move, so
// it is checked here against the plain rule on random boards: copy the board,
// make the move, walk every enemy piece's attacks. The boards include what
// real games never have (several kings, none, pawns on the back ranks,
// corrupt piece codes), which the shortcuts must treat exactly as the rule.

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "RulesTestSupport.h"
#include "chess/KingSafety.h"

namespace {

using Board = Position::Board;

int At(const Board& board, int file, int rank) {
    if (!Position::OnBoard(file, rank)) return 0;
    return board[static_cast<size_t>(Position::Index(file, rank))];
}

bool LineClear(const Board& board, int f0, int r0, int f1, int r1) {
    const int df = (f1 > f0) - (f1 < f0);
    const int dr = (r1 > r0) - (r1 < r0);
    for (int f = f0 + df, r = r0 + dr; f != f1 || r != r1; f += df, r += dr) {
        if (At(board, f, r) != 0) return false;
    }
    return true;
}

// Whether the piece `code` on (f, r) attacks (kf, kr), as the rule reads.
bool Attacks(int code, int f, int r, int kf, int kr, const Board& board) {
    const int df = std::abs(kf - f);
    const int dr = std::abs(kr - r);
    const bool diagonal = df == dr && df > 0;
    const bool straight = (df == 0) != (dr == 0);
    switch (Position::TypeOf(code)) {
        case Position::Pawn:
            return df == 1 && kr - r == (Position::ColourOf(code) == Position::White ? 1 : -1);
        case Position::Knight:
            return (df == 1 && dr == 2) || (df == 2 && dr == 1);
        case Position::Bishop:
            return diagonal && LineClear(board, f, r, kf, kr);
        case Position::Rook:
            return straight && LineClear(board, f, r, kf, kr);
        case Position::Queen:
            return (diagonal || straight) && LineClear(board, f, r, kf, kr);
        case Position::King:
            return df <= 1 && dr <= 1 && df + dr > 0;
        default:
            return false;  // a corrupt code only blocks lines
    }
}

bool ReferenceInCheck(int colour, const Board& board) {
    const int king = Position::MakePiece(colour, Position::King);
    for (int sq = 0; sq < 64; ++sq) {
        if (board[static_cast<size_t>(sq)] != king) continue;
        for (int s = 0; s < 64; ++s) {
            const int code = board[static_cast<size_t>(s)];
            if (code == 0 || Position::ColourOf(code) == colour) continue;
            if (Attacks(code, s / 8, s % 8, sq / 8, sq % 8, board)) return true;
        }
        return false;
    }
    return true;
}

// Random boards: mostly real pieces and one king a side, now and then a
// corrupt code, no king or several kings.
Board RandomBoard(std::mt19937& rng) {
    static constexpr int kCodes[] = {1, 2, 3, 4, 5, 11, 12, 13, 14, 15, 7, 17, -3, 10};
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_int_distribution<int> square(0, 63);
    const int density = percent(rng) / 2 + 5;
    Board board{};
    for (auto& piece : board) {
        if (percent(rng) >= density) continue;
        const int p = percent(rng);
        piece = static_cast<int8_t>(p < 96 ? kCodes[p % 10] : kCodes[10 + p % 4]);
    }
    for (int colour = 0; colour < 2; ++colour) {
        const int p = percent(rng);
        const int kings = p < 5 ? 0 : (p < 90 ? 1 : 2);
        for (int k = 0; k < kings; ++k)
            board[static_cast<size_t>(square(rng))] =
                static_cast<int8_t>(Position::MakePiece(colour, Position::King));
    }
    return board;
}

TEST(KingSafety, AgreesWithThePlainRuleOnRandomBoards) {
    rules_test::DiagnosticsCapture quiet;  // corrupt codes report themselves
    std::mt19937 rng(20261206);
    std::uniform_int_distribution<int> square(0, 63);
    std::uniform_int_distribution<int> file(-1, 7);
    int checked = 0;
    int leavesCheck = 0;
    for (int round = 0; round < 10000; ++round) {
        const Board board = RandomBoard(rng);
        for (int colour = 0; colour < 2; ++colour) {
            ASSERT_EQ(Position::InCheck(colour, board), ReferenceInCheck(colour, board))
                << "round " << round << " colour " << colour;
        }
        const int epFile = file(rng);
        const KingSafety white(board, Position::White);
        const KingSafety black(board, Position::Black);
        for (int pair = 0; pair < 40; ++pair) {
            // Mostly from a piece, so that most pairs reach the king test.
            int from = square(rng);
            for (int tries = 0; tries < 8 && board[static_cast<size_t>(from)] == 0; ++tries)
                from = square(rng);
            const int to = square(rng);
            const int ff = from / 8, fr = from % 8, tf = to / 8, tr = to % 8;
            const int code = Position::check_general(ff, fr, tf, tr, board, epFile);
            // Gathered once for either side, the answer is the same.
            ASSERT_EQ(code, Position::check_general(ff, fr, tf, tr, board, epFile, white));
            ASSERT_EQ(code, Position::check_general(ff, fr, tf, tr, board, epFile, black));
            if (code == Position::MoveImpossible) continue;
            const int piece = board[static_cast<size_t>(from)];
            Board after = board;
            after[static_cast<size_t>(from)] = 0;
            // A pawn taking on an empty square takes en passant.
            if (Position::TypeOf(piece) == Position::Pawn && ff != tf &&
                board[static_cast<size_t>(to)] == 0)
                after[static_cast<size_t>(Position::Index(tf, fr))] = 0;
            after[static_cast<size_t>(to)] = static_cast<int8_t>(piece);
            const bool exposed = ReferenceInCheck(Position::ColourOf(piece), after);
            ASSERT_EQ(code == Position::MoveLeavesCheck, exposed)
                << "round " << round << " move " << from << "->" << to;
            ++checked;
            if (exposed) ++leavesCheck;
        }
    }
    // The boards must give both answers often, or the comparison proves little.
    EXPECT_GT(checked, 20000);
    EXPECT_GT(leavesCheck, 5000);
    EXPECT_GT(checked - leavesCheck, 5000);
}

TEST(KingSafety, ReachingSquaresHoldEveryMoveCheckGeneralAllows) {
    // On an empty board but for the mover and a target piece, every move
    // check_general allows starts inside the reaching set.
    rules_test::DiagnosticsCapture quiet;
    for (int colour = 0; colour < 2; ++colour) {
        for (int type = Position::Pawn; type <= Position::King; ++type) {
            for (int from = 0; from < 64; ++from) {
                for (int to = 0; to < 64; ++to) {
                    for (const int target : {0, Position::MakePiece(1 - colour, Position::Rook)}) {
                        if (to == from) continue;
                        Board board{};
                        board[static_cast<size_t>(from)] =
                            static_cast<int8_t>(Position::MakePiece(colour, type));
                        board[static_cast<size_t>(to)] = static_cast<int8_t>(target);
                        const int code = Position::check_general(from / 8, from % 8, to / 8, to % 8,
                                                                 board, to / 8);
                        const bool inside =
                            (KingSafety::ReachingSquares(type, colour, to) >> from) & 1;
                        if (code != Position::MoveImpossible) {
                            ASSERT_TRUE(inside) << type << " " << from << "->" << to;
                        }
                    }
                }
            }
        }
    }
    EXPECT_EQ(KingSafety::ReachingSquares(0, Position::White, 10), ~KingSafety::SquareSet{0});
}

}  // namespace
