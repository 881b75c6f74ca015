// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "RulesTestSupport.h"
#include "chess/GameRecord.h"

namespace {

using rules_test::BoardFromFen;

char At(const GameRecord& record, const char* square) {
    return record.Board()[*BoardText::SquareIndex(square)];
}

GameRecord FromPlacement(const std::string& placement, int startPly = 0) {
    GameRecord record;
    record.Reset(BoardFromFen(placement), startPly);
    return record;
}

TEST(GameRecord, AppliesSuffixes) {
    struct Row {
        const char* placement;
        int ply;
        const char* move;
        const char* expected;  // placement after the move
    };
    // The standard castles, en passant and promotions are replayed by the
    // PGN collection's games.
    const Row rows[] = {
        // Castling with the king on d.
        {"r2k3r/8/8/8/8/8/8/R2K3R", 0, "d1b1c", "r2k3r/8/8/8/8/8/8/1KR4R"},
        {"r2k3r/8/8/8/8/8/8/R2K3R", 0, "d1f1C", "r2k3r/8/8/8/8/8/8/R3RK2"},
        {"r2k3r/8/8/8/8/8/8/R2K3R", 1, "d8f8C", "r3rk2/8/8/8/8/8/8/R2K3R"},
        // The promotion letter takes the mover's case only for a black pawn;
        // a capture letter changes nothing else.
        {"4k3/8/8/8/8/8/6p1/4K2R", 1, "g2h1rK", "4k3/8/8/8/8/8/8/4K2k"},
        {"4k3/8/8/3p4/4P3/8/8/4K3", 0, "e4d5z", "4k3/8/8/3P4/8/8/8/4K3"},
        // Drops take their colour from the ply; the eraser empties.
        {"4k3/8/8/8/8/8/8/4K3", 0, "N@f3", "4k3/8/8/8/8/5N2/8/4K3"},
        {"4k3/8/8/8/8/8/8/4K3", 1, "N@f3", "4k3/8/8/8/8/5n2/8/4K3"},
        {"4k3/8/8/8/8/8/8/4K3", 0, "p@f3", "4k3/8/8/8/8/5P2/8/4K3"},
        {"4k3/8/8/8/8/5N2/8/4K3", 0, "-@f3", "4k3/8/8/8/8/8/8/4K3"},
        // Removal.
        {"4k3/8/8/8/8/5N2/8/4K3", 0, "?-f3", "4k3/8/8/8/8/8/8/4K3"},
    };
    for (const Row& row : rows) {
        GameRecord record = FromPlacement(row.placement, row.ply);
        record.AddMove(row.move);
        EXPECT_EQ(record.Board().View(), BoardFromFen(row.expected)) << row.move;
        EXPECT_EQ(record.Ply(), row.ply + 1);
        EXPECT_EQ(record.LastMove(), row.move);
    }
}

// Squares a move string names, as the applier reads them; malformed moves may
// change nothing else.
std::vector<int> NamedSquares(const std::string& move) {
    std::vector<int> squares;
    const auto add = [&](size_t at) {
        if (at + 1 < move.size()) {
            if (auto sq = BoardText::SquareIndex(move[at], move[at + 1])) squares.push_back(*sq);
        }
    };
    add(0);
    add(2);
    // Castling names the rook squares of the origin rank; en passant the
    // square beside the origin.
    if (squares.size() == 2 && move.size() > 4) {
        const int row = squares[0] / 8;
        if (move.back() == 'c' || move.back() == 'C') {
            for (int file : {0, 2, 3, 4, 5, 7}) squares.push_back(BoardText::Index(file, row));
        } else if (move.back() == 'E') {
            squares.push_back(BoardText::Index(squares[1] % 8, row));
        }
    }
    return squares;
}

TEST(GameRecord, MalformedMovesChangeOnlySquaresTheyName) {
    const char* moves[] = {"",      "e",     "e2",    "e2e",  "z9e4",          "e2e9",
                           "e2i4",  "@@@@",  "Z@e4",  "N@",   "N@e",           "N@z9",
                           "?",     "?x",    "?xz9",  "e4e4", "e2e4zzzzzzzzz", "\xff\xfe\x01\x02",
                           "a1h8Q", "h8a1C", "a2h5E", "b1d1c"};
    for (const char* move : moves) {
        GameRecord record;
        const BoardText before = record.Board();
        record.AddMove(move);
        const std::vector<int> named = NamedSquares(move);
        for (int i = 0; i < 64; ++i) {
            bool isNamed = false;
            for (int sq : named) isNamed = isNamed || sq == i;
            if (!isNamed) {
                EXPECT_EQ(record.Board()[i], before[i]) << '"' << move << "\" square " << i;
            }
        }
        EXPECT_EQ(record.Ply(), 1) << "the move is stored even when malformed";
    }
    // A drop of no known piece or onto no square changes nothing at all.
    GameRecord record;
    record.AddMove("Z@e4");
    record.AddMove("N@i9");
    EXPECT_EQ(record.Board().View(), BoardText::kStandard);
}

// Plays the moves from the start and returns the board before each and after the last.
std::vector<BoardText> Play(GameRecord& record, std::initializer_list<const char*> moves) {
    std::vector<BoardText> boards{record.Board()};
    for (const char* m : moves) {
        record.AddMove(m);
        boards.push_back(record.Board());
    }
    return boards;
}

// Every board of real games is browsed and taken back in the PGN
// collection's walk; here the limits and the en-passant file.
TEST(GameRecord, TakeBackAndBrowsingClampAndRestoreTheEnPassantFile) {
    GameRecord record;
    const std::vector<BoardText> boards =
        Play(record, {"e2e4", "d7d5", "e4e5", "f7f5", "e5f6E", "g8f6"});
    EXPECT_EQ(record.BoardAtPly(-5), boards[0]);
    EXPECT_EQ(record.BoardAtPly(99), boards[6]);
    EXPECT_EQ(record.EpFile(), -1);
    record.TakeBack(2);
    EXPECT_EQ(record.Ply(), 4);
    EXPECT_EQ(record.EpFile(), 5);  // f7f5 was the last move again
    EXPECT_EQ(record.Moves().size(), 4u);
    EXPECT_EQ(record.LastMove(), "f7f5");
    record.TakeBack(0);
    record.TakeBack(-3);
    EXPECT_EQ(record.Ply(), 4);
    record.TakeBack(100);
    EXPECT_EQ(record.Ply(), 0);
    EXPECT_EQ(record.Board().View(), BoardText::kStandard);
    EXPECT_TRUE(record.Moves().empty());
    EXPECT_TRUE(record.LastMove().empty());
}

TEST(GameRecord, BlackToMoveStartsAtPlyOne) {
    const std::string start = BoardFromFen("4k3/8/8/8/8/8/4P3/4K3");
    GameRecord record;
    record.Reset(start, 1);
    EXPECT_EQ(record.Ply(), 1);
    EXPECT_TRUE(record.MoveAt(0).empty());
    EXPECT_TRUE(record.LastMove().empty());
    record.AddMove("e8d8");
    record.AddMove("e2e4");
    record.AddMove("N@f6");  // Black's drop at an odd ply
    EXPECT_EQ(record.MoveAt(1), "e8d8");
    EXPECT_EQ(At(record, "f6"), 'n');
    // Browsing to the very start never replays the missing first entry.
    EXPECT_EQ(record.BoardAtPly(0).View(), start);
    EXPECT_EQ(record.BoardAtPly(2)[*BoardText::SquareIndex("d8")], 'k');
    record.TakeBack(10);
    EXPECT_EQ(record.Ply(), 1);
    EXPECT_EQ(record.Board().View(), start);
    record.Reset(start, -4);
    EXPECT_EQ(record.Ply(), 0);
}

TEST(GameRecord, StartWithAnEnPassantFileAllowsTheCaptureAtOnce) {
    GameRecord record;
    record.Reset(BoardFromFen("4k3/8/8/8/Pp6/8/8/4K3"), 1, 0);
    EXPECT_EQ(record.EpFile(), 0);
    EXPECT_TRUE(record.IsLegalMove("b4a3E"));
    record.AddMove("b4a3E");
    EXPECT_EQ(record.EpFile(), -1);
    EXPECT_EQ(record.Board()[*BoardText::SquareIndex("a4")], '-');
    record.TakeBack(1);
    EXPECT_EQ(record.EpFile(), 0);
    record.Reset(BoardFromFen("4k3/8/8/8/Pp6/8/8/4K3"), 1, 8);
    EXPECT_EQ(record.EpFile(), -1);
    EXPECT_FALSE(record.IsLegalMove("b4a3E"));
}

TEST(GameRecord, ResetClearsMovesAndTextSlots) {
    GameRecord record;
    record.SetTextSlot(0, "a");
    record.SetTextSlot(1, "b");
    record.AddMove("e2e4");
    record.Reset("short");
    EXPECT_EQ(record.Ply(), 0);
    EXPECT_EQ(record.EpFile(), -1);
    EXPECT_TRUE(record.Moves().empty());
    EXPECT_TRUE(record.TextSlot(0).empty());
    EXPECT_TRUE(record.TextSlot(1).empty());
}

TEST(GameRecord, IsLegalMove) {
    struct Row {
        const char* placement;
        int epFileMove;  // a double step to play first for e.p. (index into a table), or -1
        const char* move;
        bool legal;
    };
    // Every move of the PGN collection's games is checked legal in its walk;
    // here the refusals and what real games never hold.
    const char* start = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR";
    const Row rows[] = {
        {start, -1, "e2e5", false},
        {start, -1, "g1g3", false},
        {start, -1, "f1c4", false},
        {start, -1, "e4e5", false},  // empty origin
        // A pinned bishop may not leave the line; a pinned rook may move along it.
        {"4r1k1/8/8/8/8/8/4B3/4K3", -1, "e2d3", false},
        {"4r1k1/8/8/8/8/8/4R3/4K3", -1, "e2e8", true},
        {"4r1k1/8/8/8/8/8/4R3/4K3", -1, "e2d2", false},
        // The king may not step onto an attacked square.
        {"6k1/8/8/8/8/8/3r4/4K3", -1, "e1e2", false},
        {"6k1/8/8/8/8/8/3r4/4K3", -1, "e1d1", false},
        {"6k1/8/8/8/8/8/3r4/4K3", -1, "e1d2", true},
        {"6k1/8/8/8/8/8/8/3K1k2", -1, "d1e1", false},
        // Castling looks at squares and attacks only, not at rights or rooks.
        {"4k3/8/8/8/8/8/8/4K3", -1, "e1g1", true},
        {"4k3/8/8/8/8/8/3PPP2/3QK2R", -1, "e1g1c", true},
        {"4k3/8/8/8/8/8/8/RN2K2R", -1, "e1c1", false},  // b1 must be empty
        {"4k3/8/8/8/8/8/8/R3KB1R", -1, "e1g1", false},
        {"4k3/8/8/8/8/8/5r2/R3K2R", -1, "e1g1", false},  // f1 attacked
        {"4k3/8/8/8/8/8/6r1/R3K2R", -1, "e1g1", false},  // g1 attacked
        {"4k3/8/8/8/8/8/1r6/R3K2R", -1, "e1c1", true},   // b1 may be attacked
        {"4k3/8/8/8/8/8/4r3/R3K2R", -1, "e1g1", false},  // in check
        {"3k4/8/8/8/8/8/8/R2K3R", -1, "d1b1", true},     // king on d
        {"3k4/8/8/8/8/8/8/R2K3R", -1, "d1f1", true},
        {"3k4/8/8/8/8/8/8/R2K2NR", -1, "d1f1", false},  // g1 must be empty for a d-king
        {"4k3/8/8/8/8/8/8/5K2", -1, "f1h1", false},     // only d- and e-kings castle
        {"4k3/8/8/8/8/8/8/4K3", -1, "e1e3", false},
        // En passant only right after the double step.
        {"4k3/3p4/8/4P3/8/8/8/4K3", 0, "e5d6", true},
        {"4k3/8/8/3pP3/8/8/8/4K3", -1, "e5d6", false},
        {"4k3/8/8/8/3p4/8/4P3/4K3", 1, "d4e3", true},
        // Pawns: blocked, captures, backwards.
        {"4k3/8/8/8/8/4n3/4P3/4K3", -1, "e2e3", false},
        {"4k3/8/8/8/8/4n3/4P3/4K3", -1, "e2e4", false},
        {"4k3/8/8/8/8/3N4/4P3/4K3", -1, "e2d3", false},
        {"4k3/8/8/8/8/8/4P3/4K3", -1, "e2e1", false},
        {"4k3/4P3/8/8/8/8/8/4K3", -1, "e7e8", false},  // the black king blocks
        // Drops look at the target square only.
        {"4k3/8/8/8/8/8/8/4K3", -1, "N@e4", true},
        {"4k3/8/8/8/8/8/8/4K3", -1, "N@e1", false},
        {"4k3/8/8/8/8/8/8/4K3", -1, "N@", false},
        // Unreadable moves.
        {"4k3/8/8/8/8/8/8/4K3", -1, "", false},
        {"4k3/8/8/8/8/8/8/4K3", -1, "e1", false},
        {"4k3/8/8/8/8/8/8/4K3", -1, "e1i1", false},
    };
    const char* doubleSteps[] = {"d7d5", "e2e4"};
    for (const Row& row : rows) {
        GameRecord record = FromPlacement(row.placement, row.epFileMove == 0 ? 1 : 0);
        if (row.epFileMove >= 0) record.AddMove(doubleSteps[row.epFileMove]);
        const BoardText before = record.Board();
        EXPECT_EQ(record.IsLegalMove(row.move), row.legal) << row.placement << " " << row.move;
        EXPECT_EQ(record.Board(), before) << "the legality test must put the board back";
    }
}

TEST(GameRecord, CountLegalDestinations) {
    struct Row {
        const char* placement;
        const char* square;
        int count;
        const char* only;  // the single destination when count is 1
    };
    const Row rows[] = {
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", "a1", 0, nullptr},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", "e4", 0, nullptr},
        {"7k/8/8/8/8/8/PP6/KR6", "a1", 0, nullptr},
        {"7k/8/8/8/8/8/P7/KR6", "a1", 1, "b2"},
        {"7k/8/8/8/8/4p3/4P3/4K3", "e2", 0, nullptr},
        {"7k/8/8/8/8/4p3/8/4P3", "e1", 1, "e2"},  // a pawn on its own back rank steps once
        {"4r1k1/8/8/8/8/8/4B3/4K3", "e2", 0, nullptr},
        {"4r1k1/8/8/8/8/8/4R3/4K3", "e2", 2, nullptr},
        // A king boxed in whose only way out is castling.
        {"4k3/8/8/8/8/8/3PPP2/3QK2R", "e1", 2, nullptr},
        {"4k3/8/8/8/8/8/3PPP2/3QKB1R", "e1", 0, nullptr},
        {"4k3/8/8/8/8/8/3PPP2/3QK1NR", "e1", 1, "f1"},
    };
    for (const Row& row : rows) {
        const GameRecord record = FromPlacement(row.placement);
        const int sq = *BoardText::SquareIndex(row.square);
        const GameRecord::Destinations d = record.CountLegalDestinations(sq % 8, sq / 8);
        EXPECT_EQ(d.count, row.count) << row.placement << " " << row.square;
        if (row.only) {
            const int only = *BoardText::SquareIndex(row.only);
            EXPECT_EQ(d.file, only % 8) << row.placement;
            EXPECT_EQ(d.row, only / 8) << row.placement;
        }
    }
    const GameRecord record;
    EXPECT_EQ(record.CountLegalDestinations(8, 0).count, 0);
    EXPECT_EQ(record.CountLegalDestinations(0, -1).count, 0);
}

TEST(GameRecord, MaterialSums) {
    struct Row {
        const char* placement;
        int white, black;
    };
    const Row rows[] = {
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", 39, 39},
        {"4k3/8/8/8/8/8/8/4K3", 0, 0},
        {"4k3/q7/8/8/8/8/8/4KR2", 5, 9},
        {"4k3/pppppppp/8/8/8/8/8/NB2K3", 6, 8},
    };
    for (const Row& row : rows) {
        const GameRecord record = FromPlacement(row.placement);
        const GameRecord::Material sums = record.MaterialSums();
        EXPECT_EQ(sums.white, row.white) << row.placement;
        EXPECT_EQ(sums.black, row.black) << row.placement;
    }
    const GameRecord::Material junk =
        GameRecord::MaterialSums(BoardText::FromText("xyz?!QQ" + std::string(57, '#')));
    EXPECT_EQ(junk.white, 18);
    EXPECT_EQ(junk.black, 0);
}

}  // namespace
