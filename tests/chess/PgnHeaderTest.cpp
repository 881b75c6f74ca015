// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// What a game window takes from a PGN game's tags: time control, variant,
// rating category, rated flag, names, titles, ratings, start board and result.

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "chess/PgnFile.h"
#include "chess/PgnHeader.h"

namespace {

PgnHeader HeaderOf(const std::string& tags, const char* result = "*") {
    const PgnFile file = PgnFile::FromText(tags + "\n" + result);
    EXPECT_EQ(file.Games().size(), 1u);
    return file.Games().empty() ? PgnHeader{} : PgnHeader::Read(file.Games()[0]);
}

struct TimeCase {
    const char* tags;
    int minutes;
    int increment;
    const char* ratingType;
    long long clockMillis;
};

class TimeTable : public testing::TestWithParam<TimeCase> {};

TEST_P(TimeTable, ReadsMinutesIncrementAndCategory) {
    const TimeCase& c = GetParam();
    const PgnHeader header = HeaderOf(c.tags);
    EXPECT_EQ(header.time.minutes, c.minutes) << c.tags;
    EXPECT_EQ(header.time.increment, c.increment) << c.tags;
    EXPECT_EQ(header.ratingType, c.ratingType) << c.tags;
    EXPECT_EQ(header.clockMillis, c.clockMillis) << c.tags;
}

INSTANTIATE_TEST_SUITE_P(
    Pgn, TimeTable,
    testing::Values(TimeCase{"[Event \"no clock\"]", 0, 0, "Bullet", 10000},
                    // Under a minute without increment counts as one minute.
                    TimeCase{"[TimeControl \"59\"]", 1, 0, "Bullet", 60000},
                    TimeCase{"[TimeControl \"30+1\"]", 0, 1, "Bullet", 10000},
                    // The category borders: 9 and 45 (minutes x 3 + increment x 2).
                    TimeCase{"[TimeControl \"120+1\"]", 2, 1, "Bullet", 120000},
                    TimeCase{"[TimeControl \"180+0\"]", 3, 0, "Blitz", 180000},
                    TimeCase{"[TimeControl \"840+1\"]", 14, 1, "Blitz", 840000},
                    TimeCase{"[TimeControl \"780+3\"]", 13, 3, "Standard", 780000},
                    TimeCase{"[TimeControl \"899+0\"]", 14, 0, "Blitz", 840000},
                    // No clock at all, unknown and nonsense values.
                    TimeCase{"[TimeControl \"0+0\"]", 0, 0, "Bullet", 10000},
                    TimeCase{"[TimeControl \"-\"]", 0, 0, "Bullet", 10000},
                    TimeCase{"[TimeControl \"40/7200:3600\"]", 1, 0, "Bullet", 60000},
                    TimeCase{"[TimeControl \"-300+-5\"]", 0, 0, "Bullet", 10000},
                    // "+" is matched exactly, as in "%d+%d": a blank before it stops the reading.
                    TimeCase{"[timecontrol \" 300+5\"]", 5, 5, "Blitz", 300000},
                    TimeCase{"[TimeControl \"300 +5\"]", 5, 0, "Blitz", 300000},
                    // Huge numbers are clamped, not overflowed.
                    TimeCase{"[TimeControl \"99999999999999+99999999999999\"]", INT_MAX / 60,
                             INT_MAX, "Standard", (INT_MAX / 60) * 60000LL}));

struct WildCase {
    const char* tags;
    int wild;
    bool rated;
    const char* ratingType;
};

class WildTable : public testing::TestWithParam<WildCase> {};

TEST_P(WildTable, ReadsWildRatedAndCategory) {
    const WildCase& c = GetParam();
    const PgnHeader header = HeaderOf(std::string("[TimeControl \"300+0\"]") + c.tags);
    EXPECT_EQ(header.wild, c.wild) << c.tags;
    EXPECT_EQ(header.rated, c.rated) << c.tags;
    EXPECT_EQ(header.ratingType, c.ratingType) << c.tags;
}

INSTANTIATE_TEST_SUITE_P(
    Pgn, WildTable,
    testing::Values(WildCase{"", 0, true, "Blitz"},
                    WildCase{"[Event \"VCX 5 0 r\"]", 0, true, "Blitz"},
                    WildCase{"[Event \"VCX 5 0 u\"]", 0, false, "Blitz"},
                    WildCase{"[Event \"VCX 5 0 x\"]", 0, true, "Blitz"},
                    // A blank matches any run of blanks, as in scanf.
                    WildCase{"[Event \"VCX  5  0  u\"]", 0, false, "Blitz"},
                    WildCase{"[Event \"VCX w17 3 0 u\"]", 17, false, "w17"},
                    WildCase{"[Event \"VCX w22\"]", 22, true, "w22"},
                    WildCase{"[Event \"VCXw9 1 2 u\"]", 9, false, "w9"},
                    WildCase{"[Event \"VCX tourney 12 (w8) 3 0\"]", 8, true, "w8"},
                    WildCase{"[Event \"VCX tourney 12 (8)\"]", 0, true, "Blitz"},
                    // The variant tag wins over the event, and its name over the number.
                    WildCase{"[Event \"VCX w5 3 0 r\"][Variant \"w17\"]", 17, true, "w17"},
                    WildCase{"[Variant \"w23 (crazyhouse)\"]", 23, true, "crazyhouse)"},
                    WildCase{"[Variant \"w23 ( )\"]", 23, true, ")"},
                    WildCase{"[Variant \"w23 ()\"]", 23, true, ")"},
                    WildCase{"[Variant \"w23 (\"]", 23, true, "w23"},
                    WildCase{"[Variant \"w0 (loser's chess)\"]", 0, true, "loser's"},
                    WildCase{"[Variant \"crazyhouse\"]", 0, true, "Blitz"}));

TEST(PgnHeader, VariantNameIsCutAtEightyCharacters) {
    const std::string longName(100, 'n');
    const PgnHeader header = HeaderOf("[Variant \"w3 (" + longName + ")\"]");
    EXPECT_EQ(header.ratingType, std::string(80, 'n'));
}

TEST(PgnHeader, NamesTitlesAndRatings) {
    const PgnHeader header = HeaderOf(
        "[White \"Tal M\"][Black \"Beliavsky, A\"][WhiteElo \"2600\"][BlackElo \"?\"]"
        "[WhiteTitle \"GM\"][BlackTitle \"-\"]");
    EXPECT_EQ(header.names[1], "Tal M");
    EXPECT_EQ(header.names[0], "Beliavsky, A");
    EXPECT_EQ(header.ratings[1], 2600);
    EXPECT_EQ(header.ratings[0], 0);
    EXPECT_EQ(header.titles[1], "GM");
    EXPECT_EQ(header.titles[0], "");
}

TEST(PgnHeader, MissingNamesAreTheColourWords) {
    const PgnHeader header = HeaderOf("[Event \"x\"][BlackTitle \"-GM\"][WhiteElo \"  1800x\"]");
    EXPECT_EQ(header.names[1], "White");
    EXPECT_EQ(header.names[0], "Black");
    EXPECT_EQ(header.titles[0], "");
    EXPECT_EQ(header.ratings[1], 1800);
}

TEST(PgnHeader, ResultTextFollowsTheResultToken) {
    EXPECT_EQ(HeaderOf("[a \"b\"]", "1-0").result, "1-0");
    EXPECT_EQ(HeaderOf("[a \"b\"]", "0-1").result, "0-1");
    EXPECT_EQ(HeaderOf("[a \"b\"]", "1/2").result, "1/2-1/2");
    EXPECT_EQ(HeaderOf("[a \"b\"]", "*").result, "*");
    EXPECT_EQ(HeaderOf("[a \"b\"]", "").result, "*");
}

constexpr const char* kEmpty = "----------------------------------------------------------------";
constexpr const char* kKings = "----k-------------------------------------------------------K---";

struct FenCase {
    const char* fen;
    const char* board;
    bool blackToMove;
    int epFile = -1;
};

class FenTable : public testing::TestWithParam<FenCase> {};

TEST_P(FenTable, GivesStartBoardAndSide) {
    const FenCase& c = GetParam();
    const PgnHeader header = HeaderOf(std::string("[FEN \"") + c.fen + "\"]");
    EXPECT_TRUE(header.hasFen);
    EXPECT_EQ(header.startBoard, c.board) << c.fen;
    EXPECT_EQ(header.blackToMove, c.blackToMove) << c.fen;
    EXPECT_EQ(header.epFile, c.epFile) << c.fen;
}

// Whole FEN tags are read by the PGN collection's games.
INSTANTIATE_TEST_SUITE_P(
    Pgn, FenTable,
    testing::Values(
        // Only a file letter is an en-passant file.
        FenCase{"8/8/8/8/8/8/8/8 w - i3 0 1", kEmpty, false},
        FenCase{"8/8/8/8/8/8/8/8 w - h6", kEmpty, false, 7},
        FenCase{"4k3/8/8/8/8/8/8/4K3 w - - 0 40", kKings, false},
        // Placement only: no side given, so White moves.
        FenCase{"4k3/8/8/8/8/8/8/4K3", kKings, false},
        // Too short is padded, too long is cut at 64 squares.
        FenCase{"k7 b", "k---------------------------------------------------------------", true},
        FenCase{"9999999999/KQ b", kEmpty, true}, FenCase{"", kEmpty, false},
        FenCase{" b", kEmpty, true},
        // Only the character right after the first blank counts.
        FenCase{"8/8/8/8/8/8/8/8  b", kEmpty, false}));

}  // namespace
