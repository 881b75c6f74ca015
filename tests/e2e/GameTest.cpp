// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// A whole game between two logged-in clients through the test server, moved
// with the mouse on the real board widgets, while a third client observes.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <map>
#include <string_view>

#include "app/MainFrame.h"
#include "console/CommandEdit.h"
#include "console/ConsoleFrame.h"
#include "console/ConsoleView.h"
#include "console/ConsoleWnd.h"
#include "e2e/ServerFixture.h"
#include "game/BoardWnd.h"
#include "game/GameCommands.h"
#include "game/GamePrinter.h"
#include "game/GameRegistry.h"
#include "game/GameShared.h"
#include "game/GameView.h"
#include "game/PlunkPanel.h"

namespace {

class GameEndToEnd : public ::testing::Test {
  protected:
    GameEndToEnd() : m_profile(m_dir.filePath("settings.ini").toStdString()) {
        m_main = std::make_unique<CMainFrame>(m_profile);
        m_main->resize(1400, 1000);
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
    CGameView* GameOf(CConsoleFrame* frame) {
        const auto views = CGameRegistry::ViewsOf(*m_docs[frame]);
        return views.empty() ? nullptr : views.back();
    }
    bool Received(const std::string& line) {
        return WaitFor([&] { return m_server.Transcript().find(line) != std::string::npos; });
    }
    void SetDragMove(bool drag) {
        CBoardOptions options = m_main->GameShared().Options();
        options.dragMove = drag;
        options.dragType = drag ? CBoardOptions::DragNormal : CBoardOptions::DragTargetCursor;
        options.animateMoves = false;
        m_main->GameShared().SetOptions(options);
    }
    static QPoint Centre(CGameView* view, const char* square) {
        return view->Board()->SquareRect(MakeSquare(square[0], square[1])).center();
    }
    // Press on one square, move, release on the other.
    static void Drag(CGameView* view, const char* from, const char* to) {
        CBoardWnd* board = view->Board();
        QTest::mousePress(board, Qt::LeftButton, Qt::NoModifier, Centre(view, from));
        QMouseEvent move(QEvent::MouseMove, Centre(view, to), board->mapToGlobal(Centre(view, to)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(board, &move);
        QTest::mouseRelease(board, Qt::LeftButton, Qt::NoModifier, Centre(view, to));
    }
    // Click the piece, then click the target.
    static void ClickClick(CGameView* view, const char* from, const char* to) {
        QTest::mouseClick(view->Board(), Qt::LeftButton, Qt::NoModifier, Centre(view, from));
        QTest::mouseClick(view->Board(), Qt::LeftButton, Qt::NoModifier, Centre(view, to));
    }
    // Every client has seen `ply` half moves of the game.
    bool AllAt(const std::vector<CGameView*>& views, int ply) {
        return WaitFor([&] {
            for (CGameView* v : views) {
                if (v->Record().Ply() != ply || v->PendingCount() != 0) return false;
            }
            return true;
        });
    }

    // Press on a cell of the piece panel and let go over a square.
    static void DropFromPanel(CGameView* view, char letter, const char* square) {
        CPlunkPanel* panel = view->Panel();
        const int cellHeight = panel->height() / 13;
        const int cell = static_cast<int>(CPlunkPanel::kCells.find(letter));
        const int row = view->Flipped() ? cell : 12 - cell;
        const QPoint press(panel->width() / 2, row * cellHeight + cellHeight / 2);
        const QPoint over = panel->mapFromGlobal(view->Board()->mapToGlobal(Centre(view, square)));
        QTest::mousePress(panel, Qt::LeftButton, Qt::NoModifier, press);
        QTest::mouseRelease(panel, Qt::LeftButton, Qt::NoModifier, over);
    }

    TestServer m_server;
    QTemporaryDir m_dir;
    CProfile m_profile;
    std::unique_ptr<CMainFrame> m_main;
    QObject m_documents;
    std::map<CConsoleFrame*, CKordane2Doc*> m_docs;
};

TEST_F(GameEndToEnd, TwoPlayersAndAnObserverPlayAGameByMouse) {
    CConsoleFrame* tester = Connect("Tester", "test1");
    CConsoleFrame* magnus = Connect("Magnus", "carlsen1");
    CConsoleFrame* judit = Connect("Judit", "polgar1");

    Type(tester, "match Magnus 5 0 white");
    ASSERT_TRUE(Received("match Magnus 5 0 white"));
    Type(magnus, "accept Tester");
    ASSERT_TRUE(WaitFor([&] { return GameOf(tester) && GameOf(magnus); })) << m_server.Transcript();
    CGameView* white = GameOf(tester);
    CGameView* black = GameOf(magnus);
    ASSERT_TRUE(WaitFor([&] {
        return white->Mode() == IBoardHost::Playing && black->Mode() == IBoardHost::Playing;
    }));
    EXPECT_EQ(white->Relation(), IBoardHost::PlaysWhite);
    EXPECT_EQ(black->Relation(), IBoardHost::PlaysBlack);
    const int game = white->GameNumber();
    ASSERT_GE(game, 1);
    Type(judit, QString("observe %1").arg(game));
    ASSERT_TRUE(
        WaitFor([&] { return GameOf(judit) && GameOf(judit)->Mode() == IBoardHost::Observing; }));
    CGameView* observer = GameOf(judit);
    const std::vector<CGameView*> all = {white, black, observer};
    ASSERT_TRUE(AllAt(all, 0));

    // White drags, Black clicks twice.
    const auto play = [&](const char* from, const char* to, int ply) {
        CGameView* mover = ply % 2 == 0 ? white : black;
        SetDragMove(ply % 2 == 0);
        if (ply % 2 == 0) {
            Drag(mover, from, to);
        } else {
            ClickClick(mover, from, to);
        }
        ASSERT_TRUE(AllAt(all, ply + 1)) << from << to << "\n" << m_server.Transcript();
    };
    play("e2", "e4", 0);
    play("g8", "f6", 1);
    play("b1", "c3", 2);
    play("b8", "c6", 3);

    // Take back the last two half moves: White asks from the Actions menu,
    // Black agrees in the game console.
    const auto& items = CGameCommands::ActionItems();
    const auto takeback = std::find_if(items.begin(), items.end(), [](const auto& item) {
        return std::string_view(item.text) == "&Takeback 2";
    });
    ASSERT_NE(takeback, items.end());
    white->Commands().OnAction(static_cast<int>(takeback - items.begin()));
    ASSERT_TRUE(Received("Takeback 2"));
    black->Console()->Entry()->setText("takeback 2");
    QKeyEvent ret(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
    QCoreApplication::sendEvent(black->Console()->Entry(), &ret);
    ASSERT_TRUE(AllAt(all, 2)) << m_server.Transcript();
    EXPECT_EQ(observer->Record().Board().View(), white->Record().Board().View());

    play("e4", "e5", 2);
    play("d7", "d5", 3);
    play("e5", "d6", 4);  // en passant
    EXPECT_EQ(observer->Record().Board().At(3, 3), '-') << "the d5 pawn is taken";
    play("e7", "e6", 5);
    play("d6", "c7", 6);
    play("f8", "e7", 7);
    white->GetHooks().askPromotion = [](QWidget*, bool) { return 'N'; };
    play("c7", "b8", 8);  // takes the knight and becomes a knight
    EXPECT_EQ(observer->Record().Board().At(1, 0), 'N');
    play("e8", "g8", 9);  // castles
    EXPECT_EQ(observer->Record().Board().At(5, 0), 'r');
    EXPECT_EQ(observer->Record().Board().At(6, 0), 'k');

    // Black resigns with the button and confirms.
    black->GetHooks().confirm = [](QWidget*, const QString&) { return true; };
    black->Button(1)->click();
    // The observer keeps the result; the players go on to examine the game,
    // as their "examine" variable asks, in the same windows.
    ASSERT_TRUE(WaitFor([&] {
        return observer->Result() == "1-0" && observer->Mode() == IBoardHost::Inactive;
    })) << m_server.Transcript();
    ASSERT_TRUE(WaitFor([&] {
        return white->Mode() == IBoardHost::Examining && black->Mode() == IBoardHost::Examining &&
               white->Record().Ply() == 10;
    }));
    EXPECT_EQ(CGameRegistry::ViewsOf(*m_docs[tester]).size(), 1u) << "no second window";
    const std::string transcript = m_server.Transcript();
    for (const char* sent : {"e2e4", "g8f6", "e5d6", "c7b8=N", "e8g8", "Resign"}) {
        EXPECT_NE(transcript.find(sent), std::string::npos) << sent;
    }
    const std::string tagged = "`" + std::to_string(white->CommandTag()) + "`e2e4";
    EXPECT_NE(transcript.find(tagged), std::string::npos) << "moves carry the window's tag";
    m_main->grab().save(m_dir.filePath("game.png"));
    if (const char* shot = std::getenv("KORDANE_GAME_SCREENSHOT")) m_main->grab().save(shot);
    if (const char* pdf = std::getenv("KORDANE_GAME_PDF")) {
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        CGamePrinter::Print(*observer, printer);
    }
}

TEST_F(GameEndToEnd, CrazyhouseCapturesGoToTheHandAndDropFromThePanel) {
    CConsoleFrame* tester = Connect("Tester", "test1");
    CConsoleFrame* magnus = Connect("Magnus", "carlsen1");
    Type(tester, "match Magnus 3 0 white w23");
    ASSERT_TRUE(Received("match Magnus 3 0 white w23"));
    Type(magnus, "accept Tester");
    ASSERT_TRUE(WaitFor([&] {
        return GameOf(tester) && GameOf(magnus) && GameOf(tester)->Mode() == IBoardHost::Playing &&
               GameOf(magnus)->Mode() == IBoardHost::Playing;
    })) << m_server.Transcript();
    CGameView* white = GameOf(tester);
    CGameView* black = GameOf(magnus);
    EXPECT_TRUE(white->DropGame());
    EXPECT_TRUE(black->Flipped()) << "Black's board is turned";
    EXPECT_FALSE(white->Panel()->geometry().isEmpty()) << "the panel shows the hands";
    const std::vector<CGameView*> both = {white, black};
    SetDragMove(true);
    Drag(white, "e2", "e4");
    ASSERT_TRUE(AllAt(both, 1));
    Drag(black, "d7", "d5");
    ASSERT_TRUE(AllAt(both, 2));
    Drag(white, "e4", "d5");
    ASSERT_TRUE(AllAt(both, 3));
    // The taken pawn is in White's hand on both boards.
    const int pawnCell = static_cast<int>(CPlunkPanel::kCells.find('P'));
    ASSERT_TRUE(WaitFor([&] {
        return white->Panel()->Count(pawnCell) == 1 && black->Panel()->Count(pawnCell) == 1;
    }));
    Drag(black, "d8", "d5");
    ASSERT_TRUE(AllAt(both, 4));
    DropFromPanel(white, 'P', "e4");
    ASSERT_TRUE(AllAt(both, 5)) << m_server.Transcript();
    EXPECT_EQ(black->Record().Board().At(4, 4), 'P') << "the pawn stands on e4";
    EXPECT_TRUE(WaitFor([&] { return white->Panel()->Count(pawnCell) == 0; }));
    EXPECT_TRUE(Received("P@e4"));
}

}  // namespace
