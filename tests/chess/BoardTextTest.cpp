// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "chess/BoardText.h"

namespace {

TEST(BoardText, SquareNamesMapRankEightFirst) {
    struct Row {
        const char* name;
        std::optional<int> index;  // none: off the board
    };
    const Row rows[] = {{"a8", 0},  {"h8", 7},  {"a1", 56}, {"h1", 63}, {"e4", 36},
                        {"d5", 27}, {"i1", {}}, {"a9", {}}, {"a0", {}}, {"`1", {}},
                        {"A1", {}}, {"", {}},   {"e", {}},  {"-4", {}}};
    for (const Row& row : rows)
        EXPECT_EQ(BoardText::SquareIndex(row.name), row.index) << '"' << row.name << '"';
}

TEST(BoardText, FromTextTakesSixtyFourCharactersAndPadsShortText) {
    const BoardText standard = BoardText::FromText(std::string(BoardText::kStandard) + "extra");
    EXPECT_EQ(standard.View(), BoardText::kStandard);
    const BoardText partial = BoardText::FromText("rnbq");
    EXPECT_EQ(partial.View().substr(0, 4), "rnbq");
    EXPECT_EQ(partial.View().substr(4), std::string(60, '-'));
    EXPECT_EQ(BoardText().View(), std::string(64, '-'));
}

TEST(BoardText, StandardStartIsTheLiteral) {
    const BoardText board = BoardText::Standard();
    EXPECT_EQ(board.View(), "rnbqkbnrpppppppp--------------------------------PPPPPPPPRNBQKBNR");
    EXPECT_EQ(board.At(4, 7), 'K');  // e1
    EXPECT_EQ(board.At(3, 0), 'q');  // d8
}

TEST(BoardText, ColourFollowsCase) {
    for (const char piece : {'p', 'k'}) EXPECT_EQ(BoardText::ColourOf(piece), 0) << piece;
    for (const char piece : {'P', 'K'}) EXPECT_EQ(BoardText::ColourOf(piece), 1) << piece;
}

}  // namespace
