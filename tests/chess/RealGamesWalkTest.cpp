// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "RulesTestSupport.h"
#include "chess/GameRecord.h"
#include "chess/Notation.h"

// Real games (tournament games from a public-domain collection), one per line:
// an optional FEN, "|", then the SAN moves as the file has them. At every
// move the two board models must agree, the board-text legality must accept
// the move, and the writer must give back the file's SAN.
namespace {

using rules_test::BoardFromFen;
using rules_test::FromFen;

struct Game {
    std::string fen;
    std::vector<std::string> moves;
};

std::vector<Game> LoadGames() {
    std::ifstream in(KORDANE_SOURCE_DIR "/tests/chess/data/real-games.txt");
    std::vector<Game> games;
    std::string line;
    while (std::getline(in, line)) {
        const size_t bar = line.find('|');
        if (bar == std::string::npos) continue;
        Game game;
        game.fen = line.substr(0, bar);
        std::istringstream moves(line.substr(bar + 1));
        std::string move;
        while (moves >> move) game.moves.push_back(move);
        games.push_back(std::move(game));
    }
    return games;
}

std::string CutAt(std::string text, const char* stops) {
    const size_t at = text.find_first_of(stops);
    if (at != std::string::npos) text.resize(at);
    return text;
}

// The writer has no rank-only step for captures: where the file writes
// "R1xe5", it goes from the file straight to the full square, "Re1xe5".
// True when ours is exactly that longer form of theirs.
bool IsPrescribedCaptureForm(const std::string& file, const std::string& ours) {
    return file.size() == 5 && ours.size() == 6 && file[2] == 'x' && file[1] >= '1' &&
           file[1] <= '8' && ours[0] == file[0] && ours[2] == file[1] &&
           ours.substr(3) == file.substr(2);
}

TEST(RealGamesWalk, BothModelsAgreeAtEveryMove) {
    const std::vector<Game> games = LoadGames();
    ASSERT_GT(games.size(), 100u) << "test data missing";
    int moves = 0, enPassant = 0, castles = 0, promotions = 0, prescribedForms = 0;
    int rankOnlyCaptures = 0, checkSignDisagreements = 0, blackStarts = 0;
    for (size_t g = 0; g < games.size(); ++g) {
        const Game& game = games[g];
        Position pos;
        GameRecord record;
        if (game.fen.empty()) {
            pos.SetStandard();
        } else {
            pos = FromFen(game.fen);
            std::istringstream fen(game.fen);
            std::string placement, colour, castling, ep;
            fen >> placement >> colour >> castling >> ep;
            record.Reset(BoardFromFen(placement), colour == "b" ? 1 : 0,
                         ep == "-" ? -1 : ep[0] - 'a');
            blackStarts += colour == "b";
        }
        ASSERT_EQ(record.Board().View(), pos.DebugBoardText()) << "game " << g;
        std::vector<BoardText> boards(static_cast<size_t>(record.Ply()), BoardText());
        boards.push_back(record.Board());

        for (const std::string& text : game.moves) {
            const std::string plain = CutAt(text, "!?");
            const Position before = pos;
            Position after;
            std::string san;
            ASSERT_EQ(ReadSan(plain, before, &san, nullptr, after), 0)
                << "game " << g << " move " << text;
            const std::optional<std::string> smith = algebraicToSmith(text, pos);
            ASSERT_TRUE(smith.has_value()) << "game " << g << " move " << text;
            ASSERT_EQ(pos.DebugBoardText(), after.DebugBoardText());

            // The referee-side check of the game window accepts every real move.
            EXPECT_TRUE(record.IsLegalMove(*smith)) << "game " << g << " " << *smith;
            const int origin = *BoardText::SquareIndex((*smith)[0], (*smith)[1]);
            const GameRecord::Destinations d =
                record.CountLegalDestinations(origin % 8, origin / 8);
            EXPECT_GE(d.count, 1) << "game " << g << " " << *smith;
            if (d.count == 1) {
                EXPECT_EQ(BoardText::Index(d.file, d.row),
                          *BoardText::SquareIndex((*smith)[2], (*smith)[3]));
            }

            record.AddMove(*smith);
            ASSERT_EQ(record.Board().View(), pos.DebugBoardText())
                << "game " << g << " move " << text << " smith " << *smith;
            boards.push_back(record.Board());

            const std::string fileSan = CutAt(plain, "+#");
            const std::string ourSan = CutAt(san, "+");
            if (ourSan != fileSan) {
                EXPECT_TRUE(IsPrescribedCaptureForm(fileSan, ourSan))
                    << "game " << g << ": file " << fileSan << " writer " << ourSan;
                ++prescribedForms;
            }
            if (fileSan.size() == 5 && fileSan[2] == 'x' && fileSan[1] >= '1' && fileSan[1] <= '8')
                ++rankOnlyCaptures;
            const bool fileChecks = plain.find_first_of("+#") != std::string::npos;
            checkSignDisagreements += fileChecks != (san.back() == '+');
            ++moves;
            const char last = smith->back();
            enPassant += last == 'E';
            castles += last == 'c' || last == 'C';
            promotions += smith->size() > 4 && std::string("NBRQ").find(last) != std::string::npos;
        }

        // Browsing and taking back reproduce every board seen on the way.
        for (int p = record.StartPly(); p <= record.Ply(); ++p)
            ASSERT_EQ(record.BoardAtPly(p), boards[static_cast<size_t>(p)]) << "game " << g;
        const int total = record.Ply();
        for (int back : {1, 7}) {
            if (record.Ply() - back < record.StartPly()) break;
            record.TakeBack(back);
            ASSERT_EQ(record.Board(), boards[static_cast<size_t>(record.Ply())]) << "game " << g;
        }
        record.TakeBack(total + 5);
        EXPECT_EQ(record.Ply(), record.StartPly());
        EXPECT_EQ(record.Board(), record.InitialBoard());
    }
    // The data must exercise what it is here for.
    EXPECT_GT(enPassant, 0);
    EXPECT_GT(castles, 0);
    EXPECT_GT(promotions, 0);
    EXPECT_GT(blackStarts, 0);
    EXPECT_GT(rankOnlyCaptures, 0);
    // Every difference is a rank-only capture written the prescribed way.
    EXPECT_EQ(prescribedForms, rankOnlyCaptures);
    // The file's signs are mostly right; ours come from the position.
    EXPECT_LT(checkSignDisagreements, moves / 100);
    RecordProperty("moves", moves);
}

}  // namespace
