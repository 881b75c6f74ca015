// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// From a PGN game to Smith moves: the start position from the "FEN" tag, the
// stop at the first move that cannot be converted, and why it stopped.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chess/Notation.h"
#include "chess/PgnConverter.h"
#include "chess/PgnFile.h"

namespace {

using Texts = std::vector<std::string>;

struct StartCase {
    const char* fen;
    int sideToMove;
    int epFile;
    // Castling still allowed, as "KQkq" letters.
    const char* castling;
    const char* board;
};

std::string Castling(const Position& p) {
    std::string rights;
    if (!p.shortRookMoved[Position::White]) rights += 'K';
    if (!p.longRookMoved[Position::White]) rights += 'Q';
    if (!p.shortRookMoved[Position::Black]) rights += 'k';
    if (!p.longRookMoved[Position::Black]) rights += 'q';
    return rights;
}

class StartTable : public testing::TestWithParam<StartCase> {};

TEST_P(StartTable, ReadsTheFenFields) {
    const StartCase& c = GetParam();
    const PgnFile file = PgnFile::FromText(std::string("[FEN \"") + c.fen + "\"] *");
    ASSERT_EQ(file.Games().size(), 1u);
    const Position start = PgnConverter::StartPosition(file.Games()[0]);
    EXPECT_EQ(start.sideToMove, c.sideToMove);
    EXPECT_EQ(start.epFile, c.epFile);
    EXPECT_EQ(Castling(start), c.castling);
    EXPECT_EQ(start.DebugBoardText(), c.board);
}

INSTANTIATE_TEST_SUITE_P(
    Pgn, StartTable,
    // Whole FEN tags are read by the PGN collection's games; here the
    // fields a tag leaves out (White to move, no castling, no e.p.) and
    // fields past their widths.
    testing::Values(StartCase{"4k3/8/8/8/8/8/8/4K3", Position::White, -1, "",
                              "----k-------------------------------------------------------K---"},
                    StartCase{"4k3/8/8/8/8/8/8/4K3 b", Position::Black, -1, "",
                              "----k-------------------------------------------------------K---"},
                    // Fields are cut at their scanf widths: "KQkqX" keeps its first four
                    // letters... and the remaining "X" is read as the e.p. field.
                    StartCase{"r3k2r/8/8/8/8/8/8/R3K2R w KQkqKQkqX 0 1", Position::White, -1,
                              "KQkq",
                              "r---k--r------------------------------------------------R---K--R"},
                    StartCase{"", Position::White, -1, "",
                              "----------------------------------------------------------------"}));

Texts Convert(const std::string& text, PgnConverter::Result* result = nullptr) {
    const PgnFile file = PgnFile::FromText(text);
    EXPECT_EQ(file.Games().size(), 1u);
    Texts smith;
    if (file.Games().empty()) return smith;
    const PgnConverter::Result r = PgnConverter::PgnToSmith(file.Games()[0], smith);
    if (result) *result = r;
    return smith;
}

struct StopCase {
    const char* text;
    Texts smith;
    int reason;
    const char* reasonText;
};

class StopTable : public testing::TestWithParam<StopCase> {};

TEST_P(StopTable, StopsAtTheFirstBadMove) {
    const StopCase& c = GetParam();
    PgnConverter::Result result;
    EXPECT_EQ(Convert(c.text, &result), c.smith);
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(result.converted, static_cast<int>(c.smith.size()));
    EXPECT_EQ(result.reason, c.reason);
    EXPECT_EQ(PgnConverter::ReasonText(result.reason), c.reasonText);
}

INSTANTIATE_TEST_SUITE_P(
    Pgn, StopTable,
    testing::Values(
        StopCase{"[a \"b\"] 1. e4 e5 2. Ke3 Nc6 *", {"e2e4", "e7e5"}, SanNoMove, "illegal"},
        StopCase{"[a \"b\"] 1. d4 d5 2. Nf3 Nf6 3. Nd2 *",
                 {"d2d4", "d7d5", "g1f3", "g8f6"},
                 SanAmbiguous,
                 "ambiguous"},
        // The knight does not block the queen's check.
        StopCase{"[a \"b\"] 1. e4 e5 2. f4 Qh4+ 3. Nf3 Nc6 *",
                 {"e2e4", "e7e5", "f2f4", "d8h4"},
                 SanLeavesCheck,
                 "check"},
        StopCase{"[a \"b\"] 1. zz9 *", {}, SanNoMove, "illegal"},
        // Everything after a stop is ignored, even moves that would read.
        StopCase{"[a \"b\"] 1. e4 e4 2. d4 *", {"e2e4"}, SanNoMove, "illegal"}));

TEST(PgnConverter, StepsOneMoveAtATimeAndStaysStopped) {
    const PgnFile file = PgnFile::FromText("[a \"b\"] 1. e4 e6 2. Ke3 e5 *");
    ASSERT_EQ(file.Games().size(), 1u);
    PgnConverter converter(file.Games()[0]);
    EXPECT_EQ(converter.Step(), "e2e4");
    EXPECT_EQ(converter.Current().sideToMove, Position::Black);
    EXPECT_EQ(converter.Step(), "e7e6");
    EXPECT_FALSE(converter.Done());
    EXPECT_EQ(converter.Step(), std::nullopt);
    EXPECT_TRUE(converter.Done());
    EXPECT_TRUE(converter.Stopped());
    EXPECT_EQ(converter.NextIndex(), 2);
    // The failed move changed nothing, and asking again converts nothing more.
    EXPECT_EQ(converter.Current().sideToMove, Position::White);
    EXPECT_EQ(converter.Step(), std::nullopt);
    EXPECT_EQ(converter.NextIndex(), 2);
}

TEST(PgnConverter, DropsAndAnnotationsConvert) {
    PgnConverter::Result result;
    EXPECT_EQ(Convert("[a \"b\"] 1. e4 d5 2. exd5 Qxd5 3. N@f3 *", &result),
              (Texts{"e2e4", "d7d5", "e4d5p", "d8d5p", "N@f3"}));
    EXPECT_FALSE(result.stopped);
    EXPECT_EQ(Convert("[a \"b\"] 1. e4 a6 2. e5 d5 3. exd6ep *"),
              (Texts{"e2e4", "a7a6", "e4e5", "d7d5", "e5d6E"}));
    EXPECT_EQ(Convert("[a \"b\"] *"), Texts{});
}

struct WrittenCase {
    const char* text;
    Texts san;  // per converted move
};

class WrittenTable : public testing::TestWithParam<WrittenCase> {};

TEST_P(WrittenTable, WritesTheClientsSan) {
    const PgnFile file = PgnFile::FromText(GetParam().text);
    ASSERT_EQ(file.Games().size(), 1u);
    PgnConverter converter(file.Games()[0]);
    Texts san;
    while (!converter.Done()) {
        const Position before = converter.Current();
        const std::optional<std::string> smith = converter.Step();
        ASSERT_TRUE(smith);
        san.push_back(PgnConverter::WrittenSan(*smith, before, converter.Current()));
    }
    EXPECT_EQ(san, GetParam().san);
}

INSTANTIATE_TEST_SUITE_P(
    Pgn, WrittenTable,
    testing::Values(
        // Castling gives check through the rook.
        WrittenCase{"[FEN \"5k2/8/8/8/8/8/8/4K2R w K - 0 1\"] 1. O-O Ke7 *", {"O-O+", "Ke7"}},
        WrittenCase{"[FEN \"r3k3/8/8/8/8/8/8/3K4 b q - 0 1\"] 1... 0-0-0+ *", {"O-O-O+"}},
        // A drop is written as it is stored.
        WrittenCase{"[a \"b\"] 1. N@e4 *", {"N@e4"}}));

}  // namespace
