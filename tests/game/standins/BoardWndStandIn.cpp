// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
// Test stand-in for the board window until its real source is in the tree:
// it keeps the marks it is given so that tests can read them, and paints a
// plain rectangle. Not part of any program.
#include <QPainter>

#include "game/BoardHost.h"
#include "game/BoardWnd.h"

CBoardWnd::CBoardWnd(IBoardHost& host, CGameShared& shared, QWidget* parent)
    : QWidget(parent), m_host(host), m_shared(shared) {}
CBoardWnd::~CBoardWnd() = default;
void CBoardWnd::RecomputeGeometry() {
    m_squareWidth = width() / 8;
    m_squareHeight = height() / 8;
}
void CBoardWnd::SetLastMove(std::string_view move) {
    m_lastFrom = SquareAt(move, 0);
    m_lastTo = SquareAt(move, 2);
}
void CBoardWnd::AddArrow(SquareCode from, SquareCode to) {
    m_arrowFrom.push_back(from);
    m_arrowTo.push_back(to);
}
void CBoardWnd::ClearArrows() {
    m_arrowFrom.clear();
    m_arrowTo.clear();
}
void CBoardWnd::RemoveArrow(SquareCode from, SquareCode to) {
    for (size_t i = 0; i < m_arrowFrom.size(); ++i) {
        if (m_arrowFrom[i] == from && m_arrowTo[i] == to) {
            m_arrowFrom.erase(m_arrowFrom.begin() + static_cast<long>(i));
            m_arrowTo.erase(m_arrowTo.begin() + static_cast<long>(i));
            return;
        }
    }
}
void CBoardWnd::AddCircle(SquareCode square) {
    m_circles.push_back(square);
}
void CBoardWnd::ClearCircles() {
    m_circles.clear();
}
void CBoardWnd::RemoveCircle(SquareCode square) {
    std::erase(m_circles, square);
}
void CBoardWnd::StartAnimation(std::string_view) {}
void CBoardWnd::SetFlipped(bool flipped) {
    m_flipped = flipped;
}
void CBoardWnd::InvalidateSquare(SquareCode) {}
void CBoardWnd::InvalidateMoveExtras(std::string_view) {}
void CBoardWnd::InvalidateBoard() {
    update();
}
void CBoardWnd::CancelDrag() {
    m_dragFrom = kNoSquare;
    m_dragPiece = '-';
}
void CBoardWnd::CancelDragIfMoved() {}
SquareCode CBoardWnd::SquareAtPoint(QPoint) const {
    return kNoSquare;
}
QPoint CBoardWnd::SquareTopLeft(SquareCode) const {
    return {};
}
QRect CBoardWnd::SquareRect(SquareCode) const {
    return {};
}
void CBoardWnd::PaintBoard(QPainter& painter, const QRect& clip, const CBoardOptions&) {
    painter.fillRect(clip, Qt::gray);
}
void CBoardWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::darkGreen);
}
void CBoardWnd::resizeEvent(QResizeEvent*) {
    RecomputeGeometry();
}
void CBoardWnd::mousePressEvent(QMouseEvent*) {}
void CBoardWnd::mouseMoveEvent(QMouseEvent*) {}
void CBoardWnd::mouseReleaseEvent(QMouseEvent*) {}
void CBoardWnd::timerEvent(QTimerEvent*) {}
