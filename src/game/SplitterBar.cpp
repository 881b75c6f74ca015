// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "game/SplitterBar.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <algorithm>

CSplitterBar::CSplitterBar(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::SizeVerCursor);
}

void CSplitterBar::SetLimits(int top, int bottom) {
    m_top = top;
    m_bottom = std::max(top, bottom);
}

void CSplitterBar::PlaceAt(int y, int width) {
    setGeometry(0, y - kThickness / 2, width, kThickness);
}

int CSplitterBar::Clamp(int y) const {
    return std::clamp(y, m_top, m_bottom);
}

void CSplitterBar::paintEvent(QPaintEvent* /*event*/) {
    // A raised edge: light above, shadow below.
    QPainter painter(this);
    const QPalette& p = palette();
    painter.fillRect(rect(), p.color(QPalette::Button));
    painter.setPen(p.color(QPalette::Light));
    painter.drawLine(0, 0, width() - 1, 0);
    painter.setPen(p.color(QPalette::Dark));
    painter.drawLine(0, height() - 1, width() - 1, height() - 1);
}

void CSplitterBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !parentWidget()) return;
    m_dragging = true;
    if (!m_band) m_band = new QRubberBand(QRubberBand::Line, parentWidget());
    m_band->setGeometry(geometry());
    m_band->show();
}

void CSplitterBar::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragging) return;
    const int y = Clamp(mapToParent(event->position().toPoint()).y());
    m_band->setGeometry(0, y - kThickness / 2, width(), kThickness);
}

void CSplitterBar::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_dragging) return;
    m_dragging = false;
    if (m_band) m_band->hide();
    const int y = Clamp(mapToParent(event->position().toPoint()).y());
    emit moved(y);
}
