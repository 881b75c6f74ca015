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
    // Its seeks, the last rated with a range (it has no standard rating).
    core.Receive(tester, "set-2 50 1\n");
    EXPECT_NE(core.Find(tester)->Outbox().find(
                  "\x19(50 3 Botty C 0 0 0 Standard 15 0 1 -1 1200 2400 1 0\x19)"),
              std::string::npos)
        << core.Find(tester)->Outbox();
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
    // Captures first, then drops, else the first legal move. So weak a player
    // may be mated before anyone drops: then another game.
    auto score = [](const Referee::Move& m) {
        return (m.flags & Referee::kCapture) != 0 ? 2 : m.drop != 0 ? 1 : 0;
    };
    bool answeredDrop = false;
    for (int number = 1; number <= 5 && !answeredDrop; ++number) {
        core.Receive(tester, "match Botty 0 1 unrated w23 skill0 white\n");
        core.Tick();
        const ServerGame* game = core.Games().Find(number);
        ASSERT_TRUE(game != nullptr && game->DropGame() && game->ColourOf("Tester") == 1);
        while (!answeredDrop && !game->over && game->PlyCount() < 60) {
            const std::vector<Referee::Move> legal = game->Current().LegalMoves();
            const Referee::Move pick = *std::max_element(
                legal.begin(), legal.end(), [&](auto& a, auto& b) { return score(a) < score(b); });
            const int before = game->PlyCount();
            core.Receive(tester, game->Current().San(pick) + "\n");
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
            while (!game->over && game->PlyCount() < before + 2 &&
                   std::chrono::steady_clock::now() < deadline) {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                core.Tick();
            }
            ASSERT_TRUE(game->over || game->PlyCount() == before + 2) << "no answer at " << before;
            // Botty plays the odd plies: its last one answered every ply before.
            const std::vector<ServerGame::Ply>& plies = game->Plies();
            const int answered =
                std::max(0, game->PlyCount() - (game->PlyCount() % 2 == 0 ? 1 : 2));
            answeredDrop = std::any_of(plies.begin(), plies.begin() + answered,
                                       [](const ServerGame::Ply& p) { return p.move.drop != 0; });
        }
    }
    EXPECT_TRUE(answeredDrop);
}

}  // namespace
