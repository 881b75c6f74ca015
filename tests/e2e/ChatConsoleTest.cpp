// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Extra consoles against the real test server: a temporary console turns
// into a chat with the person or the channel its command reached, a channel
// console asks the server for its shouts and channels, and a temporary
// console leaves the channels it joined when it closes.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <cstdlib>

#include "app/ExtraConsoles.h"
#include "app/MainFrame.h"
#include "console/CommandEdit.h"
#include "console/ConsoleFrame.h"
#include "console/ConsoleSubView.h"
#include "console/ConsoleText.h"
#include "console/ConsoleView.h"
#include "console/ConsoleWnd.h"
#include "console/OpenChatDlg.h"
#include "e2e/ClientFixture.h"

namespace {

class ChatConsoles : public ClientFixture {
  protected:
    ChatConsoles() : ClientFixture({{"ConsoleSubViews", "0"}, {"GameViews", "0"}}) {}

    void TypeWithCtrl(const QString& command, bool ctrl) {
        CCommandEdit* entry = m_frame->View().Entry();
        entry->setText(command);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return,
                        ctrl ? Qt::ControlModifier : Qt::NoModifier, "\r");
        QCoreApplication::sendEvent(entry, &press);
    }
    CConsoleSubView* Newest() {
        CConsoleSubView* newest = nullptr;
        for (QMdiSubWindow* w : m_main->MdiArea()->subWindowList()) {
            auto* view = qobject_cast<CConsoleSubView*>(w->widget());
            if (view && (!newest || view->ConsoleId() > newest->ConsoleId())) newest = view;
        }
        return newest;
    }
    static QString Pane(const CConsoleSubView* view) {
        return view->Console()->Text()->toPlainText();
    }
};

TEST_F(ChatConsoles, TemporaryConsolesLearnAndChannelConsolesAsk) {
    Connect();
    ASSERT_TRUE(WaitFor([&] { return m_frame->View().Tagging(); })) << m_server.Transcript();
    RawClient magnus(m_server.Port());
    ASSERT_TRUE(magnus.Ok());
    magnus.Send("Magnus carlsen1\n+channel 50\n");
    ASSERT_TRUE(Received("recv +channel 50"));

    // A tell sent with Ctrl+Return: the console becomes a chat with Magnus,
    // and his answer comes to it rather than to the main console.
    TypeWithCtrl("tell Magnus hi", true);
    CConsoleSubView* person = Newest();
    ASSERT_NE(person, nullptr);
    ASSERT_TRUE(WaitFor([&] { return person->HasPerson("magnus"); })) << m_server.Transcript();
    EXPECT_EQ(person->Title(), "Chatting with Magnus [Temporary Console]");
    EXPECT_EQ(person->Console()->HelperTextsText(), "Xtell Magnus\\nCommand");
    EXPECT_EQ(person->Console()->HelperPrefixesText(), "Xtell Magnus!\\n");
    magnus.Send("tell Tester hello back\n");
    ASSERT_TRUE(WaitFor([&] { return Pane(person).contains("Magnus(GM) tells you: hello back"); }))
        << Pane(person).toStdString() << m_server.Transcript();
    EXPECT_FALSE(m_frame->View().Pane()->toPlainText().contains("hello back"));
    EXPECT_EQ(m_frame->View().Dispatch().LastTeller(), "Magnus");
    // F9 in the chat console answers the teller it heard.
    QKeyEvent f9(QEvent::KeyPress, Qt::Key_F9, Qt::NoModifier);
    QCoreApplication::sendEvent(person->Console()->Entry(), &f9);
    EXPECT_EQ(person->Console()->Entry()->text(), "/Tell Magnus! ");
    // Ctrl+Return in an extra console opens one more, the helper's prefix
    // in front of the command.
    person->Console()->Entry()->setText("again?");
    QKeyEvent ctrlReturn(QEvent::KeyPress, Qt::Key_Return, Qt::ControlModifier, "\r");
    QCoreApplication::sendEvent(person->Console()->Entry(), &ctrlReturn);
    CConsoleSubView* again = Newest();
    ASSERT_NE(again, person);
    EXPECT_TRUE(again->Temporary());
    EXPECT_TRUE(Received("`" + std::to_string(again->ConsoleId()) + "`Xtell Magnus! again?"));
    again->Frame()->close();

    // A channel tell sent with Ctrl+Return: the console chats in channel 50
    // and leaves it again when it closes.
    TypeWithCtrl("+channel 50", false);
    ASSERT_TRUE(Received("`1`+channel 50"));
    TypeWithCtrl("tell 50 hello all", true);
    CConsoleSubView* channel = Newest();
    ASSERT_NE(channel, person);
    ASSERT_TRUE(WaitFor([&] { return channel->HasChannel(50); })) << m_server.Transcript();
    EXPECT_EQ(channel->Title(), "Chatting in channel 50 [Temporary Console]");
    magnus.Send("tell 50 welcome\n");
    ASSERT_TRUE(WaitFor([&] { return Pane(channel).contains("Magnus(GM)(50): welcome"); }));
    channel->Frame()->close();
    EXPECT_TRUE(Received(" Minus channel 50")) << "untagged";

    // "Open Chat Window": one tagged line asks for the shouts and channels;
    // shouts then come to this console.
    COpenChatDlg dialog;
    dialog.ShoutsBox()->setChecked(true);
    dialog.ChannelsEdit()->setText("1, 2x60");
    CConsoleSubView* chat = m_main->ExtraConsoles().OpenChatConsole(*m_doc, dialog);
    EXPECT_TRUE(Received("`" + std::to_string(chat->ConsoleId()) +
                         "`;Set shout 1;+channel 1;+channel 2;+channel 60"));
    magnus.Send("shout anyone?\n");
    ASSERT_TRUE(WaitFor([&] { return Pane(chat).contains("Magnus(GM) shouts: anyone?"); }));
    EXPECT_FALSE(m_frame->View().Pane()->toPlainText().contains("anyone?"));
    // The server took the request line: the console's channels are joined
    // and their lines are the console's, not the main console's.
    magnus.Send("+channel 60\ntell 60 the lecture starts\n");
    ASSERT_TRUE(WaitFor([&] { return Pane(chat).contains("Magnus(GM)(60): the lecture starts"); }))
        << m_server.Transcript();
    EXPECT_FALSE(m_frame->View().Pane()->toPlainText().contains("lecture"));
    if (const char* shot = std::getenv("KORDANE_CHAT_SCREENSHOT")) m_main->grab().save(shot);
}

}  // namespace
