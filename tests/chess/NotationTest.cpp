// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include <gtest/gtest.h>

#include <string>

#include "RulesTestSupport.h"
#include "chess/Notation.h"

namespace {

using rules_test::BoardFromFen;
using rules_test::DiagnosticsCapture;
using rules_test::FromFen;

const char* kStart = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
const char* kCastles = "r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R w KQkq - 0 1";
const char* kCastlesBlack = "r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R b KQkq - 0 1";
const char* kDKing = "r2k3r/pppppppp/8/8/8/8/PPPPPPPP/R2K3R w KQkq - 0 1";

// Standard SAN as real games write it is read and written back by the PGN
// collection's walk; these rows hold the other forms the reader takes, its
// refusals, and its result codes.
struct SanRow {
    const char* fen;
    const char* text;
    int result;
    const char* verbose;  // on success
    const char* san;      // on success: what build_pretty_move writes
};

TEST(Notation, ReadSanReadsAndNormalises) {
    const SanRow rows[] = {
        {kStart, "nf3", 0, "N/g1-f3", "Nf3"},
        {kStart, "NF3", 0, "N/g1-f3", "Nf3"},
        {kStart, "Ng1-f3", 0, "N/g1-f3", "Nf3"},
        {kStart, "Ng1f3", 0, "N/g1-f3", "Nf3"},
        {kStart, "e2-e4", 0, "P/e2-e4", "e4"},
        {kStart, "e2e4", 0, "P/e2-e4", "e4"},
        {kStart, "E2E4", 0, "P/e2-e4", "e4"},
        {kStart, "Pe4", 0, "P/e2-e4", "e4"},
        {kStart, "e5", -1, nullptr, nullptr},
        {kStart, "Nd2", -1, nullptr, nullptr},
        {kStart, "", -1, nullptr, nullptr},
        {kStart, "e", -1, nullptr, nullptr},
        {kStart, "44", -1, nullptr, nullptr},
        {kStart, "Zf3", -1, nullptr, nullptr},
        {kStart, "Nf3extra", -1, nullptr, nullptr},
        {kStart, "Nxf3", -1, nullptr, nullptr},
        // Check and mate signs are cut.
        {"4k3/8/8/8/8/8/8/3QK3 w - - 0 1", "Qh5#", 0, "Q/d1-h5", "Qh5+"},
        {"4k3/8/8/8/8/8/8/3QK3 w - - 0 1", "Qh5++", 0, "Q/d1-h5", "Qh5+"},
        // Castling words and castling written as the king's move.
        {kCastles, "oo", 0, "o-o", "O-O"},
        {kCastles, "00", 0, "o-o", "O-O"},
        {kCastles, "e1g1", 0, "o-o", "O-O"},
        {kCastles, "e1-g1", 0, "o-o", "O-O"},
        {kCastles, "O-O+", 0, "o-o", "O-O"},
        {kCastles, "ooo", 0, "o-o-o", "O-O-O"},
        {kCastles, "e1c1", 0, "o-o-o", "O-O-O"},
        {kCastles, "e8g8", -1, nullptr, nullptr},  // not the side to move
        {kCastlesBlack, "e8c8", 0, "o-o-o", "O-O-O"},
        {kCastlesBlack, "e1g1", -1, nullptr, nullptr},
        {kDKing, "O-O", 0, "o-o", "O-O"},
        {kDKing, "d1b1", 0, "o-o", "O-O"},
        {kDKing, "d1f1", 0, "o-o-o", "O-O-O"},
        {kDKing, "e1g1", -1, nullptr, nullptr},
        {"r3k2r/8/8/8/8/8/8/R3K2R w - - 0 1", "O-O", -1, nullptr, nullptr},  // no rights
        {"r3k2r/8/8/8/8/8/8/R3K1NR w KQ - 0 1", "O-O", -1, nullptr, nullptr},
        {"3k4/8/8/8/8/8/8/R3K2R w KQ - 0 1", "O-O-O", 0, "o-o-o", "O-O-O+"},  // rook gives check
        {"r3k2r/8/8/8/8/8/4r3/R3K2R w KQ - 0 1", "O-O", -3, nullptr, nullptr},
        {"r3k2r/8/8/8/8/8/4r3/R3K2R w KQ - 0 1", "e1g1", -3, nullptr, nullptr},
        {"r3k2r/8/8/8/8/8/5r2/R3K2R w KQ - 0 1", "O-O", -1, nullptr, nullptr},  // crosses f1
        // Promotion, with and without "=".
        {"8/4P3/8/8/8/8/k7/4K3 w - - 0 1", "e8", 0, "P/e7-e8", "e8=Q"},
        {"8/4P3/8/8/8/8/k7/4K3 w - - 0 1", "e8=n", 0, "P/e7-e8", "e8=N"},
        {"8/4P3/8/8/8/8/k7/4K3 w - - 0 1", "e8=b", 0, "P/e7-e8", "e8=B"},
        {"8/4P3/8/8/8/8/k7/4K3 w - - 0 1", "e8=R+", 0, "P/e7-e8", "e8=R"},
        {"8/4P3/8/8/8/8/k7/4K3 w - - 0 1", "e8+=N", 0, "P/e7-e8", "e8=N"},
        {"8/4P3/8/8/8/8/k7/4K3 w - - 0 1", "e8=K", -1, nullptr, nullptr},
        {"8/4P3/8/8/8/8/k7/4K3 w - - 0 1", "e8=P", -1, nullptr, nullptr},
        {"8/4P3/8/8/8/8/k7/4K3 w - - 0 1", "e8=", -1, nullptr, nullptr},
        {"8/8/8/8/8/K7/4p3/7k b - - 0 1", "e1", 0, "P/e2-e1", "e1=Q"},
        // En passant.
        {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "ed6", 0, "P/e5-d6", "exd6"},
        {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "ed", 0, "P/e5-d6", "exd6"},
        {"4k3/8/8/3pP3/8/8/8/4K3 w - - 0 1", "exd6", -1, nullptr, nullptr},
        {"4k3/8/8/3pP3/8/8/8/3QK3 w - d6 0 1", "Qxd6", -1, nullptr, nullptr},
        // Pawn captures written with files only.
        {"4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 1", "ed", 0, "P/e4-d5", "exd5"},
        {"4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 1", "exd", 0, "P/e4-d5", "exd5"},
        {"4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 1", "eb", -1, nullptr, nullptr},
        {"4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 1", "e4xd5", 0, "P/e4-d5", "exd5"},
        // A piece as the target.
        {"4k3/8/8/3n4/8/8/8/3QK3 w - - 0 1", "QxN", 0, "Q/d1-d5", "Qxd5"},
        {"4k3/8/8/3n4/8/8/8/3QK3 w - - 0 1", "QxB", -1, nullptr, nullptr},
        {"4k3/8/8/3n4/8/8/8/3QK3 w - - 0 1", "Qx", 0, "Q/d1-d5", "Qxd5"},
        // Disambiguation by file, rank and both.
        {"4k3/8/8/8/8/5N2/8/1N2K3 w - - 0 1", "Nd2", -2, nullptr, nullptr},
        {"4k3/8/8/8/8/5N2/8/1N2K3 w - - 0 1", "N1d2", 0, "N/b1-d2", "Nbd2"},
        {"k7/8/8/8/8/4R3/8/4RK2 w - - 0 1", "Re2", -2, nullptr, nullptr},
        {"k7/8/8/8/8/4R3/8/4RK2 w - - 0 1", "R3e2", 0, "R/e3-e2", "R3e2"},
        {"k7/8/8/8/8/4R3/8/4RK2 w - - 0 1", "Ree2", -2, nullptr, nullptr},
        {"k7/8/8/8/8/2Q1Q3/8/2Q4K w - - 0 1", "Qd2", -2, nullptr, nullptr},
        {"k7/8/8/8/8/2Q1Q3/8/2Q4K w - - 0 1", "Qcd2", -2, nullptr, nullptr},
        {"k7/8/8/8/8/2Q1Q3/8/2Q4K w - - 0 1", "Qc3d2", 0, "Q/c3-d2", "Qc3d2"},
        // The letter b may be a file or a bishop. Only the bishop can go to c4.
        {"4k3/8/8/8/8/1P6/8/4KB2 w - - 0 1", "bc4", 0, "B/f1-c4", "Bc4"},
        // A bishop and the b-pawn can both take on c3: read as written.
        {"4k3/8/8/8/8/2n5/1P1B4/4K3 w - - 0 1", "bxc3", 0, "P/b2-c3", "bxc3"},
        {"4k3/8/8/8/8/2n5/1P1B4/4K3 w - - 0 1", "Bxc3", 0, "B/d2-c3", "Bxc3"},
        {"4k3/8/8/8/8/2n5/3B4/4K3 w - - 0 1", "bxc3", 0, "B/d2-c3", "Bxc3"},
        // Target "b" after "x": a black bishop or the b-file; when both
        // readings find the same piece, as written.
        {"4k3/8/8/8/b7/8/8/3QK3 w - - 0 1", "Qxb", 0, "Q/d1-a4", "Qxa4+"},
        {"4k3/8/8/8/8/1b6/8/3QK3 w - - 0 1", "Qxb", 0, "Q/d1-b3", "Qxb3"},
        {"4k3/8/8/8/8/8/8/1p1QK3 w - - 0 1", "Qxb", 0, "Q/d1-b1", "Qxb1"},
        // "bb3": the first letter is read as a bishop only.
        {"4k3/8/8/8/8/8/8/3BK3 w - - 0 1", "bb3", 0, "B/d1-b3", "Bb3"},
        {"4k3/8/8/8/8/8/1P6/4K3 w - - 0 1", "b4", 0, "P/b2-b4", "b4"},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", "bc4", -1, nullptr, nullptr},
        {"4r1k1/8/8/8/8/8/4B3/4K3 w - - 0 1", "bd3", -3, nullptr, nullptr},
        // A pinned knight does not make the move ambiguous.
        {"4k3/8/8/8/8/5N2/8/rN2K3 w - - 0 1", "Nd2", 0, "N/f3-d2", "Nd2"},
        // Moves that would leave the own king in check.
        {"4r1k1/8/8/8/8/8/4B3/4K3 w - - 0 1", "Bd3", -3, nullptr, nullptr},
        {"6k1/8/8/8/8/8/3r4/4K3 w - - 0 1", "Ke2", -3, nullptr, nullptr},
    };
    for (const SanRow& row : rows) {
        const Position in = FromFen(row.fen);
        Position out;
        std::string san = "untouched";
        std::string verbose = "untouched";
        const int result = ReadSan(row.text, in, &san, &verbose, out);
        EXPECT_EQ(result, row.result) << row.fen << " \"" << row.text << '"';
        if (row.result == 0 && result == 0) {
            EXPECT_EQ(verbose, row.verbose) << row.fen << " " << row.text;
            EXPECT_EQ(san, row.san) << row.fen << " " << row.text;
            EXPECT_EQ(out.sideToMove, 1 - in.sideToMove);
        }
    }
}

TEST(Notation, ReadSanUpdatesCastlingFlagsAndEnPassant) {
    struct Row {
        const char* fen;
        const char* text;
        int shortMoved, longMoved, kingMoved, epFile;
    };
    const Row rows[] = {
        {kCastles, "Rf1", 1, 0, 0, -1},
        {kCastles, "Rb1", 0, 1, 0, -1},
        {kCastles, "Kf1", 0, 0, 1, -1},
        {kCastles, "e4", 0, 0, 0, 4},
        {kCastles, "e3", 0, 0, 0, -1},
        {kCastles, "O-O", 0, 0, 1, -1},
        // For a d-file king the h-rook is the long one.
        {kDKing, "Rg1", 0, 1, 0, -1},
        {kDKing, "Rb1", 1, 0, 0, -1},
        {kDKing, "Kc1", 0, 0, 1, -1},
        {kDKing, "a4", 0, 0, 0, 0},
    };
    for (const Row& row : rows) {
        const Position in = FromFen(row.fen);
        Position out;
        ASSERT_EQ(ReadSan(row.text, in, nullptr, nullptr, out), 0) << row.fen << " " << row.text;
        EXPECT_EQ(out.shortRookMoved[1], row.shortMoved) << row.text;
        EXPECT_EQ(out.longRookMoved[1], row.longMoved) << row.text;
        EXPECT_EQ(out.kingMoved[1], row.kingMoved) << row.text;
        EXPECT_EQ(out.epFile, row.epFile) << row.text;
        EXPECT_EQ(out.shortRookMoved[0] + out.longRookMoved[0] + out.kingMoved[0], 0);
    }
    // After the rook has left, castling that way is refused.
    const Position in = FromFen(kCastles);
    Position afterRook;
    ASSERT_EQ(ReadSan("Rg1", in, nullptr, nullptr, afterRook), 0);
    Position afterBlack;
    ASSERT_EQ(ReadSan("a6", afterRook, nullptr, nullptr, afterBlack), 0);
    Position back;
    ASSERT_EQ(ReadSan("Rh1", afterBlack, nullptr, nullptr, back), 0);
    Position next;
    ASSERT_EQ(ReadSan("a5", back, nullptr, nullptr, next), 0);
    Position castled;
    EXPECT_EQ(ReadSan("O-O", next, nullptr, nullptr, castled), -1);
    EXPECT_EQ(ReadSan("O-O-O", next, nullptr, nullptr, castled), 0);
}

TEST(Notation, ReadSanWithoutOutputsAndInPlace) {
    Position pos = FromFen(kStart);
    EXPECT_EQ(ReadSan("e4", pos, nullptr, nullptr, pos), 0);
    EXPECT_EQ(pos.sideToMove, 0);
    EXPECT_EQ(pos.DebugBoardText(), BoardFromFen("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR"));
}

TEST(Notation, LongTextIsRefusedWithoutOverrun) {
    const Position in = FromFen(kStart);
    Position out;
    EXPECT_EQ(ReadSan(std::string(5000, 'N'), in, nullptr, nullptr, out), -1);
    EXPECT_EQ(ReadSan("e4" + std::string(5000, '+'), in, nullptr, nullptr, out), 0);
    EXPECT_EQ(ReadSan("Nf3=" + std::string(100, 'Q'), in, nullptr, nullptr, out), 0);
    EXPECT_EQ(ReadSan(std::string(20, '-') + "e4", in, nullptr, nullptr, out), -1);
    EXPECT_EQ(ResolveSan(std::string(40, 'b'), in).result, -1);
}

TEST(Notation, BuildPrettyMoveDisambiguates) {
    struct Row {
        const char* fen;
        const char* from;
        const char* to;
        const char* san;
    };
    // The forms ReadSan's rows already give back (file, rank, both, check,
    // pawn capture) are not repeated here.
    const Row rows[] = {
        {"k7/8/8/8/8/2Q1Q3/8/2Q4K w - - 0 1", "c1", "d2", "Q1d2"},
        // Captures never use the rank alone: file, then file and rank.
        {"k7/8/8/8/8/4R3/4n3/4R2K w - - 0 1", "e1", "e2", "Re1xe2"},
        {"k7/8/8/8/3r4/8/3n4/3R3K w - - 0 1", "d1", "d2", "Rxd2"},
        {"k7/8/8/8/8/8/3n4/1N3N1K w - - 0 1", "b1", "d2", "Nbxd2"},
        // Pawns.
        {"4k3/8/8/8/8/8/4P3/4K3 w - - 0 1", "e2", "e4", "e4"},
    };
    for (const Row& row : rows) {
        const Position before = FromFen(row.fen);
        Position after;
        const std::string coordinate = std::string(row.from) + row.to;
        ASSERT_EQ(ReadSan(coordinate, before, nullptr, nullptr, after), 0) << row.fen;
        EXPECT_EQ(build_pretty_move(row.from[0] - 'a', row.from[1] - '1', row.to[0] - 'a',
                                    row.to[1] - '1', before, after),
                  row.san)
            << row.fen;
    }
}

TEST(Notation, BuildPrettyMoveReportsAnIllegalMove) {
    DiagnosticsCapture capture;
    const Position before = FromFen(kStart);
    Position after = before;
    after.sideToMove = 0;
    after.board[Position::Index(6, 0)] = 0;
    after.board[Position::Index(6, 4)] = Position::Knight;
    // A knight move to a square no knight reaches.
    const std::string san = build_pretty_move(6, 0, 6, 4, before, after);
    EXPECT_EQ(san, "Ng5");
    ASSERT_FALSE(capture.lines.empty());
    EXPECT_EQ(capture.lines[0], "shouldn't happen. illegal move given to build_pretty_move\n");
    EXPECT_EQ(build_pretty_move(-1, 0, 9, 9, before, after), "");
}

TEST(Notation, AlgebraicToSmith) {
    struct Row {
        const char* fen;
        const char* san;
        const char* smith;  // nullptr: no result
    };
    const Row rows[] = {
        {kStart, "Nf3!?", "g1f3"},
        {kStart, "Nf3??", "g1f3"},
        {kStart, "Nf4", nullptr},
        {kStart, "!Nf3", nullptr},
        {kCastles, "0-0+", "e1g1c"},
        {kDKing, "O-O", "d1b1c"},
        {kDKing, "O-O-O", "d1f1C"},
        {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "exd6ep", "e5d6E"},
        {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "exd6ep!", "e5d6E"},
        {"r3k3/1P6/8/8/8/8/8/4K3 w - - 0 1", "b8", "b7b8Q"},
        {"8/8/8/8/8/K7/4p3/3R3k b - - 0 1", "exd1=R", "e2d1rR"},
        // Drops take the mover's colour.
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", "N@f3", "N@f3"},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", "n@F3", "N@f3"},
        {"4k3/8/8/8/8/8/8/4K3 b - - 0 1", "N@f3", "n@f3"},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", "p@a2", "P@a2"},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", "N@e1", nullptr},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", "X@f3", nullptr},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", "N@i3", nullptr},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", "N@f9", nullptr},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", "N@f", nullptr},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", "", nullptr},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", "ep", nullptr},
    };
    for (const Row& row : rows) {
        Position pos = FromFen(row.fen);
        const Position before = pos;
        const std::optional<std::string> smith = algebraicToSmith(row.san, pos);
        if (!row.smith) {
            EXPECT_FALSE(smith.has_value()) << row.fen << " " << row.san << " gave " << *smith;
            EXPECT_EQ(pos.DebugBoardText(), before.DebugBoardText()) << "unchanged on failure";
            EXPECT_EQ(pos.sideToMove, before.sideToMove);
            continue;
        }
        ASSERT_TRUE(smith.has_value()) << row.fen << " " << row.san;
        EXPECT_EQ(*smith, row.smith) << row.fen << " " << row.san;
        EXPECT_EQ(pos.sideToMove, 1 - before.sideToMove) << row.san;
        // The Smith move applied to the board text gives the same board.
        GameRecord record;
        record.Reset(before.DebugBoardText(), before.sideToMove == 1 ? 0 : 1);
        record.AddMove(*smith);
        EXPECT_EQ(record.Board().View(), pos.DebugBoardText()) << row.san;
    }
}

