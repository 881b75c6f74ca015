// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
// The server's move generator against the published perft counts, and the
// notations it writes for the moves that need care.
#include <gtest/gtest.h>

#include "Referee.h"

namespace {

struct PerftRow {
    const char* name;
    const char* fen;
    int depth;
    uint64_t nodes;
};

// Counts from the chess programming community's perft tables: the start
// position, "Kiwipete" (castling, pins, en passant, promotions), position 3
// (en passant that uncovers a check on the rank), position 4 (promotions and
// castling out of check) and position 5.
const PerftRow kRows[] = {
    {"start", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 4, 197281},
    {"kiwipete", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", 3, 97862},
    {"position3", "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", 4, 43238},
    {"position4", "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1", 3, 9467},
    {"position5", "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8", 3, 62379},
};

class PerftTest : public testing::TestWithParam<PerftRow> {};

TEST_P(PerftTest, MatchesPublishedCount) {
    const std::optional<Referee> position = Referee::FromFen(GetParam().fen);
    ASSERT_TRUE(position);
    EXPECT_EQ(position->Perft(GetParam().depth), GetParam().nodes);
}

INSTANTIATE_TEST_SUITE_P(Referee, PerftTest, testing::ValuesIn(kRows),
                         [](const auto& row) { return std::string(row.param.name); });

// Crazyhouse (holdings in brackets), counted by fairy-stockfish with
// UCI_Variant crazyhouse: drops of every piece in hand, no pawns on the
// first or last rank, drops that block or give check, and a promoted piece
// captured that goes to the hand as a pawn (bxa8=Q Kxa8, then Black drops).
const PerftRow kDropRows[] = {
    {"promoted_back_as_pawn", "rk6/1P6/8/8/8/8/8/4K3[] w - - 0 1", 4, 20257},
    {"white_holds_knight",
     "r1bqk2r/pppp1ppp/2n2n2/2b1p3/2B1P3/5N2/PPPP1PPP/RNBQK2R[Nb] w KQkq - 4 4", 3, 211179},
    {"black_holds_pawn", "r1b1kb1r/ppp2ppp/2n5/3qp3/8/2N2N2/PPPP1PPP/R1BQKB1R[NPp] b KQkq - 1 6", 3,
     431227},
    {"back_rank_check", "6k1/8/8/8/8/8/5PPP/4r1K1[N] w - - 0 1", 3, 135},
};

INSTANTIATE_TEST_SUITE_P(Crazyhouse, PerftTest, testing::ValuesIn(kDropRows),
                         [](const auto& row) { return std::string(row.param.name); });

struct NotationRow {
    const char* fen;
    const char* typed;
    const char* san;
    const char* smith;
};

// Each row: what a person types, and what the server then sends as SAN and
// as the Smith move.
const NotationRow kNotation[] = {
    {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1g1", "O-O", "e1g1c"},
    {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "0-0-0", "O-O-O", "e8c8C"},
    {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 2", "exd6", "exd6", "e5d6E"},
    {"3rk3/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7d8=N", "exd8=N", "e7d8rN"},
    {"3k4/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7e8", "e8=Q+", "e7e8Q"},
    {"4k3/8/8/8/8/5N2/8/1N2K3 w - - 0 1", "Nbd2", "Nbd2", "b1d2"},
    {"k7/8/8/8/8/4R3/8/4RK2 w - - 0 1", "R1e2", "R1e2", "e1e2"},
    {"6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", "Ra8", "Ra8#", "a1a8"},
    {"4k3/8/8/8/8/8/8/4K1N1 w - - 0 1", "Ng1f3", "Nf3", "g1f3"},
    // Drops: the Smith letter is upper case for Black too.
    {"6k1/8/8/8/8/8/5PPP/4r1K1[N] w - - 0 1", "N@f1", "N@f1", "N@f1"},
    {"4k3/8/8/8/8/8/8/4K3[n] b - - 0 1", "n@d3", "N@d3+", "N@d3"},
};

TEST(RefereeNotation, TypedMovesGiveSanAndSmith) {
    for (const NotationRow& row : kNotation) {
        const std::optional<Referee> position = Referee::FromFen(row.fen);
        ASSERT_TRUE(position) << row.fen;
        const std::optional<Referee::Move> move = position->ReadMove(row.typed);
        ASSERT_TRUE(move) << row.typed;
        EXPECT_EQ(position->San(*move), row.san) << row.typed;
        EXPECT_EQ(position->Smith(*move), row.smith) << row.typed;
    }
}

TEST(RefereeNotation, RefusesWhatIsNotALegalMove) {
    const std::optional<Referee> pinned = Referee::FromFen("4k3/4r3/8/8/8/8/4B3/4K3 w - - 0 1");
    ASSERT_TRUE(pinned);
    for (const char* typed : {"Bd3", "e2d3", "Nd2", "e4", "O-O", "", "e2e9", "zz"}) {
        EXPECT_FALSE(pinned->ReadMove(typed)) << typed;
    }
    // Two knights reach d2 from b1 and f3: plain Nd2 names neither.
    const std::optional<Referee> knights = Referee::FromFen("4k3/8/8/8/8/5N2/8/1N2K3 w - - 0 1");
    ASSERT_TRUE(knights);
    EXPECT_FALSE(knights->ReadMove("Nd2"));
    // No pawn drop on the last rank, no drop on a piece, of a piece not in
    // the hand, or without drops.
    const std::optional<Referee> hands = Referee::FromFen("4k3/8/8/8/8/8/8/4K3[Pq] w - - 0 1");
    ASSERT_TRUE(hands);
    for (const char* typed : {"P@a8", "P@e1", "Q@a4", "e4e4"}) EXPECT_FALSE(hands->ReadMove(typed));
    EXPECT_FALSE(Referee().ReadMove("N@e4"));
}

TEST(RefereeStatus, EndingsOfTheGame) {
    struct Row {
        const char* fen;
        Referee::Ending ending;
    } rows[] = {
        {"6k1/5ppp/8/8/8/8/8/R5K1 b - - 0 1", Referee::Ending::None},
        {"R5k1/5ppp/8/8/8/8/8/6K1 b - - 0 1", Referee::Ending::Checkmate},
        {"7k/5Q2/6K1/8/8/8/8/8 b - - 0 1", Referee::Ending::Stalemate},
        {"7k/8/6K1/8/8/8/8/6N1 b - - 0 1", Referee::Ending::Insufficient},
        {"7k/8/6K1/8/8/8/8/4B1B1 b - - 0 1", Referee::Ending::Insufficient},
        {"7k/8/6K1/8/8/8/8/4BB2 b - - 0 1", Referee::Ending::None},
        {"7k/8/6K1/8/8/8/8/R7 b - - 100 80", Referee::Ending::FiftyMoves},
        // A back-rank check that a knight from the hand can block is no
        // mate; a pawn cannot be dropped on the first rank to block it.
        {"6k1/8/8/8/8/8/5PPP/4r1K1[N] w - - 0 1", Referee::Ending::None},
        {"6k1/8/8/8/8/8/5PPP/4r1K1[P] w - - 0 1", Referee::Ending::Checkmate},
        {"7k/8/6K1/8/8/8/8/6N1[] b - - 0 1", Referee::Ending::None},
        {"7k/8/6K1/8/8/8/8/8[] b - - 0 1", Referee::Ending::Insufficient},
    };
    for (const Row& row : rows) {
        const std::optional<Referee> position = Referee::FromFen(row.fen);
        ASSERT_TRUE(position) << row.fen;
        EXPECT_EQ(position->Status(), row.ending) << row.fen;
    }
    EXPECT_FALSE(Referee::FromFen("8/8/8/8/8/8/8/8 w - - 0 1"));
    EXPECT_FALSE(Referee::FromFen("rnbqkbnr/pppppppp/9/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"));
}

}  // namespace
