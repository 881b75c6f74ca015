// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
// The computer player with a real engine: one short game. Skipped on a
// machine without stockfish.
#include <gtest/gtest.h>

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

}  // namespace
