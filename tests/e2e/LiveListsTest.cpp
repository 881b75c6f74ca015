// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// The notify list and the event list against the real test server, opened
// as start windows: the notify list fills with a friend who is on-line and
// shows (and the console announces) one who arrives later; the event list
// shows the server's events, follows announcements and removals, and its
// Join sends the event's commands tagged to a new console. Both windows are
// grabbed to PNG files in the temporary folder for a look.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "app/LiveLists.h"
#include "app/MainFrame.h"
#include "console/ConsoleFrame.h"
#include "console/ConsoleSubView.h"
#include "console/ConsoleText.h"
#include "console/ConsoleView.h"
#include "e2e/ClientFixture.h"
#include "lists/EventListView.h"
#include "lists/NotifyListView.h"

namespace {

// A picture with more than one colour in it: the window drew something.
bool Drawn(const QImage& image) {
    if (image.isNull()) return false;
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); y += 3) {
        for (int x = 0; x < image.width(); x += 3) {
            if (image.pixel(x, y) != first) return true;
        }
    }
    return false;
}

bool Grab(QWidget* frame, const char* name) {
    const QImage image = frame->grab().toImage();
    image.save(QDir::temp().filePath(QString::fromLatin1(name)));
    return Drawn(image);
}

class LiveLists : public ClientFixture {
  protected:
    LiveLists()
        : ClientFixture({{"ConsoleSubViews", "0"},
                         {"GameViews", "0"},
                         {"NotifyListViews", "1"},
                         {"EventListViews", "1"}},
                        QSize(1000, 700)) {}
    size_t Occurrences(const std::string& text) const {
        const std::string transcript = m_server.Transcript();
        size_t n = 0;
        for (size_t at = transcript.find(text); at != std::string::npos;
             at = transcript.find(text, at + 1)) {
            ++n;
        }
        return n;
    }
    std::vector<QString> Names() const {
        std::vector<QString> names;
        CNotifyListView* view = m_main->LiveLists().NotifyListOf(*m_doc);
        for (int row = 0; view && row < view->RowCount(); ++row) {
            names.push_back(view->CellText(row, 0));
        }
        return names;
    }
};

