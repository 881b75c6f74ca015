// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>

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

// The main frame with one local connection, as the user sees it.
struct FrameWithConsole {
    explicit FrameWithConsole(const char* name)
        : scratch(name),
          profile(scratch.File("settings.ini")),
          frame(profile),
          doc(profile),
          console(frame.AddConnection(doc, "Local")) {}
    QAction* Action(const QString& text) const {
        for (QAction* a : frame.findChildren<QAction*>()) {
            if (a->text() == text) return a;
        }
        return nullptr;
    }
    ScratchFolder scratch;
    CProfile profile;
    CMainFrame frame;
    CKordane2Doc doc;
    CConsoleFrame* console;
};

TEST(ActionsMenuTest, MainFrameSendsToTheActiveConnection) {
    FrameWithConsole f("actions");
    QAction* lag = f.Action("Show my lag time");
    ASSERT_NE(lag, nullptr);
    lag->trigger();
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
    // The local board has no server, so the connection refuses the line.
    EXPECT_TRUE(
        f.console->View().Pane()->toPlainText().endsWith("Warning: Not connected to the server."));
}

// An Options toggle acts at once, without a restart: with challenge popups
// disabled a challenge brings none, and enabling them brings the next one.
TEST(ActionsMenuTest, DisablingChallengePopupsActsAtOnce) {
    FrameWithConsole f("bypass");
    QAction* bypass = f.Action("Dis&able Challenge Popups");
    ASSERT_NE(bypass, nullptr);
    const auto challenge = [&] {
        f.doc.Parser().ProcessBytes("\x19(29 bob 1500 2 {} 1 1 1 1 0 Blitz 1 0 5 0 5 0 -1\x19)");
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
        return f.console->View().Host().Popups().Open().size();
    };
    bypass->trigger();
    EXPECT_EQ(challenge(), 0u);
    bypass->trigger();
    EXPECT_EQ(challenge(), 1u);
}

}  // namespace
