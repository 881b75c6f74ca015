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

TEST(Position, StandardStart) {
    Position pos;
    pos.board.fill(9);
    pos.epFile = 3;
    pos.kingMoved[1] = 1;
    pos.SetStandard();
    EXPECT_EQ(pos.board[Sq("a1")], 4);
    EXPECT_EQ(pos.board[Sq("e1")], 6);
    EXPECT_EQ(pos.board[Sq("d1")], 5);
    EXPECT_EQ(pos.board[Sq("e2")], 1);
    EXPECT_EQ(pos.board[Sq("e7")], 11);
    EXPECT_EQ(pos.board[Sq("e8")], 16);
    EXPECT_EQ(pos.board[Sq("b8")], 12);
    EXPECT_EQ(pos.board[Sq("e4")], 0);
    EXPECT_EQ(pos.epFile, -1);
    EXPECT_EQ(pos.sideToMove, 1);
    EXPECT_EQ(pos.kingHomeFile[0], 4);
    EXPECT_EQ(pos.kingHomeFile[1], 4);
    for (int c = 0; c < 2; ++c) {
        EXPECT_EQ(pos.kingMoved[c], 0);
        EXPECT_EQ(pos.shortRookMoved[c], 0);
        EXPECT_EQ(pos.longRookMoved[c], 0);
    }
    EXPECT_EQ(pos.DebugBoardText(),
              "rnbqkbnrpppppppp--------------------------------PPPPPPPPRNBQKBNR");
}

TEST(Position, FenWithBothKingsOnTheFirstRank) {
    Position pos;
    const int ply = pos.SetFromFen("8/8/8/8/8/8/8/4K2k", "w", "-", "-", "1");
    EXPECT_EQ(ply, 0);
    EXPECT_EQ(pos.board[Sq("e1")], 6);
    EXPECT_EQ(pos.board[Sq("h1")], 16);
    EXPECT_EQ(pos.kingHomeFile[1], 4);
    EXPECT_EQ(pos.kingHomeFile[0], 7);
}

TEST(Position, FenCastlingLettersClearTheirFlagsOnly) {
    struct Row {
        const char* castling;
        int whiteShort, whiteLong, blackShort, blackLong;
    };
    const Row rows[] = {
        {"KQkq", 0, 0, 0, 0}, {"Kq", 0, 1, 1, 0}, {"k", 1, 1, 0, 1}, {"-", 1, 1, 1, 1}};
    for (const Row& row : rows) {
        Position pos;
        pos.SetFromFen("r3k2r/8/8/8/8/8/8/R3K2R", "w", row.castling, "-", "1");
        EXPECT_EQ(pos.shortRookMoved[1], row.whiteShort) << row.castling;
        EXPECT_EQ(pos.longRookMoved[1], row.whiteLong) << row.castling;
        EXPECT_EQ(pos.shortRookMoved[0], row.blackShort) << row.castling;
        EXPECT_EQ(pos.longRookMoved[0], row.blackLong) << row.castling;
        EXPECT_EQ(pos.kingMoved[0] + pos.kingMoved[1], 0);
    }
}

TEST(Position, FenSideEnPassantAndPlyIndex) {
    struct Row {
        const char* colour;
        const char* ep;
        const char* number;
        int side, epFile, ply;
    };
    const Row rows[] = {
        {"w", "-", "1", 1, -1, 0},
        {"b", "e3", "1", 0, 4, 1},
        {"w", "d6", "10", 1, 3, 18},
        {"b", "-", "10", 0, -1, 19},
        {"white", "a3", "2", 1, 0, 2},
        {"", "-", "1", 0, -1, 1},
        // Nonsense move numbers count as move 1; a letter past h is no file.
        {"w", "z3", "0", 1, -1, 0},
        {"b", "", "abc", 0, -1, 1},
        {"w", "-", "", 1, -1, 0},
        {"w", "h6", "99999999999", 1, 7, 1999998},
    };
    for (const Row& row : rows) {
        Position pos;
        const int ply = pos.SetFromFen("4k3/8/8/8/8/8/8/4K3", row.colour, "-", row.ep, row.number);
        EXPECT_EQ(pos.sideToMove, row.side) << row.colour << " " << row.number;
        EXPECT_EQ(pos.epFile, row.epFile) << row.ep;
        EXPECT_EQ(ply, row.ply) << row.colour << " " << row.number;
    }
}