TEST_F(LiveLists, NotifyListAndEventListFollowTheServer) {
    RawClient magnus(m_server.Port());
    ASSERT_TRUE(magnus.Ok());
    magnus.Send("Magnus carlsen1\n");
    CConsoleFrame* frame = m_main->AddConnection(*m_doc, "Tester.kd2");
    ASSERT_TRUE(WaitFor([&] { return frame->View().Tagging(); })) << m_server.Transcript();
    CNotifyListView* notify = m_main->LiveLists().NotifyListOf(*m_doc);
    CEventListView* events = m_main->LiveLists().EventListOf(*m_doc);
    ASSERT_NE(notify, nullptr);
    ASSERT_NE(events, nullptr);
    // The notify list asks for arrivals itself; the main console does not.
    EXPECT_TRUE(Received("multi Set-2 81 1; Set-2 64 1; Set-2 81 1")) << m_server.Transcript();
    EXPECT_EQ(m_server.Transcript().find("Set-2 64 1\n"), std::string::npos);

    // Magnus, on-line, comes in with the reload that +notify causes; the
    // console says nothing of it, as he did not just arrive.
    frame->View().SendCommandLine("+notify Magnus\n", false);
    ASSERT_TRUE(WaitFor([&] { return Names() == std::vector<QString>{"Magnus"}; }));
    frame->View().SendCommandLine("+notify Judit\n", false);
    // The change reloads the list; Judit is to arrive only once it is live.
    ASSERT_TRUE(WaitFor([&] { return Occurrences("multi Set-2 81 1") == 3; }))
        << m_server.Transcript();
    // A reply to a later command comes after the reload's markers.
    frame->View().SendCommandLine("=notify\n", false);
    ASSERT_TRUE(WaitFor([&] {
        return frame->View().Pane()->toPlainText().contains("-- notify list: 2 names --");
    })) << frame->View().Pane()->toPlainText().toStdString();
    ASSERT_EQ(notify->State(), CNotifyListView::LoadState::Live);
    ASSERT_EQ(Names().size(), 1u);
    RawClient judit(m_server.Port());
    judit.Send("Judit polgar1\n");
    ASSERT_TRUE(WaitFor([&] { return Names() == std::vector<QString>{"Judit", "Magnus"}; }));
    const QString pane = frame->View().Pane()->toPlainText();
    EXPECT_TRUE(WaitFor([&] {
        return frame->View().Pane()->toPlainText().contains("Notification: Judit has arrived.");
    })) << frame->View().Pane()->toPlainText().toStdString();
    EXPECT_FALSE(pane.contains("Magnus has arrived"));

    // The server's three events, in id order, under the user's handle.
    ASSERT_TRUE(WaitFor([&] { return events->Events().size() == 3; }));
    auto* eventFrame = qobject_cast<QMdiSubWindow*>(events->parentWidget());
    ASSERT_NE(eventFrame, nullptr);
    EXPECT_EQ(eventFrame->windowTitle(), "Events - Tester");
    EXPECT_EQ(events->Events()[0].actions[CEventListView::Watch], "observe 1");
    magnus.Send("announce-event 7 1 Simultaneous exhibition with Magnus | | observe 2\n");
    ASSERT_TRUE(WaitFor([&] { return events->Events().size() == 4; }));
    EXPECT_EQ(events->Events()[3].id, 7);

    eventFrame->resize(460, 260);
    qobject_cast<QMdiSubWindow*>(notify->parentWidget())->resize(200, 220);
    QCoreApplication::processEvents();
    EXPECT_TRUE(Grab(eventFrame, "kordane-event-list.png"));
    EXPECT_TRUE(Grab(notify->parentWidget(), "kordane-notify-list.png"));

    magnus.Send("remove-event 7\n");
    ASSERT_TRUE(WaitFor([&] { return events->Events().size() == 3; }));

    // Join of the arena: the question answered Yes, two lines each tagged
    // with the new console's id.
    events->GetHooks().ask = [](const QString&) { return true; };
    events->Activate({0, CEventListView::Join}, false);
    CConsoleSubView* console = nullptr;
    for (QMdiSubWindow* w : m_main->MdiArea()->subWindowList()) {
        if (auto* view = qobject_cast<CConsoleSubView*>(w->widget())) console = view;
    }
    ASSERT_NE(console, nullptr);
    const std::string tag = "`" + std::to_string(console->ConsoleId()) + "`";
    EXPECT_TRUE(Received(tag + "+channel 50"));
    EXPECT_TRUE(Received(tag + "tell 50 hi"));

    // A reset by the server: after the automatic reconnection both lists ask
    // the new session again and fill as before.
    frame->View().SendCommandLine("reset-connection\n", false);
    ASSERT_TRUE(WaitFor([&] { return Occurrences("multi Set-2 81 1") == 4; }, 10000))
        << m_server.Transcript();
    ASSERT_TRUE(WaitFor([&] { return Names() == std::vector<QString>{"Judit", "Magnus"}; }));
    ASSERT_TRUE(WaitFor([&] { return Occurrences("Set-2 103 1") == 2; }));
    ASSERT_TRUE(WaitFor([&] { return events->Events().size() == 3; }));
    EXPECT_EQ(m_main->LiveLists().NotifyListOf(*m_doc), notify);

    // Closing gives up what only the list wanted; arrivals stay on.
    notify->parentWidget()->close();
    events->parentWidget()->close();
    EXPECT_TRUE(Received("Set-2 68 0"));
    EXPECT_TRUE(Received("Set-2 104 0"));
    EXPECT_EQ(m_server.Transcript().find("Set-2 64 0"), std::string::npos);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(m_main->LiveLists().NotifyListOf(*m_doc), nullptr);
}

}  // namespace
