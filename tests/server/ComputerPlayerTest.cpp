// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
// The computer player with a real engine: one short game, and one of
// crazyhouse. Skipped on a machine without the engine.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>

#include "AccountStore.h"
#include "ComputerPlayer.h"
#include "EngineProcess.h"
#include "ServerCore.h"
#include "Transcript.h"

namespace {

const std::string kAll(ClientSession::kMaxDatagrams, '1');

TEST(ComputerPlayerTest, AcceptsAMatchAndAnswersMoves) {
    const std::string engine = EngineProcess::Find({"stockfish", "fairy-stockfish"});
    if (engine.empty()) GTEST_SKIP() << "no stockfish installed";
    std::string error;
    const std::optional<AccountStore> accounts =
        AccountStore::Parse("Tester test1 - 1500\nBotty bot1 C 2200\n", error);
    ASSERT_TRUE(accounts) << error;
    Transcript transcript;
    ServerCore core(*accounts, transcript);
    core.StartComputerPlayer("Botty", engine);
    const int tester = core.Connect();
    core.Receive(tester, "level2settings=" + kAll + "\nTester test1\n");
    core.Find(tester)->Outbox().clear();

    core.Receive(tester, "match Botty 1 0 unrated skill0\n");
    core.Tick();
    std::string seen = core.Find(tester)->Outbox();
    ASSERT_NE(seen.find("\x19(43 1 PW\x19)"), std::string::npos) << "the match was not accepted";

    // Two moves each; the engine answers within its own time budget.
    for (const char* move : {"e2e4", "d2d4"}) {
        core.Find(tester)->Outbox().clear();
        core.Receive(tester, std::string(move) + "\n");
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        bool answered = false;
        while (!answered && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            core.Tick();
            seen = core.Find(tester)->Outbox();
            answered = core.Games().Find(1) != nullptr &&
                       core.Games().Find(1)->Current().SideToMove() == Referee::kWhite;
        }
        ASSERT_TRUE(answered) << "no answer to " << move;
        EXPECT_NE(seen.find("\x19(24 1 "), std::string::npos);
    }
    EXPECT_EQ(core.Games().Find(1)->PlyCount(), 4);
    // It grants an abort at once.
    core.Receive(tester, "abort\n");
    core.Tick();
    EXPECT_NE(core.Find(tester)->Outbox().find("Game aborted by mutual agreement"),
              std::string::npos);
}

// Crazyhouse against fairy-stockfish: the person captures whenever possible,
// else drops, until the engine has answered a position with a drop in its
// moves (its own or the person's), so it must read drops in the moves it is
// given and answer with moves (and drops) the referee takes.
TEST(ComputerPlayerTest, PlaysCrazyhouseWithTheVariantEngine) {
    const std::string variant = EngineProcess::Find({"fairy-stockfish"});
    if (variant.empty()) GTEST_SKIP() << "no fairy-stockfish installed";
    std::string error;
    const std::optional<AccountStore> accounts =
        AccountStore::Parse("Tester test1 - 1500\nBotty bot1 C 2200\n", error);
    ASSERT_TRUE(accounts) << error;
    Transcript transcript;
    ServerCore core(*accounts, transcript);
    core.StartComputerPlayer("Botty", variant, variant);
    const int tester = core.Connect();
    core.Receive(tester, "level2settings=" + kAll + "\nTester test1\n");
    core.Receive(tester, "match Botty 0 1 unrated w23 skill0 white\n");
    core.Tick();
    ASSERT_NE(core.Find(tester)->Outbox().find("\x19(43 1 PW\x19)"), std::string::npos);
    const ServerGame* game = core.Games().Find(1);
    ASSERT_TRUE(game != nullptr && game->DropGame());
    bool answeredDrop = false;
    while (!answeredDrop && !game->over && game->PlyCount() < 60) {
        const std::vector<Referee::Move> legal = game->Current().LegalMoves();
        ASSERT_FALSE(legal.empty());
        auto pick = std::find_if(legal.begin(), legal.end(), [](const Referee::Move& m) {
            return (m.flags & Referee::kCapture) != 0;
        });
        if (pick == legal.end()) {
            pick = std::find_if(legal.begin(), legal.end(),
                                [](const Referee::Move& m) { return m.drop != 0; });
        }
        if (pick == legal.end()) pick = legal.begin();
        const int before = game->PlyCount();
        core.Receive(tester, game->Current().San(*pick) + "\n");
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!game->over && game->PlyCount() < before + 2 &&
               std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            core.Tick();
        }
        ASSERT_TRUE(game->over || game->PlyCount() == before + 2)
            << "no answer after ply " << before << ": " << core.Find(tester)->Outbox();
        core.Find(tester)->Outbox().clear();
        // Botty plays Black: an odd ply after a drop answered a position with it.
        const std::vector<ServerGame::Ply>& plies = game->Plies();
        for (size_t i = 0; i + 1 < plies.size(); ++i) {
            const size_t answer = i % 2 == 0 ? i + 1 : i + 2;
            answeredDrop = answeredDrop || (plies[i].move.drop != 0 && answer < plies.size());
        }
    }
    EXPECT_TRUE(answeredDrop) << game->description << " after " << game->PlyCount() << " plies";
}

// Without a variant engine, a crazyhouse challenge is declined with a reason.
TEST(ComputerPlayerTest, DeclinesCrazyhouseWithoutTheVariantEngine) {
    std::string error;
    const std::optional<AccountStore> accounts =
        AccountStore::Parse("Tester test1 - 1500\n", error);
    ASSERT_TRUE(accounts) << error;
    Transcript transcript;
    ServerCore core(*accounts, transcript);
    core.StartComputerPlayer("Botty", "/nonexistent/stockfish");
    const int tester = core.Connect();
    core.Receive(tester, "level2settings=0\nTester test1\n");
    core.Find(tester)->Outbox().clear();
    core.Receive(tester, "match Botty 3 0 w23\n");
    core.Tick();
    const std::string seen = core.Find(tester)->Outbox();
    EXPECT_NE(seen.find("crazyhouse needs fairy-stockfish, which is not installed."),
              std::string::npos)
        << seen;
    EXPECT_NE(seen.find("Botty declines the challenge from Tester."), std::string::npos) << seen;
    EXPECT_EQ(core.Games().Find(1), nullptr);
}

}  // namespace
