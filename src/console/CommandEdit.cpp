// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "console/CommandEdit.h"

#include <QKeyEvent>

#include "console/ConsoleText.h"

CCommandEdit::CCommandEdit(CConsoleText& pane, QWidget* parent) : QLineEdit(parent), m_pane(pane) {
    setMaxLength(kMaxLength);
}

bool CCommandEdit::event(QEvent* event) {
    // Tab would move the focus out of the box; here it steps the helper list.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            const bool back =
                key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier);
            emit helperStep(back ? -1 : 1);
            return true;
        }
    }
    return QLineEdit::event(event);
}

void CCommandEdit::keyPressEvent(QKeyEvent* event) {
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
        case Qt::Key_Up:
            if (ctrl) {
                m_pane.ScrollLines(-1);
            } else {
                ShowHistory(+1);
            }
            return;
        case Qt::Key_Down:
            if (ctrl) {
                m_pane.ScrollLines(1);
            } else {
                ShowHistory(-1);
            }
            return;
        case Qt::Key_PageUp:
            m_pane.ScrollPage(false);
            return;
        case Qt::Key_PageDown:
            m_pane.ScrollPage(true);
            return;
        case Qt::Key_Home:
        case Qt::Key_End:
            if (ctrl) {
                if (event->key() == Qt::Key_Home) {
                    m_pane.ScrollToTop();
                } else {
                    m_pane.ScrollToBottom();
                }
                return;
            }
            break;
        case Qt::Key_F9:
            if (m_lastTeller)
                setText(QStringLiteral("/Tell ") + m_lastTeller() + QStringLiteral("! "));
            return;
        case Qt::Key_Escape:
            clear();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Enter(ctrl ? kCtrlReturn : kReturn);
            return;
        default:
            break;
    }
    QLineEdit::keyPressEvent(event);
}

void CCommandEdit::ShowHistory(int step) {
    m_historyPos += step;
    if (m_historyPos >= kHistorySize) m_historyPos = 0;
    if (m_historyPos < 0) m_historyPos = kHistorySize - 1;
    setText(m_history[static_cast<size_t>(m_historyPos)]);
}

void CCommandEdit::Enter(int code) {
    for (size_t i = m_history.size() - 1; i > 0; --i) m_history[i] = m_history[i - 1];
    m_history[0] = text();
    m_historyPos = -1;
    emit enterPressed(code);
    clear();
}
