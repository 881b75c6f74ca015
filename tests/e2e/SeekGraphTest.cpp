// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// The seek graph against the test server: two other users post seeks, the
// graph shows them as the filter judges them, and a click on one starts the
// game.
#include <gtest/gtest.h>

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>
#include <cstdlib>

#include "app/ConnectionMenus.h"
#include "app/MainFrame.h"
#include "app/SeekGraphs.h"
#include "app/Settings.h"
#include "console/ConsoleFrame.h"
#include "console/ConsoleText.h"
#include "console/ConsoleView.h"
#include "e2e/ServerFixture.h"
#include "game/GameRegistry.h"
#include "lists/SeekView.h"

namespace {

class SeekGraphEndToEnd : public ::testing::Test {
  protected:
    SeekGraphEndToEnd() : m_profile(m_dir.filePath("settings.ini").toStdString()) {
        m_main = std::make_unique<CMainFrame>(m_profile);
        m_main->resize(1200, 900);
        m_main->show();
    }
    bool Received(const std::string& line) {
        return WaitFor([&] { return m_server.Transcript().find(line) != std::string::npos; });
    }
    int Count(const std::string& line) const {
        const std::string transcript = m_server.Transcript();
        int n = 0;
        for (size_t at = transcript.find(line); at != std::string::npos;
             at = transcript.find(line, at + 1))
            ++n;
        return n;
    }
    const SeekRecord* SeekOf(CSeekView* view, const std::string& name, int minutes) {
        for (const SeekRecord& r : view->Grid().Records()) {
            if (r.name == name && r.time1 == minutes) return &r;
        }
        return nullptr;
    }

    TestServer m_server;
    QTemporaryDir m_dir;
    CProfile m_profile;
    std::unique_ptr<CMainFrame> m_main;
    QObject m_documents;
};

TEST_F(SeekGraphEndToEnd, SeeksOfOthersAppearAndAClickStartsTheGame) {
    RawClient magnus(m_server.Port());
    RawClient judit(m_server.Port());
    ASSERT_TRUE(magnus.Ok() && judit.Ok());
    magnus.Send("Magnus carlsen1\nseek 10 0 rated\n");
    // Tester is rated 1500: the standard seek is his to take, the blitz one
    // asks for 1800 to 2200.
    judit.Send(
        "Judit polgar1\nseek 15 0 unrated 1000-2000\nseek 3 0 rated 1800-2200\n"
        "seek 2 0 unrated w23\n");
    ASSERT_TRUE(Received("seek 2 0 unrated w23"));

    auto* doc = new CKordane2Doc(m_profile, &m_documents);
    doc->Params().host = "127.0.0.1";
    doc->Params().port = m_server.Port();
    doc->Params().handle = "Tester";
    doc->Params().password = "test1";
    CConsoleFrame* console = m_main->AddConnection(*doc, "Tester.kd2");
    ASSERT_TRUE(WaitFor([console] { return console->View().Tagging(); }));
    // The ratings decide eligibility; they come with the login.
    ASSERT_TRUE(WaitFor([doc] { return doc->Values().ratings.size() >= 3; }));

    // One seek graph is a start window by default: it opened at login, and
    // the login confirmation that followed gave it the handle first. Closing
    // it switches the seeks off and stores its place.
    CSeekView* first = m_main->SeekGraphs().Of(*doc);
    ASSERT_NE(first, nullptr);
    auto* firstFrame = qobject_cast<QMdiSubWindow*>(first->parentWidget());
    ASSERT_NE(firstFrame, nullptr);
    EXPECT_EQ(firstFrame->windowTitle().toStdString(), "Tester - Matches Sought");
    ASSERT_TRUE(Received("Set-2 50 1"));
    firstFrame->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(Received("Set-2 50 0"));
    EXPECT_EQ(m_main->SeekGraphs().Of(*doc), nullptr);
    EXPECT_FALSE(m_profile.GetString("Layout", "Seek_1", "").empty());

    QAction* item = m_main->ConnectionMenus().Item(QStringLiteral("Seek &Graph"));
    ASSERT_NE(item, nullptr);
    // The menu enables its items as it opens.
    if (auto* menu = qobject_cast<QMenu*>(item->parent())) emit menu->aboutToShow();
    ASSERT_TRUE(item->isEnabled());
    item->trigger();
    CSeekView* view = m_main->SeekGraphs().Of(*doc);
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(WaitFor([&] { return Count("Set-2 50 1") == 2; }));
    ASSERT_TRUE(WaitFor([&] { return view->Grid().Records().size() == 4; }));
    auto* frame = qobject_cast<QMdiSubWindow*>(view->parentWidget());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->windowTitle().toStdString(), "Matches Sought - Tester");
    // A second "Seek Graph" brings the same window forward.
    m_main->MdiArea()->setActiveSubWindow(console);
    item->trigger();
    EXPECT_EQ(m_main->SeekGraphs().Of(*doc), view);
    EXPECT_EQ(m_main->MdiArea()->activeSubWindow(), frame);