TEST(Notation, AlgebraicToSmithReportsACorruptCapturedPiece) {
    DiagnosticsCapture capture;
    Position pos = FromFen("4k3/8/8/3q4/8/8/8/4K3 b - - 0 1");
    // A code no piece has (below 10, so it counts as White's).
    pos.board[Position::Index(3, 0)] = 9;
    const std::optional<std::string> smith = algebraicToSmith("Qxd1", pos);
    ASSERT_TRUE(smith.has_value());
    EXPECT_EQ(*smith, "d5d1");
    ASSERT_EQ(capture.lines.size(), 1u);
    EXPECT_EQ(capture.lines[0], "Error in algebraicToSmith: piece=9\n");
}

TEST(Notation, DropKeepsTheEnPassantFile) {
    Position pos = FromFen("4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1");
    ASSERT_TRUE(algebraicToSmith("Q@a1", pos).has_value());
    EXPECT_EQ(pos.epFile, 3);
    EXPECT_EQ(pos.board[0], 5);
}

TEST(Notation, BuildSmithMove) {
    struct Row {
        const char* placement;
        const char* origin;
        const char* destination;
        char promotion;
        const char* smith;
    };
    const Row rows[] = {
        {"4k3/8/8/8/8/8/8/R3K2R", "e1", "g1", 0, "e1g1c"},
        {"r3k2r/8/8/8/8/8/8/4K3", "e8", "c8", 0, "e8c8C"},
        {"4k3/8/8/8/8/8/8/R2K3R", "d1", "b1", 0, "d1b1c"},
        {"4k3/8/8/8/8/8/8/R2K3R", "d1", "f1", 0, "d1f1C"},
        {"4k3/8/8/8/8/8/8/2K5", "c1", "e1", 0, "c1e1"},  // two files, no castling file
        {"4k3/8/8/8/8/8/8/R3K2R", "e1", "f1", 0, "e1f1"},
        {"3rk3/4P3/8/8/8/8/8/4K3", "e7", "d8", 'q', "e7d8rQ"},
        {"4k3/8/8/8/8/8/p7/4K3", "a2", "a1", 'r', "a2a1R"},
        {"4k3/8/8/3pP3/8/8/8/4K3", "e5", "d6", 0, "e5d6E"},
        {"4k3/8/8/3nP3/8/8/8/4K3", "e5", "d6", 0, "e5d6"},  // no pawn beside
        {"4k3/8/3p4/4P3/8/8/8/4K3", "e5", "d6", 0, "e5d6p"},
        {"4k3/8/8/8/8/8/8/4K3", "N@", "f3", 0, "N@f3"},
        {"4k3/8/8/8/8/8/8/4K3", "g1", "f3", 0, "g1f3"},
        {"4k3/8/8/8/8/8/8/4K3", "e1", "e9", 0, ""},
        {"4k3/8/8/8/8/8/8/4K3", "e", "e2", 0, ""},
    };
    for (const Row& row : rows) {
        GameRecord record;
        record.Reset(BoardFromFen(row.placement));
        EXPECT_EQ(BuildSmithMove(record, row.origin, row.destination, row.promotion), row.smith)
            << row.placement << " " << row.origin << row.destination;
    }
}

}  // namespace
