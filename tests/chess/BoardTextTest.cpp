// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include <gtest/gtest.h>

#include "chess/BoardText.h"

namespace {

TEST(BoardText, SquareNamesMapRankEightFirst) {
    struct Row {
        const char* name;
        int index;
    };
    const Row rows[] = {{"a8", 0}, {"h8", 7}, {"a1", 56}, {"h1", 63}, {"e4", 36}, {"d5", 27}};
    for (const Row& row : rows) {
        ASSERT_TRUE(BoardText::SquareIndex(row.name).has_value()) << row.name;
        EXPECT_EQ(*BoardText::SquareIndex(row.name), row.index) << row.name;
    }
}

TEST(BoardText, SquareNamesOffTheBoardHaveNoIndex) {
    for (const char* name : {"i1", "a9", "a0", "`1", "A1", "", "e", "-4"})
        EXPECT_FALSE(BoardText::SquareIndex(name).has_value()) << '"' << name << '"';
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
    EXPECT_EQ(BoardText::ColourOf('p'), 0);
    EXPECT_EQ(BoardText::ColourOf('k'), 0);
    EXPECT_EQ(BoardText::ColourOf('P'), 1);
    EXPECT_EQ(BoardText::ColourOf('K'), 1);
}

}  // namespace
