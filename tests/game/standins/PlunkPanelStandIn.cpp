// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
// Test stand-in for the piece panel until its real source is in the tree:
// counts the letters it is given. Not part of any program.
#include <QPainter>

#include "game/PlunkPanel.h"

CPlunkPanel::CPlunkPanel(IBoardHost& host, CGameShared& shared, CBoardWnd& board, QWidget* parent)
    : QWidget(parent), m_host(host), m_shared(shared), m_board(board) {}
void CPlunkPanel::SetCounts(std::string_view white, std::string_view black) {
    m_counts.fill(0);
    for (char c : white) {
        const size_t at = kCells.find(static_cast<char>(std::toupper(c)));
        if (at != std::string_view::npos && at < 6) ++m_counts[at];
    }
    for (char c : black) {
        const size_t at = kCells.rfind(static_cast<char>(std::tolower(c)));
        if (at != std::string_view::npos && at > 6) ++m_counts[at];
    }
}
bool CPlunkPanel::CountCaptures(const std::vector<std::string>&, int) {
    return false;
}
std::array<int, 2> CPlunkPanel::HoldingsMaterial() const {
    return {0, 0};
}
void CPlunkPanel::SetFlipped(bool flipped) {
    m_flipped = flipped;
}
void CPlunkPanel::paintEvent(QPaintEvent*) {}
void CPlunkPanel::resizeEvent(QResizeEvent*) {}
void CPlunkPanel::mousePressEvent(QMouseEvent*) {}
void CPlunkPanel::mouseReleaseEvent(QMouseEvent*) {}
