// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
// Games on the server's session logic: a scripted game with every special
// move and offer, clocks on a clock the test moves, observing, examining, and
// the PGN the server writes read back by the client's own reader.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "AccountStore.h"
#include "ServerCore.h"
#include "Transcript.h"
#include "chess/PgnParser.h"
#include "server/ParsedOutput.h"

namespace {

const std::string kAll(ClientSession::kMaxDatagrams, '1');

// The datagrams in server output, as the client's parser reads them.
std::vector<std::unique_ptr<CServerMessage>> Datagrams(std::string_view bytes) {
    auto messages = ParseServerOutput(bytes);
    std::erase_if(messages,
                  [](const auto& m) { return m->kind != CServerMessage::Kind::Datagram; });
    return messages;
}

// "24 1 e4 e2e4" if the output holds that datagram with those fields.
bool Has(std::string_view output, std::string_view fields) {
    for (const auto& message : Datagrams(output)) {
        std::string joined;
        for (int i = 0; i < message->FieldCount(); ++i)
            joined += (i > 0 ? " " : "") + message->Field(static_cast<size_t>(i));
        if (joined == fields) return true;
    }
    return false;
}

class GameTest : public testing::Test {
  protected:
    GameTest() : m_core(Accounts(), m_transcript, Options()) {}

    static AccountStore Accounts() {
        std::string error;
        auto store = AccountStore::Parse(
            "Magnus carlsen1 GM 2870,2880,2830\nJudit polgar1 GM 2650,2700\nTester test1 - -\n",
            error);
        return store ? std::move(*store) : AccountStore{};
    }
    ServerCore::Options Options() {
        ServerCore::Options options;
        options.clock = [this] { return m_now; };
        return options;
    }
    int LoggedIn(std::string_view login) {
        const int id = m_core.Connect();
        m_core.Receive(id, "level2settings=" + kAll + "\n" + std::string(login) + "\n");
        Take(id);
        return id;
    }
    std::string Take(int id) {
        std::string out;
        out.swap(m_core.Find(id)->Outbox());
        return out;
    }
    std::string Say(int id, std::string_view lines) {
        m_core.Receive(id, std::string(lines) + "\n");
        return Take(id);
    }
    // Magnus (White) and Judit (Black) in game 1 at the time control given.
    void StartGame(std::string_view minutesIncrement) {
        m_magnus = LoggedIn("Magnus carlsen1");
        m_judit = LoggedIn("Judit polgar1");
        Say(m_judit, "match magnus " + std::string(minutesIncrement) + " black");
        Say(m_magnus, "accept judit");
        Take(m_judit);
    }

