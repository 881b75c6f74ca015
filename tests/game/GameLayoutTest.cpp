// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// The game window's arithmetic: where the board, labels, clocks and buttons
// go for a window size, and the splitter's limit on the console.
#include <gtest/gtest.h>

#include "game/GameLayout.h"

namespace {

TEST(GameLayoutTest, LandscapePutsTheColumnRightOfTheBoard) {
    CGameLayout::Input in;
    in.width = 600;
    in.height = 320;
    in.buttons = CGameLayout::Buttons::Playing;
    in.buttonWidth = 60;
    const CGameLayout::Rects r = CGameLayout::Compute(in);
    EXPECT_TRUE(r.landscape);
    EXPECT_EQ(r.unit, 13);
    EXPECT_EQ(r.board, QRect(0, 0, 320, 319));
    for (const QRect& q : {r.blackLabel, r.blackClock, r.whiteClock, r.whiteLabel, r.infoLine}) {
        EXPECT_EQ(q.x(), 325);
        EXPECT_EQ(q.width(), 275);
    }
    EXPECT_EQ(r.blackLabel.y(), 0);
    EXPECT_EQ(r.whiteLabel.y(), 320 - 13);
    // "Actions", "Draw", "Resign" from left to right, the navigation hidden.
    EXPECT_LT(r.buttons[CGameLayout::Actions].x(), r.buttons[CGameLayout::Draw].x());
    EXPECT_LT(r.buttons[CGameLayout::Draw].x(), r.buttons[CGameLayout::Resign].x());
    // The last button ends at the column's edge, less what the gaps' rounding
    // leaves.
    EXPECT_GE(r.buttons[CGameLayout::Resign].right(), 598);
    EXPECT_LE(r.buttons[CGameLayout::Resign].right(), 599);
    EXPECT_TRUE(r.buttons[CGameLayout::Back].isEmpty());
}

TEST(GameLayoutTest, PortraitCentresTheBoardWithThePanelBesideIt) {
    CGameLayout::Input in;
    in.width = 400;
    in.height = 520;
    in.panelShown = true;
    in.flipped = true;
    const CGameLayout::Rects r = CGameLayout::Compute(in);
    EXPECT_FALSE(r.landscape);
    const int u = 520 / 25 + 1;
    const int b = (13 * 400 - 26) / 14;
    EXPECT_EQ(r.board, QRect(0, 2 * u, b, b));
    EXPECT_EQ(r.panel.x(), b + 2);
    EXPECT_LE(r.panel.right(), 399);
    // Flipped: White's label and clock on top, Black's below the board.
    EXPECT_EQ(r.whiteLabel, QRect(0, u, 300, u));
    EXPECT_EQ(r.blackClock, QRect(300, b + 2 * u, 100, u));

    in.width = 600;
    in.panelShown = false;
    const CGameLayout::Rects wide = CGameLayout::Compute(in);
    const int side = 520 - 5 * u;
    EXPECT_EQ(wide.board.x(), (600 - (side + side / 13 + 2)) / 2);
}

TEST(GameLayoutTest, TheSplitterRefusesAConsoleTooLow) {
    EXPECT_EQ(CGameLayout::ConsoleHeightForSplit(400, 370), 61);
    EXPECT_EQ(CGameLayout::ConsoleHeightForSplit(400, 344), 56);
    EXPECT_EQ(CGameLayout::ConsoleHeightForSplit(400, 345), 61);
}

}  // namespace
