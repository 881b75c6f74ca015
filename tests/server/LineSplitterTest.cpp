// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LineSplitter.h"

namespace {

std::vector<LineSplitter::Line> FeedAll(LineSplitter& splitter,
                                        const std::vector<std::string>& chunks) {
    std::vector<LineSplitter::Line> lines;
    for (const std::string& chunk : chunks) splitter.Feed(chunk, lines);
    return lines;
}

TEST(LineSplitterTest, LinesAcrossAndWithinChunks) {
    LineSplitter splitter;
    const auto lines = FeedAll(splitter, {"lev", "el1=15\nta", "", "ll x\r\n\n", "half"});
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].text, "level1=15");
    EXPECT_EQ(lines[1].text, "tall x\r");
    EXPECT_EQ(lines[2].text, "");
    for (const auto& line : lines) EXPECT_FALSE(line.tooLong);
    EXPECT_EQ(splitter.Pending(), 4u);
}

TEST(LineSplitterTest, OverlongLineIsCutFlaggedAndTheNextLineIsWhole) {
    LineSplitter splitter(8);
    const auto lines =
        FeedAll(splitter, {"12345", "67890abc", "def", "\nok\n", "12345678\n", "123456789\n"});
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].text, "12345678");
    EXPECT_TRUE(lines[0].tooLong);
    EXPECT_EQ(lines[1].text, "ok");
    EXPECT_FALSE(lines[1].tooLong);
    // Exactly at the cap is still a line; one byte more is not.
    EXPECT_FALSE(lines[2].tooLong);
    EXPECT_TRUE(lines[3].tooLong);
}

TEST(LineSplitterTest, MemoryStaysBoundedWithoutNewline) {
    LineSplitter splitter(16);
    std::vector<LineSplitter::Line> lines;
    const std::string flood(1 << 20, 'x');
    for (int i = 0; i < 8; ++i) splitter.Feed(flood, lines);
    EXPECT_TRUE(lines.empty());
    EXPECT_LE(splitter.Pending(), 16u);
    splitter.Feed("\n", lines);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0].tooLong);
}

TEST(LineSplitterTest, BinaryBytesPassUnchanged) {
    LineSplitter splitter;
    std::string binary;
    for (int c = 0; c < 256; ++c) {
        if (c != '\n') binary += static_cast<char>(c);
    }
    const auto lines = FeedAll(splitter, {binary + "\n"});
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text, binary);
}

}  // namespace
