// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Windows come back in their slot and at their place; a connection that
// closes leaves its window counts for the next start.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

#include "app/MainFrame.h"
#include "app/ScratchFolder.h"
#include "app/WindowLayout.h"
#include "net/Profile.h"
#include "net/qt/Kordane2Doc.h"

namespace {

class WindowLayoutTest : public ::testing::Test {
  protected:
    WindowLayoutTest()
        : m_scratch(::testing::UnitTest::GetInstance()->current_test_info()->name()),
          m_profile(m_scratch.File("settings.ini")),
          m_layout(m_profile) {
        m_mdi.resize(1000, 800);
        m_mdi.show();
    }
    QMdiSubWindow* NewWindow() {
        QMdiSubWindow* w = m_mdi.addSubWindow(new QLabel("window"));
        w->setGeometry(5, 5, 200, 100);
        w->show();
        return w;
    }

    ScratchFolder m_scratch;
    CProfile m_profile;
    CWindowLayout m_layout;
    QMdiArea m_mdi;
    QObject m_doc;
};

TEST_F(WindowLayoutTest, ClosedWindowsSlotAndPlaceGoToTheNextOfItsKind) {
    QMdiSubWindow* first = NewWindow();
    QMdiSubWindow* second = NewWindow();
    EXPECT_EQ(m_layout.Open(first, WindowKind::Game, &m_doc), 1);
    EXPECT_EQ(m_layout.Open(second, WindowKind::Game, &m_doc), 2);
    first->setGeometry(120, 40, 330, 260);
    m_layout.Close(first);
    delete first;
    EXPECT_EQ(m_profile.GetString("Layout", "Game_1"), "0,1,-1,-1,-1,-1,120,40,450,300");

    QMdiSubWindow* third = NewWindow();
    EXPECT_EQ(m_layout.Open(third, WindowKind::Game, &m_doc), 1);
    EXPECT_EQ(third->geometry(), QRect(120, 40, 330, 260));
    EXPECT_EQ(m_layout.Count(&m_doc, WindowKind::Game), 2);

    // A window deleted without closing (its connection went) frees its slot.
    delete second;
    EXPECT_EQ(m_layout.Open(NewWindow(), WindowKind::Game, &m_doc), 2);
}

TEST_F(WindowLayoutTest, GameAndPgnListsNeverShareANumber) {
    EXPECT_EQ(m_layout.Open(NewWindow(), WindowKind::GameList, &m_doc), 1);
    EXPECT_EQ(m_layout.Open(NewWindow(), WindowKind::PgnList, &m_doc), 2);
    EXPECT_EQ(m_layout.Open(NewWindow(), WindowKind::Seek, &m_doc), 1);
}

TEST_F(WindowLayoutTest, DamagedPlacementsLeaveTheDefaultPlace) {
    const char* values[] = {"0,1,-1,-1,-1,-1,10,10,300",           // nine numbers
                            "0,1,-1,-1,-1,-1,300,10,10,300",       // no width
                            "0,1,-1,-1,-1,-1,0,0,2000000000,20"};  // far too wide
    int slot = 0;
    for (const char* value : values) {
        ASSERT_TRUE(m_profile.WriteString("Layout", "Seek_" + std::to_string(++slot), value));
        QMdiSubWindow* w = NewWindow();
        EXPECT_EQ(m_layout.Open(w, WindowKind::Seek, &m_doc), slot);
        EXPECT_EQ(w->geometry(), QRect(5, 5, 200, 100)) << value;
    }
}

TEST(StartWindowsTest, ClosingAConnectionRecordsItsWindowsForTheNextStart) {
    ScratchFolder scratch("start-windows");
    CProfile profile(scratch.File("settings.ini"));
    QObject documents;
    CMainFrame frame(profile);
    auto* doc = new CKordane2Doc(profile, &documents);
    frame.AddConnection(*doc, "Connection1");
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
    frame.OpenStartWindows(*doc);
    EXPECT_TRUE(frame.StartWindows().Opened());
    for (WindowKind kind : {WindowKind::Game, WindowKind::Game, WindowKind::EventList}) {
        QMdiSubWindow* w = frame.MdiArea()->addSubWindow(new QLabel("window"));
        doc->AttachWindow(w);
        frame.Layout().Open(w, kind, doc);
    }
    QPointer<CKordane2Doc> alive = doc;
    doc->Close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(alive);
    // The start opened one game board and the seek graph of its own.
    EXPECT_EQ(profile.GetInt("Start Windows", "GameViews", -1), 3);
    EXPECT_EQ(profile.GetInt("Start Windows", "SeekViews", -1), 1);
    // ... and, by default, an event list.
    EXPECT_EQ(profile.GetInt("Start Windows", "EventListViews", -1), 2);
    EXPECT_EQ(profile.GetInt("Start Windows", "NotifyListViews", -1), 0);
    EXPECT_EQ(frame.Settings().StartCount(CSettings::StartWindow::GameViews), 3);
    EXPECT_TRUE(WindowPlacement::Parse(profile.GetString("Layout", "Game_2")))
        << "every window of the connection stores its place";
    EXPECT_TRUE(WindowPlacement::Parse(profile.GetString("Layout", "Conn_1")));
}

}  // namespace
