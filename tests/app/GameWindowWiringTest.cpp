// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Game starts that no game window takes reach the main console, which asks
// the main frame for a new game window and hands it the datagram.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "app/MainFrame.h"
#include "app/ScratchFolder.h"
#include "app/WindowLayout.h"
#include "game/GameFrame.h"
#include "game/GameView.h"
#include "net/DatagramTable.h"
#include "net/Profile.h"
#include "net/qt/Kordane2Doc.h"

namespace {

std::unique_ptr<CServerMessage> Dg(int number, std::vector<std::string> args) {
    auto m = std::make_unique<CServerMessage>(CServerMessage::Datagram, number);
    m->AppendField(std::to_string(number));
    for (const std::string& a : args) m->AppendField(a);
    return m;
}

std::vector<CGameFrame*> GameFrames(const CMainFrame& frame) {
    std::vector<CGameFrame*> games;
    for (QMdiSubWindow* window : frame.MdiArea()->subWindowList()) {
        if (auto* game = qobject_cast<CGameFrame*>(window)) games.push_back(game);
    }
    return games;
}

TEST(GameWindowWiringTest, AGameStartNoWindowTakesOpensExactlyOneWindow) {
    ScratchFolder scratch("game-wiring");
    CProfile profile(scratch.File("settings.ini"));
    QObject documents;
    CMainFrame frame(profile);
    auto* doc = new CKordane2Doc(profile, &documents);
    frame.AddConnection(*doc, "Connection1");
    const std::vector<std::string> start = {"12", "Wh", "Bl", "0", "Blitz", "1", "3", "0",
                                            "3",  "0",  "1",  "",  "0",     "0", "77"};
    doc->Parser().Dispatch(Dg(DG_GAME_STARTED, start));
    std::vector<CGameFrame*> games = GameFrames(frame);
    ASSERT_EQ(games.size(), 1u);
    EXPECT_EQ(games[0]->View().GameNumber(), 12);
    EXPECT_EQ(frame.Layout().SlotOf(games[0]), 1);
    EXPECT_EQ(games[0]->windowTitle().toStdString(), "Was Game #12 - Wh - Bl");

    // The window is busy once it observes; the next game gets a window of
    // its own, and its moves find it.
    doc->Parser().Dispatch(Dg(DG_RELATION, {"12", "O"}));
    std::vector<std::string> next = start;
    next[0] = "13";
    doc->Parser().Dispatch(Dg(DG_GAME_STARTED, next));
    doc->Parser().Dispatch(Dg(DG_MOVE, {"13", "e4", "e2e4"}));
    games = GameFrames(frame);
    ASSERT_EQ(games.size(), 2u);
    EXPECT_EQ(games[1]->View().GameNumber(), 13);
    EXPECT_EQ(games[1]->View().Record().Ply(), 1);
    EXPECT_EQ(games[0]->View().Record().Ply(), 0);

    games[1]->View().SetConsoleHeight(120);
    games[1]->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(profile.GetString("Layout", "GameConsoleHeight_2"), "120");
    EXPECT_EQ(GameFrames(frame).size(), 1u);
}

}  // namespace
