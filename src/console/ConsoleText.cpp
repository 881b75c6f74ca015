// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "console/ConsoleText.h"

#include <QAbstractTextDocumentLayout>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>

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
        const QString link = LinkTextAt(event->position().toPoint());
        if (!link.isEmpty()) {
            event->accept();
            emit linkPressed(link, event->modifiers() & Qt::ControlModifier);
            return;
        }
    }
    QTextBrowser::mousePressEvent(event);
}

QString CConsoleText::LinkTextAt(QPoint point) const {
    if (anchorAt(point).isEmpty()) return {};
    const QPoint inDocument =
        point + QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
    const int at = document()->documentLayout()->hitTest(inDocument, Qt::ExactHit);
    if (at < 0) return {};
    // Links carry no text of their own (one format for every link keeps the
    // document's format table from growing with each line): the link is the
    // stretch of linked characters around the click.
    QString text;
    bool covers = false;
    for (auto it = document()->findBlock(at).begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (!fragment.charFormat().isAnchor()) {
            if (covers) break;
            text.clear();
            continue;
        }
        text += fragment.text();
        covers =
            covers || (at >= fragment.position() && at < fragment.position() + fragment.length());
    }
    return covers ? text : QString();
}

void CConsoleText::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    emit contextMenuRequested(event->globalPos());
}