    // Pointers into the records hold only until the next datagram.
    const SeekRecord* ranged = SeekOf(view, "Judit", 15);
    const SeekRecord* blitz = SeekOf(view, "Judit", 3);
    const SeekRecord* rated = SeekOf(view, "Magnus", 10);
    ASSERT_TRUE(ranged && blitz && rated);
    EXPECT_TRUE(ranged->eligible);
    EXPECT_FALSE(blitz->eligible);
    EXPECT_TRUE(rated->eligible);
    EXPECT_EQ(rated->Description(),
              std::to_string(rated->id) + ": Magnus(GM) 2880 seeks Blitz 10 0 rated");

    // Hovering names the offer on the status line.
    frame->resize(800, 600);
    QCoreApplication::processEvents();
    const QPoint over = view->CellRect(ranged->column, ranged->row).center();
    QTest::mouseMove(view, over);
    QMouseEvent move(QEvent::MouseMove, over, view->mapToGlobal(over), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(view, &move);
    const QImage shot = view->grab().toImage();
    shot.save(m_dir.filePath("seek.png"));
    if (const char* path = std::getenv("KORDANE_SEEK_SCREENSHOT")) shot.save(path);
    // The ineligible seek is grey, the rated one solid green, the unrated
    // one white inside a green ring.
    const auto centre = [&](const SeekRecord* r) {
        return shot.pixelColor(view->CellRect(r->column, r->row).center());
    };
    EXPECT_EQ(centre(blitz), QColor(192, 192, 192));
    EXPECT_EQ(centre(rated), QColor(0, 128, 0));
    EXPECT_EQ(centre(ranged), QColor(Qt::white));

    // The grey one is refused with the explanation; nothing is sent.
    QString exclaimed;
    view->GetHooks().exclaim = [&](const QString& text) { exclaimed = text; };
    const QPoint grey = view->CellRect(blitz->column, blitz->row).center();
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, grey);
    EXPECT_EQ(exclaimed, QString::fromLatin1(CSeekView::kIneligible));

    // A fast crazyhouse seek warns twice: No to the first stops that warning
    // for good, Cancel to the second sends nothing.
    const SeekRecord* wild = SeekOf(view, "Judit", 2);
    ASSERT_NE(wild, nullptr);
    const int wildId = wild->id;
    QStringList asked;
    view->GetHooks().ask = [&](const QString& text) {
        asked << text;
        return asked.size() == 1 ? CSeekView::Answer::No : CSeekView::Answer::Cancel;
    };
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier,
                      view->CellRect(wild->column, wild->row).center());
    EXPECT_EQ(asked, QStringList({QString::fromLatin1(CSeekView::kWildWarning),
                                  QString::fromLatin1(CSeekView::kFastWarning)}));
    EXPECT_FALSE(m_main->Settings().Flag(CSettings::Option::SeekWild));
    EXPECT_TRUE(m_main->Settings().Flag(CSettings::Option::SeekFast));

    // The offerer's menu: a person command names Judit.
    view->SetMenuTarget(ranged->column, ranged->row);
    view->RunMenuCommand(CSeekView::MenuCommand::Finger, false);
    ASSERT_TRUE(Received("Finger Judit"));

    const int id = rated->id;
    view->SetMenuTarget(rated->column, rated->row);
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier,
                      view->CellRect(rated->column, rated->row).center());
    ASSERT_TRUE(Received("Play " + std::to_string(id)));
    ASSERT_TRUE(WaitFor([&] { return !CGameRegistry::ViewsOf(*doc).empty(); }))
        << m_server.Transcript();
    // Magnus's seek went with the game; Judit's stay.
    ASSERT_TRUE(WaitFor([&] { return view->Grid().Records().size() == 3; }));
    EXPECT_EQ(SeekOf(view, "Magnus", 10), nullptr);
    EXPECT_EQ(m_server.Transcript().find("Play " + std::to_string(wildId)), std::string::npos);
    // Play from the menu of a seek that has gone says so and sends nothing.
    view->RunMenuCommand(CSeekView::MenuCommand::Play, false);
    EXPECT_TRUE(WaitFor([&] {
        return console->View().Pane()->toPlainText().contains("That seek is no longer available.");
    }));
    EXPECT_EQ(m_server.Transcript().find("Play " + std::to_string(id), 0),
              m_server.Transcript().rfind("Play " + std::to_string(id)));
}

}  // namespace
