// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Hand-written PGN files, one quirk each (tests/data/pgn/<case>.pgn): what the
// reader keeps of every game and the Smith moves it converts to.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "chess/PgnConverter.h"
#include "chess/PgnFile.h"

namespace {

using Texts = std::vector<std::string>;

struct GameExpect {
    Texts moves;  // as stored
    Texts smith;  // as converted; shorter than moves when conversion stops
    int resultCode;
    int stopReason = 0;  // when smith is shorter
};

struct FileCase {
    const char* file;
    std::vector<GameExpect> games;
};

std::string DataPath(const char* name) {
    return std::string(KORDANE_TEST_DATA) + "/pgn/" + name;
}

class EdgeCaseFiles : public testing::TestWithParam<FileCase> {};

TEST_P(EdgeCaseFiles, ReadAndConvertAsExpected) {
    const FileCase& c = GetParam();
    const PgnFile file = PgnFile::ReadPgnFile(DataPath(c.file));
    ASSERT_EQ(file.GetError(), PgnFile::Error::kNone);
    ASSERT_EQ(file.Games().size(), c.games.size());
    for (size_t g = 0; g < c.games.size(); ++g) {
        SCOPED_TRACE(std::string(c.file) + " game " + std::to_string(g + 1));
        const PgnGame& game = file.Games()[g];
        const GameExpect& want = c.games[g];
        Texts moves;
        for (int i = 0; i < game.MoveCount(); ++i) moves.emplace_back(game.MoveText(i));
        EXPECT_EQ(moves, want.moves);
        EXPECT_EQ(game.ResultCode(), want.resultCode);

        Texts smith;
        const PgnConverter::Result result = PgnConverter::PgnToSmith(game, smith);
        EXPECT_EQ(smith, want.smith);
        EXPECT_EQ(result.converted, static_cast<int>(want.smith.size()));
        EXPECT_EQ(result.stopped, want.smith.size() < want.moves.size());
        if (result.stopped) {
            EXPECT_EQ(result.reason, want.stopReason);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pgn, EdgeCaseFiles,
    testing::Values(
        FileCase{"comments_containing_brackets.pgn",
                 {{{"e4", "e5", "Nf3", "Nc6", "Bb5", "a6"},
                   {"e2e4", "e7e5", "g1f3", "b8c6", "f1b5", "a7a6"},
                   0}}},
        FileCase{"escape_lines.pgn",
                 {{{"d4", "d5", "Nf3", "Nf6"}, {"d2d4", "d7d5", "g1f3", "g8f6"}, 3},
                  {{"c4"}, {"c2c4"}, 3}}},
        FileCase{"variations_nested_three_deep.pgn",
                 {{{"e4", "e5", "Nf3", "Nc6", "Bb5", "a6"},
                   {"e2e4", "e7e5", "g1f3", "b8c6", "f1b5", "a7a6"},
                   2}}},
        FileCase{"games_without_result.pgn",
                 {{{"e4", "e5", "Nf3"}, {"e2e4", "e7e5", "g1f3"}, 3},
                  {{"d4", "d5"}, {"d2d4", "d7d5"}, 3},
                  {{"c4", "e5"}, {"c2c4", "e7e5"}, 3},
                  {{"Nf3", "d5", "g3"}, {"g1f3", "d7d5", "g2g3"}, 3}}},
        FileCase{
            "castling_with_zeros_and_letters.pgn",
            {{{"e4", "e5", "Nf3", "Nc6", "Bc4", "Bc5", "0-0", "d6", "d4", "Bg4", "c3", "Qd7", "Qb3",
               "0-0-0"},
              {"e2e4", "e7e5", "g1f3", "b8c6", "f1c4", "f8c5", "e1g1c", "d7d6", "d2d4", "c8g4",
               "c2c3", "d8d7", "d1b3", "e8c8C"},
              3},
             {{"d4", "d5", "Nc3", "Nc6", "Bf4", "Bf5", "Qd2", "Qd7", "O-O-O", "O-O-O",
               "e3", "e6", "Nf3", "f6",  "Be2", "g5",  "Bg3", "Nh6", "Rhg1",  "Bg7"},
              {"d2d4", "d7d5", "b1c3", "b8c6", "c1f4", "c8f5", "d1d2", "d8d7", "e1c1C", "e8c8C",
               "e2e3", "e7e6", "g1f3", "f7f6", "f1e2", "g7g5", "f4g3", "g8h6", "h1g1",  "f8g7"},
              3}}},
        FileCase{"promotions_with_and_without_equals.pgn",
                 {{{"a8", "Kg6"}, {"a7a8Q", "h7g6"}, 3},
                  {{"a8=N", "Kg6"}, {"a7a8N", "h7g6"}, 3},
                  {{"axb8=R", "Kg7", "Kg3", "g1=n", "Rb7"},
                   {"a7b8rR", "h8g7", "h2g3", "g2g1N", "b8b7"},
                   3},
                  // A piece letter without "=" is no promotion the reader knows.
                  {{"a8Q", "Kg6"}, {}, 3, -1}}},
        FileCase{
            "disambiguation_by_file_rank_and_both.pgn",
            {{{"d4", "d5", "Nf3", "Nf6", "Nbd2", "Nbd7"},
              {"d2d4", "d7d5", "g1f3", "g8f6", "b1d2", "b8d7"},
              3},
             {{"R1a2", "Kg7", "Rb3", "Kf7", "Rb1"}, {"a1a2", "h8g7", "a3b3", "g7f7", "b3b1"}, 3},
             {{"Qh4e1", "Ka7"}, {"h4e1", "b8a7"}, 3},
             {{"R1xa5", "Kg6"}, {"a1a5p", "h7g6"}, 3}}},
        FileCase{"fen_black_to_move.pgn",
                 {{{"Nc6", "Bb5", "a6", "Ba4", "Nf6"}, {"b8c6", "f1b5", "a7a6", "b5a4", "g8f6"}, 3},
                  {{"dxc3", "bxc3", "e5"}, {"d4c3E", "b2c3p", "e7e5"}, 1}}}));

// The shared hand-written collection, one quirk a game: every game marked
// "accept" converts to its end, and a game stops only at a move that is
// ambiguous, that would leave its own king in check (castling out of check,
// a pinned piece, a move after mate) or that names no legal move (a
// promotion without "=", castling through an attacked square, "x" on a
// non-capture, "e.p." written apart), and for that reason. The reader takes on purpose what a
// strict one refuses
// ("0-0", "Ne5" for a capture, long algebraic): those games convert whole.
TEST(PgnEdgeCases, SharedCollectionStopsOnlyAtMovesTheReaderRefuses) {
    const PgnFile file = PgnFile::ReadPgnFile(DataPath("peer_edge_cases.pgn"));
    ASSERT_EQ(file.Games().size(), 36u);
    const std::map<int, std::string> stops = {
        {3, "Re3 ambiguous"}, {7, "Ncd3 check"}, {12, "a8Q illegal"}, {18, "O-O check"},
        {19, "O-O illegal"},  {20, "Kg3 check"}, {22, "e illegal"},   {23, "bxc6 check"},
        {25, "Nxf3 illegal"}, {28, "a3 check"}};
    for (int g = 1; g <= 36; ++g) {
        const PgnGame& game = file.Games()[static_cast<size_t>(g - 1)];
        SCOPED_TRACE(std::string(game.GetTag("Event").value_or("?")));
        PgnConverter converter(game);
        while (converter.Step()) {
        }
        const auto stop = stops.find(g);
        if (stop == stops.end()) {
            EXPECT_FALSE(converter.Stopped());
            EXPECT_EQ(converter.NextIndex(), game.MoveCount());
        } else {
            ASSERT_TRUE(converter.Stopped());
            EXPECT_NE(game.GetTag("Annotator"), "accept");
            EXPECT_EQ(std::string(game.MoveText(converter.NextIndex())) + " " +
                          std::string(PgnConverter::ReasonText(converter.Reason())),
                      stop->second);
        }
    }
}

}  // namespace
