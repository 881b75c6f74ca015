// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "console/ConsoleText.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

CConsoleText::CConsoleText(QWidget* parent) : QTextBrowser(parent) {
    // Server text is never markup and never a link target of the browser's
    // own: a click on an unknown link would otherwise wipe the pane.
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setUndoRedoEnabled(false);
    setFocusPolicy(Qt::ClickFocus);
}

int CConsoleText::LineHeight() const {
    return qMax(1, fontMetrics().lineSpacing());
}

void CConsoleText::ScrollLines(int lines) {
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->value() + lines * LineHeight());
}

void CConsoleText::ScrollPage(bool down) {
    QScrollBar* bar = verticalScrollBar();
    bar->triggerAction(down ? QAbstractSlider::SliderPageStepAdd
                            : QAbstractSlider::SliderPageStepSub);
    if (down && bar->maximum() - bar->value() <= LineHeight()) bar->setValue(bar->maximum());
}

void CConsoleText::ScrollToTop() {
    verticalScrollBar()->setValue(0);
}

void CConsoleText::ScrollToBottom() {
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void CConsoleText::keyPressEvent(QKeyEvent* event) {
    const bool paging = event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown;
    if (!m_entry || paging || (event->modifiers() & Qt::ControlModifier) ||
        event->text().isEmpty()) {
        QTextBrowser::keyPressEvent(event);
        return;
    }
    m_entry->setFocus();
    QCoreApplication::sendEvent(m_entry, event);
}

void CConsoleText::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const QString link = anchorAt(event->position().toPoint());
        if (!link.isEmpty()) {
            event->accept();
            emit linkPressed(link, event->modifiers() & Qt::ControlModifier);
            return;
        }
    }
    QTextBrowser::mousePressEvent(event);
}

void CConsoleText::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    emit contextMenuRequested(event->globalPos());
}
