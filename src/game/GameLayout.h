// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QRect>
#include <array>

// Where the children of a game window go, as plain arithmetic: the game view
// fills in the sizes it knows and places its widgets at the rectangles that
// come back. Portrait windows stack labels, clocks and buttons around a
// centred board; landscape windows put everything in a column to the right
// of the board. Empty rectangles mean hidden.
class CGameLayout {
  public:
    // The seven buttons in the order of their commands.
    enum Button { Draw = 0, Resign, Actions, First, Back, Forward, Last, kButtons };
    enum class Buttons { None, Playing, Examining };

    struct Input {
        int width = 0;
        int height = 0;  // the upper pane: the view's height less the console
        bool flipped = false;
        bool panelShown = false;
        Buttons buttons = Buttons::None;
        int buttonWidth = 0;
        int scrollBarHeight = 16;
        int moveListMinWidth = 0;
    };
    struct Rects {
        QRect board, panel;
        QRect whiteLabel, blackLabel, whiteClock, blackClock;
        QRect infoLine, scrollBar, moveList;
        // The strip the buttons sit in, repainted as a whole.
        QRect buttonStrip;
        std::array<QRect, kButtons> buttons;
        bool landscape = false;
        int unit = 0;
    };

    static Rects Compute(const Input& in);

    // The border difference of the splitter: the system border width less
    // half the sizing-frame width, -1 with the usual metrics.
    static constexpr int kSplitDelta = -1;
    static constexpr int kDefaultConsoleHeight = 80;
    // The console height for an upper pane dragged to `upperHeight` in a view
    // `viewHeight` high: a console lower than 55 - d is refused and becomes
    // 60 - d.
    static int ConsoleHeightForSplit(int viewHeight, int upperHeight, int d = kSplitDelta);
    // The label and button fonts' pixel heights for an upper pane of height h.
    static int LabelFontPixels(int h);
    static int ButtonFontPixels(int h);
};
