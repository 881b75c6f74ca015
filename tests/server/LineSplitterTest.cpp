// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LineSplitter.h"

namespace {

TEST(LineSplitterTest, LinesAcrossChunksAreCutAtTheCapAndMemoryStaysBounded) {
    LineSplitter splitter(8);
    std::vector<LineSplitter::Line> lines;
    for (const char* chunk :
         {"lev", "el1\r\n\nok", "\n12345678\n123456789\n", "123", "45678ab", "cd\nnext\n"}) {
        splitter.Feed(chunk, lines);
    }
    const std::vector<std::pair<std::string, bool>> expected = {
        {"level1\r", false}, {"", false},        {"ok", false},  {"12345678", false},
        {"12345678", true},  {"12345678", true}, {"next", false}};
    ASSERT_EQ(lines.size(), expected.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].text, expected[i].first) << i;
        EXPECT_EQ(lines[i].tooLong, expected[i].second) << i;
    }
    // A line that never ends holds no more than the cap.
    splitter.Feed(std::string(1 << 20, 'x'), lines);
    EXPECT_LE(splitter.Pending(), 8u);
}

}  // namespace