    int64_t m_now = 5000000;
    Transcript m_transcript;
    ServerCore m_core;
    int m_magnus = 0;
    int m_judit = 0;
};

TEST_F(GameTest, ScriptedGameWithEverySpecialMoveAndOffer) {
    StartGame("10 0");
    // Each step: who types what, and a datagram the other player then has.
    struct Step {
        bool white;
        const char* typed;
        const char* opponentGets;
    } steps[] = {
        {true, "e4", "24 1 e4 e2e4"},
        {false, "d7d5", "24 1 d5 d7d5"},
        {true, "e5", "24 1 e5 e4e5"},
        {false, "f5", "24 1 f5 f7f5"},
        {true, "e5f6", "24 1 exf6 e5f6E"},
        {false, "Nc6", "24 1 Nc6 b8c6"},
        {true, "fxg7", "24 1 fxg7 f6g7p"},
        {false, "Nf6", "24 1 Nf6 g8f6"},
        {true, "g7h8=Q", "24 1 gxh8=Q g7h8rQ"},
        // Taken back at once, by agreement: 22 with one half move.
        {true, "takeback 1", "21 1 0 0 0 0 0 0 1 0"},
        {false, "takeback 1", "22 1 1"},
        {true, "gxh8=N", "24 1 gxh8=N g7h8rN"},
        {false, "e6", "24 1 e6 e7e6"},
        {true, "Nf3", "24 1 Nf3 g1f3"},
        {false, "Bd6", "24 1 Bd6 f8d6"},
        {true, "Be2", "24 1 Be2 f1e2"},
        {false, "Qe7", "24 1 Qe7 d8e7"},
        {true, "O-O", "24 1 O-O e1g1c"},
        // White offers a draw; Black's move declines it.
        {true, "draw", "21 1 1 0 0 0 0 0 0 0"},
        {false, "a6", "21 1 0 0 0 0 0 0 0 0"},
        {true, "d3", "24 1 d3 d2d3"},
    };
    for (const Step& step : steps) {
        const int mover = step.white ? m_magnus : m_judit;
        const int other = step.white ? m_judit : m_magnus;
        Say(mover, step.typed);
        EXPECT_TRUE(Has(Take(other), step.opponentGets)) << step.typed;
    }
    // Out of turn, and a move that is not legal: 42 and a line to the sender.
    std::string out = Say(m_magnus, "a3");
    EXPECT_TRUE(Has(out, "42 1 a3"));
    EXPECT_NE(out.find("It is not your move.\n"), std::string::npos);
    out = Say(m_judit, "e8g8");
    EXPECT_TRUE(Has(out, "42 1 e8g8")) << "castling through a rook's captured corner";
    EXPECT_TRUE(Take(m_magnus).empty());

    out = Say(m_judit, "resign");
    EXPECT_TRUE(Has(out, "16 1 1 Res 1-0 Judit resigns"));
    EXPECT_TRUE(Has(out, "43 1 X"));
    // "examine" is 1 by default: the finished game is examined at once.
    EXPECT_TRUE(Has(out, "43 1 E"));
    EXPECT_TRUE(Has(Take(m_magnus), "16 1 1 Res 1-0 Judit resigns"));

    // The game's PGN, read back by the client's PGN reader.
    std::vector<std::unique_ptr<CServerMessage>> pgn = Datagrams(Say(m_magnus, "logpgn #1"));
    ASSERT_EQ(pgn.size(), 1u);
    ASSERT_EQ(pgn[0]->Field(0), "86");
    std::string text;
    for (int i = 1; i < pgn[0]->FieldCount(); ++i)
        text += pgn[0]->Field(static_cast<size_t>(i)) + "\n";
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    const std::vector<PgnGame> games = PgnParser::ParsePgn(buffer.data(), text.size());
    ASSERT_EQ(games.size(), 1u);
    EXPECT_EQ(games[0].GetTag("White"), "Magnus");
    EXPECT_EQ(games[0].GetTag("Black"), "Judit");
    EXPECT_EQ(games[0].GetTag("TimeControl"), "600+0");
    EXPECT_EQ(games[0].GetTag("Event"), "VCX rated blitz game");
    EXPECT_EQ(games[0].ResultCode(), PgnGame::kWhiteWins);
    const std::vector<std::string> expected = {"e4",   "d5",  "e5",     "f5", "exf6", "Nc6",
                                               "fxg7", "Nf6", "gxh8=N", "e6", "Nf3",  "Bd6",
                                               "Be2",  "Qe7", "O-O",    "a6", "d3"};
    ASSERT_EQ(games[0].MoveCount(), static_cast<int>(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(games[0].MoveText(static_cast<int>(i)), expected[i]);
}

TEST_F(GameTest, ClocksRunOutOnTheServersClock) {
    StartGame("1 2");
    m_now += 5000;
    const std::string out = Say(m_magnus, "e4");
    // White's clock stops with 5 s used and 2 s added; Black's starts.
    EXPECT_TRUE(Has(out, "56 1 W 57000 0"));
    EXPECT_TRUE(Has(out, "56 1 B 60000 1"));
    EXPECT_TRUE(Has(Say(m_magnus, "moretime 30"), "61 1 B 30"));
    Take(m_judit);

    // Without "autoflag" the time runs out and nothing happens ...
    Say(m_magnus, "set autoflag 0");
    m_now += 91000;
    m_core.Tick();
    EXPECT_TRUE(Take(m_judit).empty());
    EXPECT_NE(Say(m_judit, "flag").find("Your opponent is not out of time.\n"), std::string::npos);
    // ... until White claims it.
    const std::string flagged = Say(m_magnus, "flag");
    EXPECT_TRUE(Has(flagged, "16 1 1 Fla 1-0 Judit forfeits on time"));
}

TEST_F(GameTest, AutoflagEndsTheGameWhenTheTimeRunsOut) {
    StartGame("1 0");
    Say(m_magnus, "e4");
    m_now += 59999;
    m_core.Tick();
    EXPECT_TRUE(Take(m_magnus).empty());
    m_now += 1;
    m_core.Tick();
    const std::string out = Take(m_magnus);
    EXPECT_TRUE(Has(out, "16 1 1 Fla 1-0 Judit forfeits on time"));
    // The clocks stop where they stood, Black's at nothing left.
    EXPECT_TRUE(Has(out, "56 1 B 0 0"));
}

TEST_F(GameTest, ObserversSeeTheGameAndKibitzes) {
    StartGame("5 0");
    Say(m_magnus, "e4");
    const int tester = LoggedIn("Tester test1");
    std::string out = Say(tester, "observe 1");
    EXPECT_TRUE(Has(out, "43 1 O"));
    EXPECT_TRUE(Has(out, "25 1 * e4 e2e4"));
    Take(m_judit);
    Say(m_judit, "c5");
    EXPECT_TRUE(Has(Take(tester), "24 1 c5 c7c5"));

    Take(m_magnus);
    Say(tester, "whisper nice");
    EXPECT_TRUE(Take(m_magnus).empty()) << "a whisper is not for the players";
    Say(tester, "kibitz hello");
    EXPECT_TRUE(Has(Take(m_magnus), "26 1 Tester  1 hello"));
    EXPECT_TRUE(Has(Say(tester, "unobserve 1"), "43 1 X"));
    Say(m_magnus, "Nf3");
    EXPECT_TRUE(Take(tester).empty());
}

TEST_F(GameTest, ExaminingGoesBackAndForwardAndMarksTheBoard) {
    const int tester = LoggedIn("Tester test1");
    std::string out = Say(tester, "examine");
    EXPECT_TRUE(Has(out, "43 1 E"));
    Say(tester, "e4\ne5\nNf3");
    EXPECT_TRUE(Has(Say(tester, "back 2"), "22 1 2"));
    EXPECT_TRUE(Has(Say(tester, "forward"), "24 1 e5 e7e5"));
    EXPECT_TRUE(Has(Say(tester, "back 999"), "22 1 2"));
    EXPECT_TRUE(Has(Say(tester, "forward 999"), "24 1 Nf3 g1f3"));
    EXPECT_TRUE(Has(Say(tester, "circle e4"), "59 1 Tester e4"));
    EXPECT_TRUE(Has(Say(tester, "arrow e2 e4"), "60 1 Tester e2 e4"));
    EXPECT_TRUE(Has(Say(tester, "unarrow e2 e4"), "90 1 Tester e2 e4"));
    EXPECT_TRUE(Has(Say(tester, "uncircle e4"), "89 1 Tester e4"));
    EXPECT_NE(Say(tester, "arrow e2").find("Usage"), std::string::npos);
    // Set-up drops: an empty square, then a Black knight there.
    EXPECT_TRUE(Has(Say(tester, "X@e4"),
                    "84 1 rnbqkbnrpppp-ppp------------p----------------N--PPPP-PPPRNBQKB-R"));
    EXPECT_TRUE(Has(Say(tester, "n@e4"),
                    "84 1 rnbqkbnrpppp-ppp------------p-------n--------N--PPPP-PPPRNBQKB-R"));
    EXPECT_TRUE(Has(Say(tester, "loadfen 4k3/8/8/8/8/8/4P3/4K3 w - - 0 1"),
                    "25 1 ----k-----------------------------------------------P-------K---"));
    EXPECT_TRUE(Has(Say(tester, "setwhitename Morphy"),
                    "100 1 Morphy Tester 0 Blitz 0 0 0 0 0 1 0 0 0 1   0 0 0 untimed"));
    EXPECT_TRUE(Has(Say(tester, "unexamine"), "43 1 X"));
}

TEST_F(GameTest, SimultaneousGamesTakeMovesThroughGoto) {
    StartGame("5 0");
    const int tester = LoggedIn("Tester test1");
    Say(tester, "match magnus 5 0 black");
    Say(m_magnus, "accept tester");
    Take(tester);
    Take(m_judit);
    // The newest game is current; "multi Goto" picks the other one first.
    Say(m_magnus, "multi Goto 1;e4");
    EXPECT_TRUE(Has(Take(m_judit), "24 1 e4 e2e4"));
    EXPECT_TRUE(Take(tester).empty());
    Say(m_magnus, "goto 2\nd4");
    EXPECT_TRUE(Has(Take(tester), "24 2 d4 d2d4"));
}

TEST_F(GameTest, SeeksAreAnnouncedAndPlayed) {
    m_magnus = LoggedIn("Magnus carlsen1");
    const int tester = LoggedIn("Tester test1");
    Say(tester, "set-2 51 1");
    std::string out = Say(m_magnus, "seek 3 0 unrated white");
    EXPECT_NE(out.find("Your seek has been posted with index 1.\n"), std::string::npos);
    EXPECT_TRUE(Has(Take(tester), "50 1 Magnus GM 2880 2 0 Blitz 3 0 0 1 0 9999 1 0"));
    out = Say(tester, "play 1");
    EXPECT_TRUE(Has(out, "51 1"));
    EXPECT_TRUE(Has(out, "43 1 PB"));
    EXPECT_TRUE(Has(Take(m_magnus), "43 1 PW"));
}

// A range keeps out those rated outside it (Tester has no rating: 0); the
// manual and formula flags are reported as fields 14 and 15. A registered
// user's seek filter outlasts the login, a guest's does not.
TEST_F(GameTest, SeekRangesAndKeptSeekFilter) {
    m_magnus = LoggedIn("Magnus carlsen1");
    int tester = LoggedIn("Tester test1");
    Say(m_magnus, "seek 10 0 rated 1000-2000 m f");
    EXPECT_TRUE(Has(Take(tester), "50 1 Magnus GM 2880 2 0 Blitz 10 0 1 -1 1000 2000 0 1"));
    EXPECT_NE(Say(tester, "play 1").find("Your rating is outside the range of that seek.\n"),
              std::string::npos);
    const std::string sought = Say(tester, "sought");
    EXPECT_NE(sought.find("1 Magnus(GM) (2880) seeking 10 0 rated Blitz 1000-2000 m f\n"),
              std::string::npos)
        << sought;
    Say(m_magnus, "seek 10 0 unrated 0-1000");
    EXPECT_TRUE(Has(Say(tester, "play 2"), "43 1 PB"));
    Take(m_magnus);
    EXPECT_EQ(Say(m_magnus, "seek 10 0 1000-"), "Usage: " + std::string("seek <minutes> ") +
                                                    "<increment> [rated|unrated] [w0|w23] " +
                                                    "[white|black] [<min>-<max>] [m] [f]\n");

    EXPECT_TRUE(Has(Say(tester, "set sfilter -rm"), "48 sfilter -rm"));
    m_core.Remove(tester);
    tester = LoggedIn("Tester test1");
    EXPECT_TRUE(Has(Say(tester, "set-2 48 1"), "48 sfilter -rm"));
    const int guest = LoggedIn("guest");
    Say(guest, "set sfilter c");
    m_core.Remove(guest);
    EXPECT_FALSE(Has(Say(LoggedIn("guest"), "set-2 48 1"), "48 sfilter c"));
}

// Crazyhouse: captures go to the hand (37 after every move, empty fields for
// empty hands), drops typed in either case come back as "P@e2" in SAN and
// Smith, a pawn is not dropped on the last rank, and the PGN names the variant.
TEST_F(GameTest, CrazyhouseGameWithDropsAndHoldings) {
    m_magnus = LoggedIn("Magnus carlsen1");
    m_judit = LoggedIn("Judit polgar1");
    Say(m_judit, "match magnus 3 0 w23 black");
    Say(m_magnus, "accept judit");
    const std::string start = Take(m_judit);
    // Wild 23 with drops allowed (field 20), then empty hands, the clocks and
    // Black's board turned.
    EXPECT_NE(start.find("(15 1 Magnus Judit 23 Wild"), std::string::npos);
    EXPECT_NE(start.find(" 0 0 1 \x19{3 0\x19} 0\x19)"), std::string::npos);
    std::string order;
    for (const auto& m : Datagrams(start)) order += m->Field(0) + " ";
    EXPECT_TRUE(order.ends_with("15 43 25 37 56 56 39 ")) << order;
    EXPECT_TRUE(Has(start, "37 1  ") && Has(start, "39 1 1"));
    struct Step {
        bool white;
        const char* typed;
        const char* seen;  // by the opponent, or for a refused move the mover
    } steps[] = {
        {true, "e4", "37 1  "},           {false, "d5", "24 1 d5 d7d5"},
        {true, "exd5", "37 1 P "},        {false, "Qxd5", "37 1 P P"},
        {true, "P@d8", "42 1 P@d8"},  // no pawn on the last rank
        {true, "Nc3", "24 1 Nc3 b1c3"},   {false, "Qe5+", "24 1 Qe5+ d5e5"},
        {true, "P@e2", "24 1 P@e2 P@e2"}, {false, "p@f3", "24 1 P@f3 P@f3"},
        {true, "gxf3", "37 1 P "},
    };
    for (const Step& step : steps) {
        const int mover = step.white ? m_magnus : m_judit;
        const int other = step.white ? m_judit : m_magnus;
        const std::string own = Say(mover, step.typed);
        const bool refused = std::string_view(step.seen).starts_with("42 ");
        EXPECT_TRUE(Has(refused ? own : Take(other), step.seen)) << step.typed;
    }
    const int tester = LoggedIn("Tester test1");
    EXPECT_TRUE(Has(Say(tester, "observe 1"), "37 1 P "));
    Say(m_judit, "resign");
    const std::string pgn = Say(m_magnus, "logpgn #1");
    EXPECT_NE(pgn.find("[Variant \"w23 (crazyhouse)\"]"), std::string::npos) << pgn;
    EXPECT_NE(pgn.find("4. P@e2 P@f3 5. gxf3"), std::string::npos) << pgn;
}

// Games the referee ends by itself, typed move by move (White, Black, ...).
TEST_F(GameTest, TheRefereeEndsGames) {
    struct Row {
        const char* moves;
        const char* result;
    } rows[] = {
        {"f3 e5 g4 Qh4#", "16 1 1 Mat 0-1 Magnus checkmated"},
        {"e3 a5 Qh5 Ra6 Qxa5 h5 h4 Rah6 Qxc7 f6 Qxd7+ Kf7 Qxb7 Qd3 Qxb8 Qh7 Qxc8 Kg6 Qe6",
         "16 1 1 Sta 1/2-1/2 Game drawn by stalemate"},
        {"Nf3 Nf6 Ng1 Ng8 Nf3 Nf6 Ng1 Ng8", "16 1 1 Rep 1/2-1/2 Game drawn by repetition"},
    };
    for (const Row& row : rows) {
        ServerCore core(Accounts(), m_transcript, Options());
        const int white = core.Connect();
        const int black = core.Connect();
        core.Receive(white, "level2settings=" + kAll + "\nMagnus carlsen1\n");
        core.Receive(black, "level2settings=" + kAll + "\nJudit polgar1\nmatch magnus 5 0 black\n");
        core.Receive(white, "accept judit\n");
        std::string moves = row.moves;
        bool whiteToMove = true;
        for (size_t start = 0; start < moves.size();) {
            const size_t end = std::min(moves.find(' ', start), moves.size());
            core.Receive(whiteToMove ? white : black, moves.substr(start, end - start) + "\n");
            whiteToMove = !whiteToMove;
            start = end + 1;
        }
        const std::string out = core.Find(black)->Outbox();
        EXPECT_TRUE(Has(out, row.result)) << row.moves;
        EXPECT_EQ(core.Games().Find(1)->PlyCount(),
                  static_cast<int>(std::count(moves.begin(), moves.end(), ' ') + 1))
            << "a move was refused: " << row.moves;
    }
}

TEST_F(GameTest, LeavingForfeitsTheGame) {
    StartGame("5 0");
    const int tester = LoggedIn("Tester test1");
    Say(tester, "observe 1");
    m_core.Remove(m_judit);
    EXPECT_TRUE(Has(Take(m_magnus), "16 1 1 Dis 1-0 Judit forfeits by disconnection"));
    EXPECT_TRUE(Has(Take(tester), "43 1 X"));
}

}  // namespace
