// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "game/GameLayout.h"

#include <algorithm>

namespace {

// Lays out the shown buttons left to right in the strip (x, y, width, h):
// playing shows "Actions", "Draw", "Resign"; examining the four navigation
// buttons.
void PlaceButtons(CGameLayout::Rects& out, CGameLayout::Buttons kind, int buttonWidth, int x, int y,
                  int width, int h) {
    out.buttonStrip = QRect(x, y, width, h);
    if (kind == CGameLayout::Buttons::Playing) {
        const int w = std::min(buttonWidth, width / 3);
        const int gap = (width - 3 * w) / 2;
        const CGameLayout::Button order[] = {CGameLayout::Actions, CGameLayout::Draw,
                                             CGameLayout::Resign};
        for (int k = 0; k < 3; ++k) out.buttons[order[k]] = QRect(x + k * (w + gap), y, w, h);
    } else if (kind == CGameLayout::Buttons::Examining) {
        const int w = std::min(buttonWidth, width / 4);
        const int gap = (width - 4 * w) / 3;
        for (int k = 0; k < 4; ++k) {
            out.buttons[CGameLayout::First + k] = QRect(x + k * (w + gap), y, w, h);
        }
    }
}

}  // namespace

CGameLayout::Rects CGameLayout::Compute(const Input& in) {
    Rects out;
    const int W = std::max(in.width, 0);
    const int H = std::max(in.height, 0);
    const int u = H / 25 + 1;
    out.unit = u;
    QRect topLabel, topClock, bottomLabel, bottomClock;
    if (H * 1.2 >= W) {
        const int left = 3 * W / 4;
        out.infoLine = QRect(0, 0, left, u);
        out.scrollBar = QRect(left, 0, W - left, u);
        topLabel = QRect(0, u, left, u);
        topClock = QRect(left, u, W - left, u);
        int b = H - 5 * u;
        int x = 0;
        if (b + b / 13 + 2 > W) {
            b = (13 * W - 26) / 14;
        } else {
            x = (W - (b + b / 13 + 2)) / 2;
        }
        b = std::max(b, 0);
        out.board = QRect(x, 2 * u, b, b);
        if (in.panelShown) {
            const int cell = std::max((b - 1) / 13, 0);
            out.panel = QRect(x + b + 2, 2 * u + (b - 13 * cell) / 2, cell, 13 * cell);
        }
        bottomLabel = QRect(0, b + 2 * u, left, u);
        bottomClock = QRect(left, b + 2 * u, W - left, u);
        PlaceButtons(out, in.buttons, in.buttonWidth, W / 4, b + 3 * u, W / 2, 2 * u);
    } else {
        out.landscape = true;
        out.board = QRect(0, 0, H, std::max(H - 1, 0));
        int x1 = H + 5;
        if (in.panelShown) {
            const int cell = std::max((H - 1) / 13, 0);
            out.panel = QRect(H + 2, (H - 13 * cell) / 2, cell, 13 * cell);
            x1 = H + 5 + cell + 2;
        }
        const int R = std::max(W - x1, 0);
        const int S = in.scrollBarHeight;
        topLabel = QRect(x1, 0, R, u);
        topClock = QRect(x1, u, R, 2 * u);
        bottomClock = QRect(x1, H - 3 * u, R, 2 * u);
        bottomLabel = QRect(x1, H - u, R, u);
        out.infoLine = QRect(x1, 4 * u, R, u);
        out.scrollBar = QRect(x1, 5 * u, R, S);
        PlaceButtons(out, in.buttons, in.buttonWidth, x1, H - 5 * u, R, 2 * u);
        if (in.moveListMinWidth <= R) out.moveList = QRect(x1, S + 6 * u, R, H - 11 * u - S);
    }
    // Black sits on top unless the board is flipped.
    out.blackLabel = in.flipped ? bottomLabel : topLabel;
    out.blackClock = in.flipped ? bottomClock : topClock;
    out.whiteLabel = in.flipped ? topLabel : bottomLabel;
    out.whiteClock = in.flipped ? topClock : bottomClock;
    return out;
}

int CGameLayout::ConsoleHeightForSplit(int viewHeight, int upperHeight, int d) {
    const int console = viewHeight - upperHeight;
    return console < 55 - d ? 60 - d : console;
}

int CGameLayout::LabelFontPixels(int h) {
    return std::max(h / 25 - 1, 1);
}

int CGameLayout::ButtonFontPixels(int h) {
    return std::max(h / 25 - 2, 1);
}
