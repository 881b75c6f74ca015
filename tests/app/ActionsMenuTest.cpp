// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTextBrowser>

#include "app/ActionsMenu.h"
#include "app/MainFrame.h"
#include "app/ScratchFolder.h"
#include "console/ConsoleFrame.h"
#include "console/ConsoleView.h"
#include "net/Profile.h"
#include "net/qt/Kordane2Doc.h"

namespace {

QAction* Find(QMenu& menu, const QString& text) {
    for (QAction* action : menu.actions()) {
        if (action->text() == text) return action;
    }
    return nullptr;
}

TEST(ActionsMenuTest, EachItemSendsItsCommandLine) {
    struct Row {
        const char* item;
        const char* line;
    } rows[] = {
        {"Show my rating and notes", "Finger\n"},
        {"Show my VCX variables", "Vars\n"},
        {"Show my lag time", "Ping\n"},
        {"Show my recent games", "History\n"},
        {"Show my personal library", "Liblist\n"},
        {"Show my adjourned games", "Stored\n"},
        {"Observe a high-rated game", "Observe *\n"},
        {"Register for a new account", "Register\n"},
        {"Pay for my membership", "Extend\n"},
        {"List titled players on-line", "Who T\n"},
        {"List upcoming events", "Help event2\n"},
    };
    QMenu menu;
    std::vector<std::string> sent;
    bool connected = true;
    new CActionsMenu(
        &menu, [&] { return connected; }, [&](std::string_view line) { sent.emplace_back(line); });
    EXPECT_EQ(menu.actions().size(), static_cast<qsizetype>(std::size(rows)));
    for (const Row& row : rows) {
        QAction* action = Find(menu, row.item);
        ASSERT_NE(action, nullptr) << row.item;
        sent.clear();
        action->trigger();
        EXPECT_EQ(sent, std::vector<std::string>{row.line}) << row.item;
    }

    connected = false;
    sent.clear();
    emit menu.aboutToShow();
    EXPECT_FALSE(menu.actions().front()->isEnabled());
    menu.actions().back()->trigger();
    EXPECT_TRUE(sent.empty()) << "no active connection, nothing to send to";
}

TEST(ActionsMenuTest, MainFrameSendsToTheActiveConnection) {
    ScratchFolder scratch("actions");
    CProfile profile(scratch.File("settings.ini"));
    CMainFrame frame(profile);
    CKordane2Doc doc(profile);
    CConsoleFrame* console = frame.AddConnection(doc, "Local");
    QMenu* actions = nullptr;
    for (QAction* top : frame.menuBar()->actions()) {
        if (top->text() == "&Actions") actions = top->menu();
    }
    ASSERT_NE(actions, nullptr);
    Find(*actions, "Show my lag time")->trigger();
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
    // The local board has no server, so the connection refuses the line.
    EXPECT_TRUE(
        console->View().Pane()->toPlainText().endsWith("Warning: Not connected to the server."));
}

// An Options toggle acts at once, without a restart: with challenge popups
// disabled a challenge brings none, and enabling them brings the next one.
TEST(ActionsMenuTest, DisablingChallengePopupsActsAtOnce) {
    ScratchFolder scratch("bypass");
    CProfile profile(scratch.File("settings.ini"));
    CMainFrame frame(profile);
    CKordane2Doc doc(profile);
    CConsoleFrame* console = frame.AddConnection(doc, "Local");
    QAction* bypass = nullptr;
    for (QAction* a : frame.findChildren<QAction*>())
        bypass = a->text() == "Dis&able Challenge Popups" ? a : bypass;
    ASSERT_NE(bypass, nullptr);
    const auto challenge = [&] {
        doc.Parser().ProcessBytes("\x19(29 bob 1500 2 {} 1 1 1 1 0 Blitz 1 0 5 0 5 0 -1\x19)");
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
        return console->View().Host().Popups().Open().size();
    };
    bypass->trigger();
    EXPECT_EQ(challenge(), 0u);
    bypass->trigger();
    EXPECT_EQ(challenge(), 1u);
}

}  // namespace
