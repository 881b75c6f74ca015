// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// The command lines that upload a PGN game, in order, and the cleaning that
// keeps a value from the file from splitting a command.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chess/PgnFile.h"
#include "chess/PgnUpload.h"

namespace {

using Lines = std::vector<std::string>;

Lines UploadOf(const std::string& text, const Lines& smith, bool library = false,
               const std::string& handle = "me") {
    const PgnFile file = PgnFile::FromText(text);
    EXPECT_EQ(file.Games().size(), 1u);
    if (file.Games().empty()) return {};
    return PgnUpload::Lines(file.Games()[0], handle, smith, library);
}

TEST(PgnUpload, FullGameInOrder) {
    const Lines lines = UploadOf(
        "[Date \"2001.01.01\"][Event \"VCX w17 3 0 r\"][White \"Tal\"][Black \"Botvinnik\"]"
        "[TimeControl \"180+2\"][FEN \"8/P7/8/8/8/8/8/k1K5 w - - 0 1\"][Round \"4\"]"
        "[WhiteElo \"2600\"][Site \"Riga\"][Annotator \"nobody\"][BlackTitle \"GM\"]\n"
        "1. a8=Q Ka2 2. Qa7+ 1-0",
        {"a7a8Q", "a1a2", "a8a7"}, true);
    EXPECT_EQ(lines, (Lines{"Match me 3 2 w17\n", "Loadfen 8/P7/8/8/8/8/8/k1K5 w - - 0 1\n",
                            "Setwhitename Tal\n", "Setblackname Botvinnik\n", "a7a8=Q\n", "a1a2\n",
                            "a8a7\n", "Result 1-0\n", "Tag Event VCX w17 3 0 r\n",
                            "Tag Site Riga\n", "Tag Round 4\n", "Tag Date 2001.01.01\n",
                            "Tag WhiteElo 2600\n", "Tag BlackTitle GM\n", "Libkeepexam\n"}));
}

TEST(PgnUpload, NoClockMatchHasNoMinutes) {
    EXPECT_EQ(UploadOf("[TimeControl \"0+0\"] *", {}), (Lines{"Match me w0\n"}));
    EXPECT_EQ(UploadOf("[Event \"x\"] *", {}), (Lines{"Match me w0\n", "Tag Event x\n"}));
    // Under a minute counts as one; an increment alone is a time control too.
    EXPECT_EQ(UploadOf("[TimeControl \"30+0\"] *", {}), (Lines{"Match me 1 0 w0\n"}));
    EXPECT_EQ(UploadOf("[TimeControl \"0+5\"] *", {}), (Lines{"Match me 0 5 w0\n"}));
}

TEST(PgnUpload, WildComesFromEventThenVariant) {
    EXPECT_EQ(UploadOf("[Event \"VCX tourney 3 (w22) x\"] *", {})[0], "Match me w22\n");
    EXPECT_EQ(UploadOf("[Event \"VCX w5\"][Variant \"w9 (fr)\"] *", {})[0], "Match me w9\n");
}

struct ResultCase {
    const char* text;
    const char* line;  // nullptr: no result line
};

class ResultTable : public testing::TestWithParam<ResultCase> {};

TEST_P(ResultTable, SendsTheResult) {
    const Lines lines = UploadOf(GetParam().text, {});
    const Lines expected =
        GetParam().line ? Lines{"Match me w0\n", GetParam().line} : Lines{"Match me w0\n"};
    EXPECT_EQ(lines, expected);
}

INSTANTIATE_TEST_SUITE_P(Pgn, ResultTable,
                         testing::Values(ResultCase{"[a \"b\"] 1-0", "Result 1-0\n"},
                                         ResultCase{"[a \"b\"] 0-1", "Result 0-1\n"},
                                         ResultCase{"[a \"b\"] 1/2-1/2", "Result 1/2-1/2\n"},
                                         ResultCase{"[a \"b\"] *", nullptr},
                                         ResultCase{"[a \"b\"]", nullptr},
                                         // The server's own result word is sent as it is, but only
                                         // when the game has a result.
                                         ResultCase{"[VCXResult \"0-1 {White forfeits}\"] 1-0",
                                                    "Result 0-1 {White forfeits}\n"},
                                         ResultCase{"[VCXResult \"0-1\"] *", nullptr}));

struct MoveCase {
    const char* smith;
    const char* sent;
};

class MoveTable : public testing::TestWithParam<MoveCase> {};

TEST_P(MoveTable, SendsSquaresAndPromotion) {
    EXPECT_EQ(PgnUpload::MoveCommand(GetParam().smith), GetParam().sent);
}

INSTANTIATE_TEST_SUITE_P(Pgn, MoveTable,
                         testing::Values(MoveCase{"e2e4", "e2e4"}, MoveCase{"e8c8C", "e8c8"},
                                         MoveCase{"e5d6E", "e5d6"}, MoveCase{"d4e5p", "d4e5"},
                                         MoveCase{"a7a8N", "a7a8=N"}, MoveCase{"b2a1rR", "b2a1=R"},
                                         // A king promotion is not one the server takes.
                                         MoveCase{"a7a8K", "a7a8"}, MoveCase{"N@f3", "N@f3"},
                                         MoveCase{"e2", "e2"}));

TEST(PgnUpload, ControlCharactersNeverSplitACommand) {
    // Tag values holding control characters, as real files have them (the
    // tokenizer keeps everything inside quotes but a line break).
    const std::string text =
        "[White \"Evil\rResign\"][Black \"a\tb\x01\x7f"
        "c\"][Event \"x\x1bq\"][FEN \"8/8/8/8/8/8/8/k1K5\x0b w - - 0 1\"]"
        "[VCXResult \"1-0\x0c\"] 1-0";
    const Lines lines = UploadOf(text, {}, false, "us\ner");
    EXPECT_EQ(lines, (Lines{"Match user w0\n", "Loadfen 8/8/8/8/8/8/8/k1K5 w - - 0 1\n",
                            "Setwhitename EvilResign\n", "Setblackname abc\n", "Result 1-0\n",
                            "Tag Event xq\n"}));
}

TEST(PgnUpload, TagValuesAreCutAfterCleaning) {
    const std::string longValue(300, 'v');
    const Lines lines = UploadOf("[Site \"" + std::string(5, '\t') + longValue + "\"] *", {});
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], "Tag Site " + std::string(270, 'v') + "\n");
    // Bytes beyond ASCII are text (old code pages, UTF-8) and stay.
    EXPECT_EQ(PgnUpload::CommandValue("N\xe6stved \xc3\xa9"), "N\xe6stved \xc3\xa9");
    EXPECT_EQ(PgnUpload::CommandValue("abc\ndef", 4), "abcd");
}

}  // namespace
