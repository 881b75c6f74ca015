// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Closing a connection's console and the main frame around it, against a
// real listening socket so that the connection is really up.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QMdiArea>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTextBlock>

#include "app/MainFrame.h"
#include "app/ScratchFolder.h"
#include "console/ConsoleFrame.h"
#include "console/ConsoleText.h"
#include "console/ConsoleView.h"
#include "console/ConsoleWnd.h"
#include "net/Profile.h"
#include "net/qt/Kordane2Doc.h"

namespace {

bool WaitFor(const std::function<bool()>& condition, int ms = 5000) {
    QDeadlineTimer deadline(ms);
    while (!condition()) {
        if (deadline.hasExpired()) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        // processEvents() leaves deleteLater() to the outer event loop.
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

class ConsoleFrameTest : public ::testing::Test {
  protected:
    ConsoleFrameTest()
        : m_scratch(::testing::UnitTest::GetInstance()->current_test_info()->name()),
          m_profile(m_scratch.File("settings.ini")),
          m_frame(m_profile) {
        m_server.listen(QHostAddress("127.0.0.1"), 0);
    }

    // A console in the main frame, connected to the listening socket.
    CConsoleFrame* OpenConnected() {
        CKordane2Doc& doc = NewDoc();
        doc.Params().host = "127.0.0.1";
        doc.Params().port = m_server.serverPort();
        CConsoleFrame* frame = m_frame.AddConnection(doc, "test.kd2");
        EXPECT_TRUE(WaitFor([&] { return frame->Doc().IsConnected(); }));
        return frame;
    }

    CKordane2Doc& NewDoc() { return *new CKordane2Doc(m_profile, &m_documents); }

    ScratchFolder m_scratch;
    CProfile m_profile;
    QTcpServer m_server;
    CMainFrame m_frame;
    // As in the application: the documents' parent goes before the frame.
    QObject m_documents;
};

TEST_F(ConsoleFrameTest, ClosingWhileConnectedAsksFirst) {
    ASSERT_TRUE(m_server.isListening());
    QPointer<CConsoleFrame> frame = OpenConnected();
    QPointer<CKordane2Doc> doc = &frame->Doc();
    // Another window of the same connection, as a game or list window would be.
    QPointer<QMdiSubWindow> other = m_frame.MdiArea()->addSubWindow(new QLabel("board"));
    doc->AttachWindow(other);
    int asked = 0;
    bool answer = false;
    frame->SetCloseQuestion([&](QWidget*) {
        ++asked;
        return answer;
    });

    EXPECT_FALSE(frame->close()) << "Cancel keeps the window";
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(frame->Doc().IsConnected());
    EXPECT_FALSE(other.isNull());

    answer = true;
    EXPECT_TRUE(frame->close());
    EXPECT_EQ(asked, 2);
    ASSERT_TRUE(WaitFor([&] { return frame.isNull() && doc.isNull(); }))
        << "the window and its connection go";
    EXPECT_TRUE(other.isNull()) << "every window of the connection goes with it";
    EXPECT_TRUE(m_frame.MdiArea()->subWindowList().isEmpty());
}

TEST_F(ConsoleFrameTest, ClosingWhenNotConnectedDoesNotAsk) {
    QPointer<CConsoleFrame> frame = m_frame.AddConnection(NewDoc(), "Connection1");
    int asked = 0;
    frame->SetCloseQuestion([&](QWidget*) { return ++asked, false; });
    EXPECT_TRUE(frame->close());
    EXPECT_EQ(asked, 0);
    EXPECT_TRUE(WaitFor([&] { return frame.isNull(); }));
}

TEST_F(ConsoleFrameTest, MainFrameStaysOpenWhenAConnectionRefusesToClose) {
    CConsoleFrame* frame = OpenConnected();
    frame->SetCloseQuestion([](QWidget*) { return false; });
    m_frame.show();
    EXPECT_FALSE(m_frame.close());
    EXPECT_TRUE(m_frame.isVisible());
    EXPECT_EQ(m_frame.MdiArea()->subWindowList().size(), 1);

    frame->SetCloseQuestion([](QWidget*) { return true; });
    EXPECT_TRUE(m_frame.close());
}

TEST_F(ConsoleFrameTest, TitleAndStatePaneFollowTheActiveConnection) {
    CConsoleFrame* first = OpenConnected();
    EXPECT_EQ(m_frame.windowTitle(), "Kordane 2 - " + first->windowTitle());
    EXPECT_TRUE(first->windowTitle().startsWith("Main Console - test.kd2"))
        << first->windowTitle().toStdString();

    first->View().OnLoggedIn("alice");
    EXPECT_EQ(first->windowTitle(), "Main Console - alice");
    EXPECT_EQ(m_frame.windowTitle(), "Kordane 2 - Main Console - alice");

    // Sending a command marks the pane; the server's prompt would mark it back.
    first->Doc().Parser().SendCommand("finger\n");
    EXPECT_EQ(m_frame.StatePaneText(), "Sent");
    emit first->Doc().statusText("Ready");
    EXPECT_EQ(m_frame.StatePaneText(), "Ready");

    CConsoleFrame* second = m_frame.AddConnection(NewDoc(), "Connection2");
    EXPECT_EQ(m_frame.windowTitle(), "Kordane 2 - Main Console - Connection2");
    // Only the active connection's state is shown.
    emit first->Doc().statusText("Working");
    EXPECT_EQ(m_frame.StatePaneText(), "Ready");
    emit second->Doc().statusText("Sent");
    EXPECT_EQ(m_frame.StatePaneText(), "Sent");
    m_frame.MdiArea()->setActiveSubWindow(first);
    EXPECT_EQ(m_frame.StatePaneText(), "Working") << "the first connection's own state";
    EXPECT_EQ(m_frame.windowTitle(), "Kordane 2 - Main Console - alice");
}

TEST_F(ConsoleFrameTest, ServerClosingShowsItInTheTitle) {
    CConsoleFrame* frame = OpenConnected();
    ASSERT_TRUE(WaitFor([&] { return m_server.hasPendingConnections(); }));
    QTcpSocket* peer = m_server.nextPendingConnection();
    frame->View().OnLoggedIn("alice");
    peer->disconnectFromHost();
    ASSERT_TRUE(WaitFor([&] { return !frame->Doc().IsConnected(); }));
    EXPECT_EQ(frame->windowTitle(), "Main Console - alice (connection closed)");
}

TEST_F(ConsoleFrameTest, ReconnectOnlyWhenClosedAndThenConnectsAgain) {
    CConsoleFrame* frame = OpenConnected();
    ASSERT_TRUE(WaitFor([&] { return m_server.hasPendingConnections(); }));
    QTcpSocket* peer = m_server.nextPendingConnection();
    peer->write("\x19(0 alice {}\x19)");
    ASSERT_TRUE(WaitFor([&] { return frame->View().Dispatch().LoginStage() == 1; }));
    m_frame.UpdateReconnect();
    EXPECT_FALSE(m_frame.ReconnectAction()->isEnabled());
    peer->disconnectFromHost();
    ASSERT_TRUE(WaitFor([&] { return frame->Doc().State() == CKordane2Doc::Closed; }));
    m_frame.UpdateReconnect();
    ASSERT_TRUE(m_frame.ReconnectAction()->isEnabled());
    m_frame.ReconnectAction()->trigger();
    EXPECT_TRUE(WaitFor([&] { return m_server.hasPendingConnections(); }));
    EXPECT_TRUE(WaitFor([&] { return frame->Doc().IsConnected(); }));
    EXPECT_EQ(frame->View().Dispatch().LoginStage(), 0) << "a new connection logs in afresh";
}

// Whether a web address appended to `console` now comes out as a link.
bool MarksLinks(CConsoleWnd& console) {
    console.AppendStyled(QStringLiteral("see www.vcx-server.net\n"), 0);
    console.FlushPending();
    const QTextBlock last = console.Text()->document()->lastBlock();
    for (auto it = last.begin(); !it.atEnd(); ++it) {
        if (it.fragment().charFormat().isAnchor()) return true;
    }
    return false;
}

TEST_F(ConsoleFrameTest, DisableHyperlinksReachesOpenAndLaterConsoles) {
    QAction* toggle = nullptr;
    for (QAction* action : m_frame.findChildren<QAction*>()) {
        if (action->text() == QStringLiteral("Disable &Hyperlinks")) toggle = action;
    }
    ASSERT_NE(toggle, nullptr);
    CConsoleFrame* before = m_frame.AddConnection(NewDoc(), "Connection1");
    EXPECT_TRUE(MarksLinks(*before->View().Console()));

    toggle->trigger();
    CConsoleFrame* after = m_frame.AddConnection(NewDoc(), "Connection2");
    EXPECT_FALSE(MarksLinks(*before->View().Console()));
    EXPECT_FALSE(MarksLinks(*after->View().Console()));

    toggle->trigger();
    EXPECT_TRUE(MarksLinks(*before->View().Console()));
    EXPECT_TRUE(MarksLinks(*after->View().Console()));
}

}  // namespace