TEST(Position, FenPlacementPastTheBoardIsIgnored) {
    Position pos;
    pos.SetFromFen("rnbqkbnrrnbqkbnr/pppppppp99/8/8/8/8/8/8/8/8/RNBQKBNR", "w", "-", "-", "1");
    EXPECT_EQ(pos.board[Sq("a8")], 14);
    EXPECT_EQ(pos.board[Sq("h8")], 14);
    EXPECT_EQ(pos.board[Sq("h7")], 11);
    // The eleventh rank and beyond never reach the board.
    EXPECT_EQ(pos.board[Sq("a1")], 0);
    EXPECT_EQ(pos.kingHomeFile[1], 4);  // no white king: default
    EXPECT_EQ(pos.kingHomeFile[0], 4);
}

TEST(Position, FenDKingSetsItsHomeFile) {
    const Position pos = FromFen("rnbkqbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBKQBNR w KQkq - 0 1");
    EXPECT_EQ(pos.kingHomeFile[0], 3);
    EXPECT_EQ(pos.kingHomeFile[1], 3);
}

TEST(Position, LetterToPieceAndBack) {
    const char* letters = "PNBRQK";
    for (int type = 1; type <= 6; ++type) {
        EXPECT_EQ(Position::letter_to_piece(letters[type - 1]), type);
        EXPECT_EQ(Position::letter_to_piece(static_cast<char>(letters[type - 1] + 32)), type);
        EXPECT_EQ(Position::PieceLetter(type), letters[type - 1]);
    }
    for (int type : {0, 7, -1, 16}) EXPECT_EQ(Position::PieceLetter(type), '$') << type;
}

TEST(Position, UnknownLetterIsAPawnWithADiagnostic) {
    DiagnosticsCapture capture;
    EXPECT_EQ(Position::letter_to_piece('X'), 1);
    ASSERT_EQ(capture.lines.size(), 1u);
    EXPECT_EQ(capture.lines[0], "Error: letter_to_piece called with \"X\".\n");
}

TEST(Position, DiagnosticsAreSilentWithoutASink) {
    Diagnostics::SetSink({});
    EXPECT_EQ(Position::letter_to_piece('z'), 1);  // must not crash or print
}

TEST(Position, InCheck) {
    struct Row {
        const char* fen;
        int colour;
        bool inCheck;
    };
    const Row rows[] = {
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", 1, false},
        {"8/8/8/8/8/8/8/8 w - - 0 1", 1, true},  // no king at all
        {"4k3/8/8/8/8/8/8/8 w - - 0 1", 1, true},
        {"4k3/8/8/8/8/8/8/8 w - - 0 1", 0, false},
        {"4k3/8/8/8/8/8/8/r3K3 w - - 0 1", 1, true},    // rook on the rank
        {"4k3/8/8/8/8/8/8/r2NK3 w - - 0 1", 1, false},  // blocked
        {"4k3/8/8/8/8/8/8/r2nK3 w - - 0 1", 1, false},  // blocked by its own side
        {"4k3/8/8/b7/8/8/8/4K3 w - - 0 1", 1, true},    // bishop a5-e1
        {"4k3/8/8/8/b7/8/8/4K3 w - - 0 1", 1, false},   // a4 misses e1
        {"4k3/8/8/8/8/8/3p4/4K3 w - - 0 1", 1, true},   // black pawn d2 attacks e1
        {"4k3/8/8/8/8/8/8/3pK3 w - - 0 1", 1, false},   // not sideways
        {"4k3/3P4/8/8/8/8/8/4K3 b - - 0 1", 0, true},   // white pawn d7 attacks e8
        {"4k3/8/4P3/8/8/8/8/4K3 b - - 0 1", 0, false},  // not straight ahead
        {"8/8/8/8/8/8/3P4/4k3 b - - 0 1", 0, false},    // white pawns attack upwards only
        {"4k3/8/8/8/8/8/2n5/4K3 w - - 0 1", 1, true},   // knight
        {"4k3/8/8/8/8/8/4n3/4K3 w - - 0 1", 1, false},
        {"8/8/8/8/8/8/3k4/4K3 w - - 0 1", 1, true},  // king beside king
        {"4k3/8/8/8/8/8/8/q6K w - - 0 1", 1, true},  // queen along the rank
        {"4k3/8/8/8/8/8/8/q5PK w - - 0 1", 1, false},
        {"4k3/8/8/8/8/5q2/8/7K w - - 0 1", 1, true},   // queen on the diagonal
        {"4k3/8/8/8/8/8/8/R3K3 w - - 0 1", 1, false},  // own rook never attacks
    };
    for (const Row& row : rows) {
        const Position pos = FromFen(row.fen);
        EXPECT_EQ(Position::InCheck(row.colour, pos.board), row.inCheck) << row.fen;
    }
}

