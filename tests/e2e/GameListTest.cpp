// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// A finished game reaches the player's history list through the test server:
// typing "History" opens a list window, and the row's "&Examine" opens the
// game again in a game window.
#include <gtest/gtest.h>

#include <QDir>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <algorithm>
#include <map>

#include "app/MainFrame.h"
#include "console/CommandEdit.h"
#include "console/ConsoleFrame.h"
#include "console/ConsoleView.h"
#include "e2e/ServerFixture.h"
#include "game/GameRegistry.h"
#include "game/GameView.h"
#include "lists/GameListView.h"

namespace {

class GameListEndToEnd : public ::testing::Test {
  protected:
    GameListEndToEnd() : m_profile(m_dir.filePath("settings.ini").toStdString()) {
        m_main = std::make_unique<CMainFrame>(m_profile);
        m_main->resize(1200, 900);
        m_main->show();
    }

    CConsoleFrame* Connect(const char* handle, const char* password) {
        auto* doc = new CKordane2Doc(m_profile, &m_documents);
        doc->Params().host = "127.0.0.1";
        doc->Params().port = m_server.Port();
        doc->Params().handle = handle;
        doc->Params().password = password;
        CConsoleFrame* frame = m_main->AddConnection(*doc, QString(handle) + ".kd2");
        m_docs[frame] = doc;
        EXPECT_TRUE(WaitFor([frame] { return frame->View().Tagging(); })) << handle;
        return frame;
    }
    static void Type(CConsoleFrame* frame, const QString& command) {
        CCommandEdit* entry = frame->View().Entry();
        entry->setText(command);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
        QCoreApplication::sendEvent(entry, &press);
    }
    bool Received(const std::string& line) {
        return WaitFor([&] { return m_server.Transcript().find(line) != std::string::npos; });
    }
    std::vector<CGameListView*> Lists() const {
        std::vector<CGameListView*> lists;
        for (QMdiSubWindow* window : m_main->findChild<QMdiArea*>()->subWindowList()) {
            if (auto* list = qobject_cast<CGameListView*>(window->widget())) lists.push_back(list);
        }
        return lists;
    }
    // Tester (white) against Magnus, who resigns at once.
    void PlayAndResign(CConsoleFrame* tester, CConsoleFrame* magnus) {
        Type(tester, "match Magnus 5 0 white");
        ASSERT_TRUE(Received("match Magnus 5 0 white"));
        Type(magnus, "accept Tester");
        ASSERT_TRUE(WaitFor([&] { return !CGameRegistry::ViewsOf(*m_docs[tester]).empty(); }));
        m_firstBoard = CGameRegistry::ViewsOf(*m_docs[tester]).back()->GameNumber();
        Type(magnus, "resign");
        ASSERT_TRUE(WaitFor([&] {
            return m_server.Transcript().find("resign") != std::string::npos &&
                   CGameRegistry::ViewsOf(*m_docs[tester]).back()->Mode() != IBoardHost::Playing;
        }));
    }

    TestServer m_server;
    QTemporaryDir m_dir;
    int m_firstBoard = 0;
    CProfile m_profile;
    std::unique_ptr<CMainFrame> m_main;
    QObject m_documents;
    std::map<CConsoleFrame*, CKordane2Doc*> m_docs;
};

TEST_F(GameListEndToEnd, HistoryOpensAListWhoseRowExaminesTheGame) {
    CConsoleFrame* tester = Connect("Tester", "test1");
    CConsoleFrame* magnus = Connect("Magnus", "carlsen1");
    PlayAndResign(tester, magnus);

    Type(tester, "History");
    ASSERT_TRUE(WaitFor([&] { return Lists().size() == 1 && Lists()[0]->RowCount() == 1; }))
        << m_server.Transcript();
    CGameListView* list = Lists()[0];
    EXPECT_EQ(list->ListTitle(), "history Tester");
    EXPECT_TRUE(list->PlayerCentred());
    EXPECT_EQ(list->CellText(0, 1), "+");
    EXPECT_EQ(list->CellText(0, 3), "W");
    EXPECT_EQ(list->CellText(0, 5), "Magnus");
    EXPECT_TRUE(list->CellText(0, 6).startsWith("5 0 [w0 ")) << list->CellText(0, 6).toStdString();
    EXPECT_EQ(list->CellText(0, 8), "Res");
    EXPECT_FALSE(list->MoreButton()->isEnabled());
    const unsigned long number = list->Row(0)->gameNumber;

    // A second list goes to the same window; with "Don't Re-use" checked the
    // next one opens a window of its own.
    Type(tester, "Liblist");
    ASSERT_TRUE(WaitFor([&] { return list->ListTitle() == "liblist Tester"; }));
    ASSERT_EQ(Lists().size(), 1u);
    list->SetDontReuse(true);
    Type(tester, "History");
    ASSERT_TRUE(WaitFor([&] { return Lists().size() == 2 && Lists()[1]->RowCount() == 1; }));
    EXPECT_EQ(list->ListTitle(), "liblist Tester");
    list = Lists()[1];

    const size_t gamesBefore = CGameRegistry::ViewsOf(*m_docs[tester]).size();
    list->SelectRow(0);
    list->Run(CGameListView::Examine, false);
    ASSERT_TRUE(Received("Examine #" + std::to_string(number)));
    // The player's own board of the finished game stays open; the list's
    // request brings a board of its own.
    ASSERT_TRUE(WaitFor([&] {
        const auto views = CGameRegistry::ViewsOf(*m_docs[tester]);
        return views.size() > gamesBefore && views.back()->Mode() == IBoardHost::Examining &&
               views.back()->GameNumber() != m_firstBoard;
    })) << m_server.Transcript();

    if (const char* shots = std::getenv("KORDANE_SCREENSHOTS")) {
        QDir().mkpath(shots);
        auto* frame = qobject_cast<QMdiSubWindow*>(list->parentWidget());
        ASSERT_NE(frame, nullptr);
        frame->setGeometry(0, 0, 760, 260);
        m_main->findChild<QMdiArea*>()->setActiveSubWindow(frame);
        frame->raise();
        QCoreApplication::processEvents();
        EXPECT_TRUE(m_main->grab().save(QString(shots) + "/game-list.png"));
        EXPECT_TRUE(frame->grab().save(QString(shots) + "/game-list-window.png"));
    }
}

}  // namespace
