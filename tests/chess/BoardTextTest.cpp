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
    EXPECT_EQ(BoardText::FromText(std::string(BoardText::kStandard) + "extra").View(),
              BoardText::kStandard);
    EXPECT_EQ(BoardText::FromText("rnbq").View(), "rnbq" + std::string(60, '-'));
}

}  // namespace