TEST(Position, CheckGeneralCodes) {
    struct Row {
        const char* fen;
        const char* from;
        const char* to;
        int code;
    };
    const char* start = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
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
        {"4k3/8/8/8/8/8/8/R3K3 w Q - 0 1", "a1", "a5", 3},
        {"r3k2r/8/8/8/8/8/8/4K3 b kq - 0 1", "h8", "h5", 2},
        {"r3k2r/8/8/8/8/8/8/4K3 b kq - 0 1", "a8", "b8", 3},
        {"4k3/8/8/8/8/8/8/3RK3 w - - 0 1", "d1", "d5", 1},
        {"4k3/8/8/8/8/8/8/4K2R w K - 0 1", "h1", "h1", 0},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", "e1", "e2", 7},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", "e1", "g1", 0},
        {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "e5", "d6", 6},
        {"4k3/8/8/3pP3/8/8/8/4K3 w - - 0 1", "e5", "d6", 0},
        {"4k3/8/8/8/3Pp3/8/8/4K3 b - d3 0 1", "e4", "d3", 6},
        {"4k3/8/3p4/4P3/8/8/8/4K3 w - - 0 1", "e5", "d6", 1},
        {"4k3/8/8/8/8/4p3/4P3/4K3 w - - 0 1", "e2", "e4", 0},  // blocked double step
        {"4k3/8/8/8/8/8/4P3/4K3 w - - 0 1", "e2", "f4", 0},
        {"4k3/4r3/8/8/8/8/4B3/4K3 w - - 0 1", "e2", "d3", -1},  // pinned bishop
        {"4k3/4r3/8/8/8/8/4R3/4K3 w - - 0 1", "e2", "e5", 1},   // along the pin
        {"4k3/8/8/8/8/8/3r4/4K3 w - - 0 1", "e1", "e2", -1},    // into an attack
        {"4k3/8/8/8/8/8/3r4/4K3 w - - 0 1", "e1", "d2", 7},     // capturing the attacker
        {"4k3/8/8/r2pP2K/8/8/8/8 w - d6 0 1", "e5", "d6", -1},  // e.p. exposing the king
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", "e1", "e9", 0},
    };
    for (const Row& row : rows) {
        const Position pos = FromFen(row.fen);
        const int code =
            Position::check_general(row.from[0] - 'a', row.from[1] - '1', row.to[0] - 'a',
                                    row.to[1] - '1', pos.board, pos.epFile);
        EXPECT_EQ(code, row.code) << row.fen << " " << row.from << row.to;
    }
}

TEST(Position, CheckGeneralOffTheBoardAndUnknownPieces) {
    Position pos = FromFen("4k3/8/8/8/8/8/8/4K3 w - - 0 1");
    EXPECT_EQ(Position::check_general(-1, 0, 0, 0, pos.board, -1), 0);
    EXPECT_EQ(Position::check_general(4, 0, 8, 0, pos.board, -1), 0);
    EXPECT_EQ(Position::check_general(4, 0, 4, -1, pos.board, -1), 0);
    DiagnosticsCapture capture;
    pos.board[Position::Index(0, 0)] = 8;  // no such piece
    EXPECT_EQ(Position::check_general(0, 0, 0, 1, pos.board, -1), 0);
    ASSERT_EQ(capture.lines.size(), 1u);
    EXPECT_EQ(capture.lines[0], "check_general: piece unidentifiable.\n");
}

