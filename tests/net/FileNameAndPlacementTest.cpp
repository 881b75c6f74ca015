// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Names and places that come from outside: a handle the server sent becoming
// a file name, and a placement from a hand-edited settings file.
#include <gtest/gtest.h>

#include "net/FileNames.h"
#include "net/WindowPlacement.h"

namespace {

TEST(HandleFileNameTest, KeepsOnlyLettersDigitsDashAndUnderscore) {
    struct Row {
        std::string handle;
        std::string expected;
    } rows[] = {
        {"alice", "alice.kd2"},
        {"Bob_the-2nd", "Bob_the-2nd.kd2"},
        {"../../etc/passwd", "etcpasswd.kd2"},
        {"/tmp/x", "tmpx.kd2"},
        {"..", ""},
        {".hidden", "hidden.kd2"},
        {"a b\tc\nd", "abcd.kd2"},
        {"C:\\Users\\x", "CUsersx.kd2"},
        {std::string("nul\0byte", 8), "nulbyte.kd2"},
        {"\xc3\xa9t\xc3\xa9", "t.kd2"},
        {"", ""},
        {std::string(200, 'x'), std::string(64, 'x') + ".kd2"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(HandleFileName(row.handle, "kd2"), row.expected) << row.handle;
    EXPECT_EQ(HandleFileName("../alice", "pgn"), "alice.pgn");
}

TEST(WindowPlacementTest, OnlyTenNumbersInRangeAreAPlacement) {
    struct Row {
        const char* text;
        bool valid;
    } rows[] = {
        {"0,1,-1,-1,-1,-1,-2,0,703,436", true},
        {" 2, 3,-1,-1,-1,-1,+331,-1,992,555 ", true},
        {"4294967295,1,-2147483648,0,0,0,0,0,2147483647,1", true},
        {"0,1,-1,-1,-1,-1,-2,0,703", false},             // nine
        {"0,1,-1,-1,-1,-1,-2,0,703,436,1", false},       // eleven
        {"0,1,-1,-1,-1,-1,-2,0,703,436,", false},        // trailing comma
        {"-1,1,-1,-1,-1,-1,-2,0,703,436", false},        // negative flags
        {"0,1,-1,-1,-1,-1,-2,0,2147483648,436", false},  // past int
        {"0,1,-1,-1,-1,-1,-2,0,99999999999999,436", false},
        {"0,1,-1,-1,-1,-1,-2,0,70x,436", false},
        {"0,1,-1,-1,-1,-1,-2,,703,436", false},
        {"", false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(WindowPlacement::Parse(row.text).has_value(), row.valid) << row.text;
    }
    const auto p = WindowPlacement::Parse("2,3,-1,-1,-1,-1,331,-1,992,555");
    ASSERT_TRUE(p);
    EXPECT_TRUE(p->Maximized());
    EXPECT_EQ(p->Width(), 661);
    EXPECT_EQ(p->Height(), 556);
    EXPECT_EQ(p->Format(), "2,3,-1,-1,-1,-1,331,-1,992,555");
}

}  // namespace
