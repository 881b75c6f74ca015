// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include <gtest/gtest.h>

#include <QListWidget>
#include <QTest>

#include "TestBoardHost.h"
#include "game/BoardWnd.h"
#include "game/GameShared.h"
#include "game/PlunkPanel.h"
#include "game/PromoteDlg.h"

namespace {

struct PanelFixture : ::testing::Test {
    CGameShared shared;
    TestBoardHost host{shared};
    QWidget window;
    CBoardWnd board{host, shared, &window};
    CPlunkPanel panel{host, shared, board, &window};

    PanelFixture() {
        window.resize(450, 400);
        board.setGeometry(0, 0, 400, 400);
        panel.setGeometry(400, 0, 40, 390);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    QPoint CellPoint(int cell) const {
        const int ch = panel.height() / 13;
        return {20, (12 - cell) * ch + ch / 2};
    }
};

TEST_F(PanelFixture, WhoMayTakeWhichCell) {
    struct Row {
        int wild, relation, mode;
        bool drop;
        int cell;
        bool taken;
    } rows[] = {
        {24, IBoardHost::PlaysWhite, IBoardHost::Playing, true, 5, false},
        {24, IBoardHost::PlaysWhite, IBoardHost::Playing, true, 4, true},
        {24, IBoardHost::PlaysBlack, IBoardHost::Playing, true, 7, false},
        {24, IBoardHost::PlaysBlack, IBoardHost::Playing, true, 8, true},
        {23, IBoardHost::PlaysWhite, IBoardHost::Playing, true, 0, true},
        {23, IBoardHost::PlaysWhite, IBoardHost::Playing, true, 5, true},
        {23, IBoardHost::PlaysWhite, IBoardHost::Playing, true, 6, false},
        {23, IBoardHost::PlaysBlack, IBoardHost::Playing, true, 6, false},
        {23, IBoardHost::PlaysBlack, IBoardHost::Playing, true, 12, true},
        {0, IBoardHost::PlaysWhite, IBoardHost::Playing, false, 0, false},
        {0, IBoardHost::Examines, IBoardHost::Examining, false, 6, true},
        {23, IBoardHost::Observes, IBoardHost::Observing, true, 0, false},
    };
    for (const Row& r : rows) {
        host.wild = r.wild;
        host.relation = r.relation;
        host.mode = r.mode;
        host.dropGame = r.drop;
        QTest::mousePress(&panel, Qt::LeftButton, {}, CellPoint(r.cell));
        EXPECT_EQ(panel.SelectedCell(), r.taken ? r.cell : -1)
            << "wild " << r.wild << " relation " << r.relation << " cell " << r.cell;
        QTest::mouseRelease(&panel, Qt::LeftButton, {}, CellPoint(r.cell));
        EXPECT_EQ(panel.SelectedCell(), -1);
    }
    // Released over the board, the selected piece is dropped on that square;
    // flipped, the eraser stays in the middle.
    host.mode = IBoardHost::Examining;
    host.relation = IBoardHost::Examines;
    host.moves.clear();
    panel.SetFlipped(true);
    const int ch = panel.height() / 13;
    QTest::mousePress(&panel, Qt::LeftButton, {}, {20, 6 * ch + 1});
    EXPECT_EQ(panel.SelectedCell(), 6);
    const QPoint e4 = board.SquareRect(MakeSquare('e', '4')).center();
    QTest::mouseRelease(&panel, Qt::LeftButton, {}, panel.mapFrom(&window, e4));
    ASSERT_EQ(host.moves.size(), 1u);
    EXPECT_EQ(host.moves[0], (TestBoardHost::Move{kNoSquare, MakeSquare('e', '4'), 'X'}));
}

TEST_F(PanelFixture, CountsHoldingsAndCaptures) {
    panel.SetCounts("PPNZ", "qxB");
    EXPECT_EQ(panel.Count(0), 2);
    EXPECT_EQ(panel.Count(1), 1);
    EXPECT_EQ(panel.Count(8), 1);   // q
    EXPECT_EQ(panel.Count(10), 1);  // b, from Black's upper-case letter
    EXPECT_EQ(panel.Count(6), 0);   // x names no cell
    EXPECT_EQ(panel.HoldingsMaterial(), (std::array<int, 2>{12, 5}));

    const std::vector<std::string> moves = {"e2e4", "d7d5", "e4d5p", "d8d5p",
                                            "?xe5", "b8c6", "e5d6E", "c6d4"};
    EXPECT_TRUE(panel.CountCaptures(moves, 0));
    EXPECT_EQ(panel.Count(12), 2);  // p: ply 2 and the en-passant ply 6
    EXPECT_EQ(panel.Count(0), 1);   // P: ply 3
    EXPECT_EQ(panel.Count(1), 0);
    EXPECT_FALSE(panel.CountCaptures(moves, 0));
}

TEST(PromoteDlg, ChoiceByRowAndClose) {
    struct Row {
        bool king;
        int row;
        bool accept;
        char piece;
    } rows[] = {{false, 0, true, 'N'},  {false, 1, true, 'B'}, {false, 2, true, 'R'},
                {false, -1, true, 'Q'}, {true, 4, true, 'K'},  {true, 0, false, 'Q'}};
    for (const Row& r : rows) {
        CPromoteDlg dialog(r.king);
        EXPECT_EQ(dialog.List()->count(), r.king ? 5 : 4);
        if (r.row >= 0) dialog.List()->setCurrentRow(r.row);
        if (r.accept)
            dialog.accept();
        else
            dialog.reject();
        EXPECT_EQ(dialog.Choice(), r.piece) << r.row;
    }
}

}  // namespace
