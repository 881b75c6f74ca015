// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// The main console's commands against the real test server: what goes out
// with which command tag, where the tagged replies land, user buttons and the
// windows opened after log-in.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QMdiArea>

#include "app/MainFrame.h"
#include "console/CommandEdit.h"
#include "console/ConsoleFrame.h"
#include "console/ConsoleSubView.h"
#include "console/ConsoleText.h"
#include "console/ConsoleView.h"
#include "console/ConsoleWnd.h"
#include "e2e/ServerFixture.h"

namespace {

class ConsoleCommands : public ::testing::Test {
  protected:
    ConsoleCommands() : m_profile(m_dir.filePath("settings.ini").toStdString()) {
        // The last session had one extra console open.
        m_profile.WriteString("Start Windows", "ConsoleSubViews", "1");
        m_main = std::make_unique<CMainFrame>(m_profile);
        m_main->show();
        m_doc = new CKordane2Doc(m_profile, &m_documents);
        m_doc->Params().host = "127.0.0.1";
        m_doc->Params().port = m_server.Port();
        m_doc->Params().handle = "Tester";
        m_doc->Params().password = "test1";
    }

    CConsoleView& View() { return m_frame->View(); }
    void Type(CCommandEdit* entry, const QString& command, Qt::KeyboardModifiers modifiers) {
        entry->setText(command);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, modifiers, "\r");
        QCoreApplication::sendEvent(entry, &press);
    }
    bool Received(const std::string& line) {
        return WaitFor([&] { return m_server.Transcript().find(line) != std::string::npos; });
    }
    std::vector<CConsoleSubView*> SubViews() {
        std::vector<CConsoleSubView*> views;
        for (QMdiSubWindow* w : m_main->MdiArea()->subWindowList()) {
            if (auto* view = qobject_cast<CConsoleSubView*>(w->widget())) views.push_back(view);
        }
        return views;
    }

    TestServer m_server;
    QTemporaryDir m_dir;
    CProfile m_profile;
    std::unique_ptr<CMainFrame> m_main;
    QObject m_documents;
    CKordane2Doc* m_doc = nullptr;
    CConsoleFrame* m_frame = nullptr;
};

TEST_F(ConsoleCommands, TagsRepliesButtonsAndStartWindows) {
    m_frame = m_main->AddConnection(*m_doc, "Tester.kd2");
    EXPECT_EQ(View().ConsoleId(), 1);
    EXPECT_FALSE(View().Tagging()) << "no tag before the log-in";
    ASSERT_TRUE(WaitFor([&] { return View().Tagging() && SubViews().size() == 1; }))
        << m_server.Transcript();
    // No notify list is open, so arrivals and departures come as text.
    EXPECT_TRUE(Received("Set-2 64 1"));
    EXPECT_TRUE(Received("Set-2 65 1"));
    const std::string transcript = m_server.Transcript();
    EXPECT_EQ(transcript.find("Set-2 64 1"), transcript.rfind("Set-2 64 1")) << "asked for once";
    // The start game board opened first and took id 2 for its tag.
    EXPECT_EQ(SubViews().front()->ConsoleId(), 3) << "the start console";
    EXPECT_FALSE(SubViews().front()->Temporary());

    Type(View().Entry(), "who", Qt::NoModifier);
    EXPECT_TRUE(Received("`1`who"));
    const auto whoReplies = [this] { return View().Pane()->toPlainText().count("logged in."); };
    ASSERT_TRUE(WaitFor([&] { return whoReplies() == 1; }));

    // Ctrl+Return: the reply to the command goes to a new console.
    Type(View().Entry(), "who", Qt::ControlModifier);
    ASSERT_EQ(SubViews().size(), 2u);
    CConsoleSubView* temporary = SubViews().back();
    EXPECT_EQ(temporary->ConsoleId(), 4);
    EXPECT_TRUE(temporary->Temporary());
    EXPECT_TRUE(Received("`4`who"));
    ASSERT_TRUE(WaitFor(
        [&] { return temporary->Console()->Text()->toPlainText().contains("logged in."); }));
    EXPECT_EQ(whoReplies(), 1) << "the tagged reply did not reach the main console";

    // A second user tells: %teller names them from now on.
    RawClient magnus(m_server.Port());
    ASSERT_TRUE(magnus.Ok());
    magnus.Send("Magnus carlsen1\ntell Tester fancy a game?\n");
    ASSERT_TRUE(WaitFor([&] { return View().Dispatch().LastTeller() == "Magnus"; }));
    m_doc->GameNames().opponent = "Judit";
    View().RunUserButton("tell %teller hi, I play %opp first");
    EXPECT_TRUE(Received("`1`tell Magnus hi, I play Judit first"));
    View().RunUserButton("`7`finger");
    EXPECT_TRUE(Received("`7`finger")) << "a line with its own tag keeps it";
    View().RunUserButton("who %newwindow");
    EXPECT_TRUE(Received("`5`who "));

    // The connection closes: tagging ends in every console.
    m_doc->Disconnect();
    emit m_doc->connectionClosed(0);
    EXPECT_FALSE(View().Tagging());
    EXPECT_FALSE(temporary->Tagging());
}

}  // namespace
