// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "game/MoveListWnd.h"

#include <QHeaderView>
#include <QScrollBar>
#include <algorithm>

CMoveListWnd::CMoveListWnd(QWidget* parent) : QTableWidget(0, 3, parent) {
    setHorizontalHeaderLabels({QString(), QStringLiteral("White"), QStringLiteral("Black")});
    verticalHeader()->hide();
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFocusPolicy(Qt::NoFocus);
    setFont(QFont(QStringLiteral("Arial"), 9));
    const QFontMetrics metrics(font());
    setColumnWidth(0, metrics.horizontalAdvance(QStringLiteral("299 ")));
    const int moveWidth = metrics.horizontalAdvance(QStringLiteral("hxg8=Q#")) + 12;
    setColumnWidth(1, moveWidth);
    setColumnWidth(2, moveWidth);
    verticalHeader()->setDefaultSectionSize(metrics.height() + 2);
    connect(this, &QTableWidget::cellClicked, this, [this](int row, int column) {
        const int ply = std::min(2 * row + column, m_count);
        selectRow(row);
        emit plyClicked(ply);
    });
}

void CMoveListWnd::Append(const QString& san, bool select) {
    const int row = m_count / 2;
    if (m_count % 2 == 0) {
        insertRow(row);
        setItem(row, 0, new QTableWidgetItem(QString::number(row + 1)));
    }
    setItem(row, m_count % 2 + 1, new QTableWidgetItem(san));
    ++m_count;
    if (select) {
        selectRow(row);
        scrollToItem(item(row, 0));
    }
}

void CMoveListWnd::Remove(int n) {
    m_count -= std::max(n, 0);
    if (m_count < 1) {
        Clear();
        return;
    }
    setRowCount((m_count + 1) / 2);
    if (m_count % 2 == 1) delete takeItem(rowCount() - 1, 2);
}

void CMoveListWnd::Clear() {
    setRowCount(0);
    m_count = 0;
}

void CMoveListWnd::SelectPly(int p) {
    const int row = p > 0 ? (p - 1) / 2 : 0;
    if (row >= rowCount()) {
        clearSelection();
        return;
    }
    selectRow(row);
    scrollToItem(item(row, 0));
}

QString CMoveListWnd::MoveText(int n) const {
    if (n < 0 || n >= m_count) return {};
    const QTableWidgetItem* cell = item(n / 2, n % 2 + 1);
    return cell ? cell->text() : QString();
}

int CMoveListWnd::MinimumListWidth() const {
    return columnWidth(0) + columnWidth(1) + columnWidth(2) + 2 * frameWidth() +
           verticalScrollBar()->sizeHint().width();
}
