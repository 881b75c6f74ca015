// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "game/LabelWnd.h"

#include <QContextMenuEvent>
#include <QPainter>

CLabelWnd::CLabelWnd(const QString& name, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
}

void CLabelWnd::SetText(const QString& text) {
    if (text == m_text) return;
    m_text = text;
    update();
}

void CLabelWnd::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setFont(font());
    // Server text: drawn as it stands, never as markup.
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_text);
}

void CLabelWnd::contextMenuEvent(QContextMenuEvent* event) {
    // Below the label's left edge, as a menu of this label.
    emit popupRequested(mapToGlobal(QPoint(0, height())));
    event->accept();
}
