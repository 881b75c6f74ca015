// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QString>

class CGameView;
class QPainter;
class QPrinter;
class QRect;

// Prints a game window on one page: the board in plain print colours at the
// top left, the players, the time control and the shown move beside it, and
// the whole score below. The window's own board settings are untouched.
class CGamePrinter {
  public:
    static void Print(CGameView& view, QPrinter& printer);
    // Paints the page on `painter` (a printer's or a preview's).
    static void Paint(CGameView& view, QPainter& painter, const QRect& page);

    // The information line without its parenthesised suffix: cut before the
    // blank that precedes a "(" found past the second character.
    static QString WithoutSuffix(const QString& info);
    // "1. e4 e5 2. Nf3 1-0": every move, numbered before White's, then the
    // result.
    static QString ScoreText(const CGameView& view);
};