TEST(Position, CastlingTestsBothGeometries) {
    struct Row {
        const char* fen;
        int colour;
        bool canShort, canLong;
    };
    const Row rows[] = {
        {"r3k2r/8/8/8/8/8/8/R3K2R w - - 0 1", 1, true, true},
        {"r3k2r/8/8/8/8/8/8/R3K2R b - - 0 1", 0, true, true},
        {"r3k2r/8/8/8/8/8/8/RN2K1NR w - - 0 1", 1, false, false},  // b1 and g1 occupied
        {"r3k2r/8/8/8/8/8/5r2/R3K2R w - - 0 1", 1, false, true},   // f1 attacked via f2
        {"r3k2r/8/8/8/8/8/6r1/R3K2R w - - 0 1", 1, false, true},   // g1 attacked
        {"r3k2r/8/8/8/8/8/1r6/R3K2R w - - 0 1", 1, true, true},  // b1 attacked: king does not pass
        {"r3k2r/8/8/8/8/8/4r3/R3K2R w - - 0 1", 1, false, false},  // in check
        {"r3k3/8/8/8/8/8/8/4K2R w - - 0 1", 1, true, false},       // no a-rook
        {"r3k3/8/8/8/8/8/8/n3K2R w - - 0 1", 1, true, false},      // enemy piece in the corner
        // King on d: short castling goes to b1 with the a-rook, long to f1.
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
    const Position kingOnF = FromFen("r3k2r/8/8/8/8/8/8/R4K1R w - - 0 1");
    EXPECT_FALSE(Position::CanCastleShort(1, kingOnF.board, 5));
    EXPECT_FALSE(Position::CanCastleLong(1, kingOnF.board, 5));
}

TEST(Position, CastleMovesKingAndRook) {
    struct Row {
        const char* fen;
        int kind;
        const char* board;  // expected back rank, a to h
    };
    const Row rows[] = {
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", 1, "R----RK-"},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", 2, "--KR---R"},
        {"r2k3r/8/8/8/8/8/8/R2K3R w KQkq - 0 1", 1, "-KR----R"},
        {"r2k3r/8/8/8/8/8/8/R2K3R w KQkq - 0 1", 2, "R---RK--"},
        {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", 1, "r----rk-"},
        {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", 2, "--kr---r"},
    };
    for (const Row& row : rows) {
        const Position in = FromFen(row.fen);
        Position out;
        ASSERT_EQ(Position::Castle(row.kind, in, out), 0) << row.fen << " " << row.kind;
        const int side = in.sideToMove;
        const size_t rankStart = side == 1 ? 56 : 0;
        EXPECT_EQ(out.DebugBoardText().substr(rankStart, 8), row.board) << row.fen;
        EXPECT_EQ(out.sideToMove, 1 - side);
        EXPECT_EQ(out.kingMoved[side], 1);
        EXPECT_EQ(out.kingMoved[1 - side], 0);
        EXPECT_EQ(out.epFile, -1);
    }
}

TEST(Position, CastleRefusals) {
    struct Row {
        const char* fen;
        int kind;
        int result;
    };
    const Row rows[] = {
        {"r3k2r/8/8/8/8/8/4r3/R3K2R w KQkq - 0 1", 1, -3},  // in check
        {"r3k2r/8/8/8/8/8/4r3/R3K2R w KQkq - 0 1", 2, -3},
        {"r3k2r/8/8/8/8/8/8/R3K2R w Qkq - 0 1", 1, -1},  // short rook has moved
        {"r3k2r/8/8/8/8/8/8/R3K2R w Kkq - 0 1", 2, -1},
        {"r3k2r/8/8/8/8/8/8/R3KB1R w KQkq - 0 1", 1, -1},  // square occupied
        {"r3k2r/8/8/8/8/8/8/R4K1R w KQkq - 0 1", 1, -1},   // king on f: no geometry
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", 3, -1},   // no such kind
    };
    for (const Row& row : rows) {
        const Position in = FromFen(row.fen);
        Position out = FromFen("8/8/8/8/8/8/8/8 w - - 0 1");
        const std::string before = out.DebugBoardText();
        EXPECT_EQ(Position::Castle(row.kind, in, out), row.result) << row.fen << " " << row.kind;
        EXPECT_EQ(out.DebugBoardText(), before) << "output touched on failure";
    }
    Position moved = FromFen("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1");
    moved.kingMoved[1] = 1;
    Position out;
    EXPECT_EQ(Position::Castle(1, moved, out), -1);
}

}  // namespace
