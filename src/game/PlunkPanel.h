// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QFont>
#include <QWidget>
#include <array>
#include <string>
#include <string_view>
#include <vector>

class CBoardWnd;
class CGameShared;
class IBoardHost;

// The narrow column beside the board ("PlunkPanel"): thirteen cells for
// "PNBRQKXkqrbnp" showing captured pieces, the pieces in hand of a drop game,
// or the set-up palette of an examined game ('X' erases). Pressing a cell and
// releasing over the board drops that piece.
class CPlunkPanel : public QWidget {
    Q_OBJECT
  public:
    static constexpr std::string_view kCells = "PNBRQKXkqrbnp";

    CPlunkPanel(IBoardHost& host, CGameShared& shared, CBoardWnd& board, QWidget* parent = nullptr);

    // White's letters count in the upper-case cells, Black's in the
    // lower-case ones; letters that name no cell are ignored.
    void SetCounts(std::string_view white, std::string_view black);
    // Captures from Smith moves (index = ply); repaints only on a change.
    // Returns whether a count changed.
    bool CountCaptures(const std::vector<std::string>& moves, int startPly);
    int Count(int cell) const { return m_counts.at(static_cast<size_t>(cell)); }
    // Material of the holdings: [0] Black, [1] White.
    std::array<int, 2> HoldingsMaterial() const;
    void SetFlipped(bool flipped);
    int SelectedCell() const { return m_selected; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    // Cell index (0 = 'P') of a point, or -1 below the last cell.
    int CellAt(QPoint p) const;
    QRect CellRect(int cell) const;
    int CellHeight() const { return height() / 13; }

    IBoardHost& m_host;
    CGameShared& m_shared;
    CBoardWnd& m_board;
    std::array<int, 13> m_counts{};
    int m_selected = -1;
    bool m_flipped = false;
    QFont m_countFont;
};
