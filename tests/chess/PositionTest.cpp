// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include <gtest/gtest.h>

#include "RulesTestSupport.h"
#include "chess/Position.h"

namespace {

using rules_test::DiagnosticsCapture;
using rules_test::FromFen;

int Sq(const char* name) {
    return Position::Index(name[0] - 'a', name[1] - '1');
}

TEST(Position, FenFields) {
    struct Row {
        const char* placement;
        const char* colour;
        const char* castling;
        const char* ep;
        const char* number;
        int side, epFile, ply;
        const char* rooksMoved;  // white short, white long, black short, black long
        int whiteHome, blackHome;
    };
    const char* kRooks = "r3k2r/8/8/8/8/8/8/R3K2R";
    const Row rows[] = {
        {kRooks, "w", "KQkq", "-", "1", 1, -1, 0, "0000", 4, 4},
        {kRooks, "b", "Kq", "e3", "1", 0, 4, 1, "0110", 4, 4},
        {kRooks, "w", "k", "d6", "10", 1, 3, 18, "1101", 4, 4},
        {kRooks, "white", "-", "a3", "2", 1, 0, 2, "1111", 4, 4},
        {kRooks, "", "-", "-", "1", 0, -1, 1, "1111", 4, 4},
        // Nonsense move numbers count as move 1; a letter past h is no file.
        {kRooks, "w", "-", "z3", "0", 1, -1, 0, "1111", 4, 4},
        {kRooks, "b", "-", "", "abc", 0, -1, 1, "1111", 4, 4},
        {kRooks, "w", "-", "h6", "99999999999", 1, 7, 1999998, "1111", 4, 4},
        // Each king's file is its home file; without a king it stays e.
        {"8/8/8/8/8/8/8/4K2k", "w", "-", "-", "1", 1, -1, 0, "1111", 4, 7},
        {"rnbkqbnr/8/8/8/8/8/8/RNBKQBNR", "w", "-", "-", "1", 1, -1, 0, "1111", 3, 3},
        // Squares past the board never reach it.
        {"rnbqkbnrrnbqkbnr/pppppppp99/8/8/8/8/8/8/8/8/RNBQKBNR", "w", "-", "-", "1", 1, -1, 0,
         "1111", 4, 4},
    };
    for (const Row& row : rows) {
        Position pos;
        pos.kingMoved[1] = 1;
        const int ply = pos.SetFromFen(row.placement, row.colour, row.castling, row.ep, row.number);
        const std::string trace = std::string(row.placement) + " " + row.colour + " " +
                                  row.castling + " " + row.ep + " " + row.number;
        EXPECT_EQ(pos.sideToMove, row.side) << trace;
        EXPECT_EQ(pos.epFile, row.epFile) << trace;
        EXPECT_EQ(ply, row.ply) << trace;
        const std::string rooks{static_cast<char>('0' + pos.shortRookMoved[1]),
                                static_cast<char>('0' + pos.longRookMoved[1]),
                                static_cast<char>('0' + pos.shortRookMoved[0]),
                                static_cast<char>('0' + pos.longRookMoved[0])};
        EXPECT_EQ(rooks, row.rooksMoved) << trace;
        EXPECT_EQ(pos.kingMoved[0] + pos.kingMoved[1], 0) << trace;
        EXPECT_EQ(pos.kingHomeFile[1], row.whiteHome) << trace;
        EXPECT_EQ(pos.kingHomeFile[0], row.blackHome) << trace;
    }
    Position past;
    past.SetFromFen(rows[10].placement, "w", "-", "-", "1");
    EXPECT_EQ(past.board[Sq("h8")], 14);
    EXPECT_EQ(past.board[Sq("h7")], 11);
    EXPECT_EQ(past.board[Sq("a1")], 0);
}

TEST(Position, UnknownLetterIsAPawnWithADiagnostic) {
    Diagnostics::SetSink({});
    EXPECT_EQ(Position::letter_to_piece('z'), 1);  // no sink: must not crash or print
    DiagnosticsCapture capture;
    EXPECT_EQ(Position::letter_to_piece('X'), 1);
    ASSERT_EQ(capture.lines.size(), 1u);
    EXPECT_EQ(capture.lines[0], "Error: letter_to_piece called with \"X\".\n");
}

TEST(Position, CheckGeneralCodes) {
    struct Row {
        const char* fen;
        const char* from;
        const char* to;
        int code;
    };
    const char* start = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
    const char* kings = "4k3/8/8/8/8/8/8/4K3 w - - 0 1";
    const Row rows[] = {
        {start, "e2", "e4", 4},
        {start, "e2", "e3", 5},
        {start, "e2", "e5", 0},
        {start, "e2", "d3", 0},  // diagonal onto an empty square
        {start, "g1", "f3", 1},
        {start, "g1", "g3", 0},
        {start, "e4", "e5", 0},  // empty origin
        {start, "d1", "d2", 0},  // own piece on the destination
        {start, "f1", "c4", 0},  // blocked bishop
        {start, "e7", "e5", 4},
        {start, "e7", "e8", 0},  // black pawn going back
        {"4k3/8/8/8/8/8/8/4K2R w K - 0 1", "h1", "h5", 2},
        {"4k3/8/8/8/8/8/8/4K2R w K - 0 1", "h1", "h1", 0},
        {"r3k2r/8/8/8/8/8/8/4K3 b kq - 0 1", "a8", "b8", 3},
        {kings, "e1", "e2", 7},
        {kings, "e1", "g1", 0},
        {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "e5", "d6", 6},
        {"4k3/8/8/3pP3/8/8/8/4K3 w - - 0 1", "e5", "d6", 0},
        {"4k3/8/8/8/3Pp3/8/8/4K3 b - d3 0 1", "e4", "d3", 6},
        {"4k3/8/3p4/4P3/8/8/8/4K3 w - - 0 1", "e5", "d6", 1},
        {"4k3/8/8/8/8/4p3/4P3/4K3 w - - 0 1", "e2", "e4", 0},   // blocked double step
        {"4k3/4r3/8/8/8/8/4B3/4K3 w - - 0 1", "e2", "d3", -1},  // pinned bishop
        {"4k3/4r3/8/8/8/8/4R3/4K3 w - - 0 1", "e2", "e5", 1},   // along the pin
        {"4k3/8/8/8/8/8/3r4/4K3 w - - 0 1", "e1", "e2", -1},    // into an attack
        {"4k3/8/8/8/8/8/3r4/4K3 w - - 0 1", "e1", "d2", 7},     // capturing the attacker
        {"4k3/8/8/r2pP2K/8/8/8/8 w - d6 0 1", "e5", "d6", -1},  // e.p. exposing the king
        // Off the board.
        {kings, "e1", "e9", 0},
        {kings, "e1", "e0", 0},
        {kings, "`1", "a1", 0},
        {kings, "e1", "i1", 0},
    };
    for (const Row& row : rows) {
        const Position pos = FromFen(row.fen);
        const int code =
            Position::check_general(row.from[0] - 'a', row.from[1] - '1', row.to[0] - 'a',
                                    row.to[1] - '1', pos.board, pos.epFile);
        EXPECT_EQ(code, row.code) << row.fen << " " << row.from << row.to;
    }
    DiagnosticsCapture capture;
    Position pos = FromFen(kings);
    pos.board[Position::Index(0, 0)] = 8;  // no such piece
    EXPECT_EQ(Position::check_general(0, 0, 0, 1, pos.board, -1), 0);
    ASSERT_EQ(capture.lines.size(), 1u);
    EXPECT_EQ(capture.lines[0], "check_general: piece unidentifiable.\n");
}

// The square and attack tests of castling, for the cases the SAN reader's
// table does not reach: squares the king does not cross may be attacked,
// and a king on d castles short to b1 and long to f1.
TEST(Position, CastlingSquaresForBothKingFiles) {
    struct Row {
        const char* fen;
        int colour;
        bool canShort, canLong;
    };
    const Row rows[] = {
        {"r3k2r/8/8/8/8/8/6r1/R3K2R w - - 0 1", 1, false, true},  // g1 attacked
        {"r3k2r/8/8/8/8/8/1r6/R3K2R w - - 0 1", 1, true, true},   // b1 attacked: not crossed
        {"r3k3/8/8/8/8/8/8/n3K2R w - - 0 1", 1, true, false},     // enemy piece in the corner
        {"r3k2r/8/8/8/8/8/8/R3K2R b - - 0 1", 0, true, true},
        {"r2k3r/8/8/8/8/8/8/R2K3R w - - 0 1", 1, true, true},
        {"r2k3r/8/8/8/8/8/8/R2K2NR w - - 0 1", 1, true, false},  // g1 must be empty
        {"r2k3r/8/8/8/8/8/8/RN1K3R w - - 0 1", 1, false, true},
        {"r2k3r/8/8/8/8/8/2r5/R2K3R w - - 0 1", 1, false, true},  // c1 attacked
        {"r2k3r/8/8/8/8/8/4r3/R2K3R w - - 0 1", 1, true, false},  // e1 attacked
        {"r2k3r/8/8/8/8/8/8/R2K3R b - - 0 1", 0, true, true},
    };
    for (const Row& row : rows) {
        const Position pos = FromFen(row.fen);
        const int home = pos.kingHomeFile[row.colour];
        EXPECT_EQ(Position::CanCastleShort(row.colour, pos.board, home), row.canShort) << row.fen;
        EXPECT_EQ(Position::CanCastleLong(row.colour, pos.board, home), row.canLong) << row.fen;
    }
    // Only kings on d and e castle.
    const Position kingOnF = FromFen("r3k2r/8/8/8/8/8/8/R4K1R w - - 0 1");
    EXPECT_FALSE(Position::CanCastleShort(1, kingOnF.board, 5));
    EXPECT_FALSE(Position::CanCastleLong(1, kingOnF.board, 5));
    Position out;
    EXPECT_EQ(Position::Castle(Position::CastleShort, kingOnF, out), Position::CastleImpossible);
}

}  // namespace
