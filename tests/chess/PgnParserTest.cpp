// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// The PGN reader on texts in memory: tokens, tags, move texts, results and
// where one game ends and the next begins.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chess/PgnFile.h"
#include "chess/PgnTokenizer.h"

namespace {

std::vector<std::string> Moves(const PgnGame& game) {
    std::vector<std::string> moves;
    for (int i = 0; i < game.MoveCount(); ++i) moves.emplace_back(game.MoveText(i));
    return moves;
}

std::vector<std::string> TagsOf(const PgnGame& game) {
    std::vector<std::string> tags;
    for (int i = 0; i < game.TagCount(); ++i) {
        tags.push_back(std::string(game.TagName(i)) + "=" + std::string(game.TagValue(i)));
    }
    return tags;
}

// The tokens of a text as "code:text" for symbols and strings, else "code".
std::string Tokens(std::string text) {
    text.push_back('\0');
    PgnTokenizer tokens(text.data(), text.size() - 1);
    std::string out;
    for (int guard = 0; guard < 1000; ++guard) {
        const PgnTokenizer::Token t = tokens.Next();
        if (!out.empty()) out += ' ';
        out += std::to_string(t);
        if (t == PgnTokenizer::kSymbol || t == PgnTokenizer::kString) {
            out += ':';
            out += tokens.Text();
        }
        if (t == PgnTokenizer::kEnd) break;
    }
    return out;
}

struct TokenCase {
    const char* text;
    const char* tokens;
};

class TokenizerTable : public testing::TestWithParam<TokenCase> {};

TEST_P(TokenizerTable, GivesTheTokens) {
    EXPECT_EQ(Tokens(GetParam().text), GetParam().tokens);
}

INSTANTIATE_TEST_SUITE_P(
    Pgn, TokenizerTable,
    testing::Values(
        // The result tokens and their colon forms; "1/2" alone is a draw.
        TokenCase{"1-0 1:0 0-1 0:1 1/2-1/2 1/2:1/2 1/2 *", "0 0 1 1 2 2 2 3 11"},
        // "1/2" takes three characters only; the rest is read on.
        TokenCase{"1/2x", "2 6:x 11"},
        // Castling with zeros is a symbol, not a move number.
        TokenCase{"0-0 0-0-0 10. O-O", "6:0-0 6:0-0-0 8 9 6:O-O 11"},
        TokenCase{"12...Nf3", "8 9 6:Nf3 11"},
        TokenCase{"[Event \"a \\\"b\\\" c\\\\d\"]", "4 6:Event 7:a \"b\" c\\d 5 11"},
        // Backslashes that are not PGN escapes stay as they are.
        TokenCase{"\"Leningrad-chT 89\\09\"", "7:Leningrad-chT 89\\09 11"},
        // Commentary of every kind is skipped.
        TokenCase{"e4 {c} $14 ; rest\ne5 (1... c5 (1... e6)) Nf3", "6:e4 6:e5 6:Nf3 11"},
        // A symbol cut off right before a comment, a bracket or a string.
        TokenCase{"e4{c}e5)Nf3]\"s\"", "6:e4 6:e5 10 6:Nf3 5 7:s 11"},
        TokenCase{"%escape e4\ne5 % e6", "6:e5 10 6:e6 11"},
        TokenCase{"e4\n%skipped\r\n%also\n", "6:e4 11"},
        // A "%" line right after a symbol cut on the line end.
        TokenCase{"e4\n%Nf3\ne5", "6:e4 6:e5 11"}, TokenCase{"$ $x", "10 10 6:x 11"},
        TokenCase{"_a e8=Q+ N@f3 Qxf7#!?", "6:_a 6:e8=Q+ 6:N@f3 6:Qxf7#!? 11"},
        // Comments nest, and a ")" inside a comment in a variation is text.
        TokenCase{"{a {b} c} d", "6:d 11"},
        TokenCase{"(1. e4 {see (a) and b)} e5) Nf3", "6:Nf3 11"},
        // Unclosed commentary and strings run to the end without harm; an
        // unclosed string stops at its line end.
        TokenCase{"e4 {never closed", "6:e4 11"}, TokenCase{"e4 (never closed", "6:e4 11"},
        TokenCase{"[a \"open\n[b \"c\"]", "4 6:a 7:open 4 6:b 7:c 5 11"}, TokenCase{"\"", "7: 11"},
        TokenCase{"", "11"}));

TEST(PgnTokenizer, TextEndsAtItsFirstNulByte) {
    std::string text("e4 e5", 5);
    text[2] = '\0';
    EXPECT_EQ(Tokens(text), "6:e4 11");
}

struct GameCase {
    const char* name;
    const char* text;
    std::vector<std::vector<std::string>> moves;  // per game
    std::vector<int> results;
};

// Comments with brackets, nested variations, castling with zeros and games
// without a result have their own files (PgnEdgeCaseTest); the real
// collection has the "1.e4 1...e5" layout.
class ParserTable : public testing::TestWithParam<GameCase> {};

TEST_P(ParserTable, SplitsGamesAndMoves) {
    const GameCase& c = GetParam();
    const PgnFile file = PgnFile::FromText(c.text);
    ASSERT_EQ(file.Games().size(), c.moves.size());
    for (size_t i = 0; i < c.moves.size(); ++i) {
        EXPECT_EQ(Moves(file.Games()[i]), c.moves[i]) << "game " << i;
        EXPECT_EQ(file.Games()[i].ResultCode(), c.results[i]) << "game " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pgn, ParserTable,
    testing::Values(
        GameCase{"annotations",
                 "[a \"b\"] 1. e4!? e5?! 2. Qh5+ Nc6 3. Bc4 Nf6?? 4. Qxf7# 1-0",
                 {{"e4", "e5", "Qh5", "Nc6", "Bc4", "Nf6", "Qxf7"}},
                 {0}},
        GameCase{"draw_written_1_2", "[a \"b\"] 1. e4 e5 1/2", {{"e4", "e5"}}, {2}},
        // A stray character ends the move text; reading resumes at the next "[".
        GameCase{"stray_character",
                 "[a \"1\"] 1. e4 -- 2. d4 d5 *\n[a \"2\"] 1. c4 *",
                 {{"e4"}, {"c4"}},
                 {3, 3}},
        GameCase{"percent_mid_line", "[a \"1\"] 1. e4 % e5 *", {{"e4"}}, {3}},
        GameCase{"string_in_moves", "[a \"1\"] 1. e4 \"x\" e5 *", {{"e4"}}, {3}},
        // A "[" inside a comment is not a new game, even before the first one.
        GameCase{"bracket_in_comment",
                 "{[not a game]} [a \"1\"] 1. e4 {[%clk 0:01:00] [x]} e5 *",
                 {{"e4", "e5"}},
                 {3}},
        GameCase{"tags_only", "[a \"1\"][b \"2\"]", {{}}, {3}},
        GameCase{"result_without_moves", "[a \"1\"] 1-0 [a \"2\"] 0-1", {{}, {}}, {0, 1}},
        GameCase{"nothing_before_bracket", "garbage 1. e4 e5 * [a \"1\"] d4 *", {{"d4"}}, {3}}),
    [](const testing::TestParamInfo<GameCase>& row) { return std::string(row.param.name); });

TEST(PgnParser, TagNamesAndValuesMayBeSymbolsOrStrings) {
    const PgnFile file = PgnFile::FromText(
        "[Event \"E\" junk junk]\n[\"Quoted\" Bare]\n[NoValue]\n[1 \"number name\"]\n"
        "[Site \"S\"]\n*");
    ASSERT_EQ(file.Games().size(), 1u);
    EXPECT_EQ(TagsOf(file.Games()[0]),
              (std::vector<std::string>{"Event=E", "Quoted=Bare", "Site=S"}));
}

TEST(PgnParser, GetTagIgnoresCaseAndTakesTheFirst) {
    const PgnFile file =
        PgnFile::FromText("[White \"A\"][white \"B\"][WhiteElo \"2400\"][Whit \"C\"] *");
    ASSERT_EQ(file.Games().size(), 1u);
    const PgnGame& game = file.Games()[0];
    EXPECT_EQ(game.GetTag("WHITE"), "A");
    EXPECT_EQ(game.GetTag("whiteelo"), "2400");
    EXPECT_EQ(game.GetTag("Whi"), std::nullopt);
    EXPECT_EQ(game.GetTag("WhiteElo2"), std::nullopt);
    EXPECT_EQ(game.GetTag(""), std::nullopt);
}

TEST(PgnParser, DisplayTagsListsEveryTagInFileOrder) {
    const PgnFile file = PgnFile::FromText("[White \"Tal\"][Event \"a \\\"b\\\"\"][White \"x\"] *");
    ASSERT_EQ(file.Games().size(), 1u);
    EXPECT_EQ(file.Games()[0].DisplayTags(),
              "[White \"Tal\"]\n[Event \"a \"b\"\"]\n[White \"x\"]\n");
    EXPECT_EQ(PgnFile::FromText("[] *").Games()[0].DisplayTags(), "");
}

}  // namespace
