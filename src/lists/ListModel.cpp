// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "lists/ListModel.h"

#include <algorithm>
#include <numeric>

CListModel::CListModel(QObject* parent) : QAbstractTableModel(parent) {}

CListModel::~CListModel() = default;

int CListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int CListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_headings.size());
}

QVariant CListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole) return {};
    return Cell(index.row(), index.column());
}

QVariant CListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return Heading(section);
}

void CListModel::SetHeading(int column, const QString& heading) {
    if (column < 0) return;
    const int count = static_cast<int>(m_headings.size());
    if (column >= count) {
        beginInsertColumns(QModelIndex(), count, column);
        m_headings.resize(static_cast<size_t>(column) + 1);
        m_headings[static_cast<size_t>(column)] = heading;
        endInsertColumns();
        return;
    }
    m_headings[static_cast<size_t>(column)] = heading;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

QString CListModel::Heading(int column) const {
    if (column < 0 || column >= static_cast<int>(m_headings.size())) return {};
    return m_headings[static_cast<size_t>(column)];
}

int CListModel::AppendRow(const QString& key, std::unique_ptr<Record> record) {
    const int row = static_cast<int>(m_rows.size());
    if (m_bulk == 0) beginInsertRows(QModelIndex(), row, row);
    Row r;
    r.cells.push_back(key);
    r.record = std::move(record);
    m_rows.push_back(std::move(r));
    if (m_bulk == 0) endInsertRows();
    return row;
}

void CListModel::SetCell(int row, int column, const QString& text) {
    if (row < 0 || row >= static_cast<int>(m_rows.size()) || column < 0) return;
    auto& cells = m_rows[static_cast<size_t>(row)].cells;
    if (static_cast<size_t>(column) >= cells.size()) cells.resize(static_cast<size_t>(column) + 1);
    cells[static_cast<size_t>(column)] = text;
    if (m_bulk == 0) {
        const QModelIndex at = index(row, column);
        emit dataChanged(at, at, {Qt::DisplayRole});
    }
}

QString CListModel::Cell(int row, int column) const {
    if (row < 0 || row >= static_cast<int>(m_rows.size()) || column < 0) return {};
    const auto& cells = m_rows[static_cast<size_t>(row)].cells;
    if (static_cast<size_t>(column) >= cells.size()) return {};
    return cells[static_cast<size_t>(column)];
}

CListModel::Record* CListModel::RecordAt(int row) const {
    if (row < 0 || row >= static_cast<int>(m_rows.size())) return nullptr;
    return m_rows[static_cast<size_t>(row)].record.get();
}

void CListModel::RemoveRow(int row) {
    if (row < 0 || row >= static_cast<int>(m_rows.size())) return;
    if (m_bulk == 0) beginRemoveRows(QModelIndex(), row, row);
    m_rows.erase(m_rows.begin() + row);
    if (m_bulk == 0) endRemoveRows();
}

void CListModel::Clear() {
    if (m_bulk == 0) beginResetModel();
    m_rows.clear();
    if (m_bulk == 0) endResetModel();
}

int CListModel::FindKey(const QString& key) const {
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].cells.front() == key) return static_cast<int>(i);
    return -1;
}

void CListModel::BeginBulk() {
    // The views forget their rows now and learn the new ones once at the end.
    if (m_bulk++ == 0) beginResetModel();
}

void CListModel::EndBulk() {
    if (m_bulk == 0) return;
    if (--m_bulk == 0) endResetModel();
}

void CListModel::SortRows(const std::function<bool(int, int)>& less) {
    const size_t n = m_rows.size();
    if (n < 2) return;
    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), less);

    if (m_bulk == 0) emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<Row> sorted;
    sorted.reserve(n);
    std::vector<int> newRowOf(n);
    for (size_t i = 0; i < n; ++i) {
        newRowOf[static_cast<size_t>(order[i])] = static_cast<int>(i);
        sorted.push_back(std::move(m_rows[static_cast<size_t>(order[i])]));
    }
    m_rows = std::move(sorted);
    if (m_bulk != 0) return;
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& old : before) {
        const int row = old.row();
        after.push_back(row >= 0 && static_cast<size_t>(row) < n
                            ? index(newRowOf[static_cast<size_t>(row)], old.column())
                            : QModelIndex());
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
