// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QString>
#include <QTableWidget>

// The move list beside the board: one row per move pair, the move number in
// the first column, White's move in "White" and Black's in "Black". The game
// view appends and removes moves as the game changes, and hears which ply the
// user clicked to browse to.
class CMoveListWnd : public QTableWidget {
    Q_OBJECT
  public:
    explicit CMoveListWnd(QWidget* parent = nullptr);

    // Move `Count()` goes to row Count()/2, column Count()%2 + 1; a White
    // move starts its row. `select` scrolls the new row into view.
    void Append(const QString& san, bool select);
    void Remove(int n);
    void Clear();
    // Selects the row holding move p (row 0 for the start).
    void SelectPly(int p);
    int Count() const { return m_count; }
    // The text of move n (0-based), empty when there is none.
    QString MoveText(int n) const;
    // The narrowest the list may be with all three columns in view.
    int MinimumListWidth() const;

  signals:
    // The user clicked a cell: the position after that move (before it, for
    // the number column).
    void plyClicked(int ply);

  private:
    int m_count = 0;
};
