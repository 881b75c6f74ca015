// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "lists/GenericListView.h"

#include <QFont>
#include <QHeaderView>
#include <QMenu>
#include <QTreeView>
#include <QVBoxLayout>

CGenericListView::CGenericListView(CKordane2Doc* doc, QWidget* parent)
    : QWidget(parent),
      m_doc(doc),
      m_model(new CListModel(this)),
      m_list(new QTreeView(this)),
      m_layout(new QVBoxLayout(this)) {
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_layout->addWidget(m_list, 1);

    m_list->setObjectName(QStringLiteral("list"));
    m_list->setModel(m_model);
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    // Every row is one line of text: the view need not measure each of
    // thousands of rows.
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSortingEnabled(false);
    m_list->header()->setStretchLastSection(false);
    // Stored widths come back as they were saved, however narrow.
    m_list->header()->setMinimumSectionSize(0);
    m_list->header()->setSectionsClickable(true);
    m_list->header()->setSectionsMovable(false);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    setFocusProxy(m_list);

    connect(m_list->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { ColumnClicked(column); });
    connect(m_list, &QWidget::customContextMenuRequested, this, &CGenericListView::ShowPopupAt);
    connect(m_list, &QAbstractItemView::doubleClicked, this, &CGenericListView::OnDoubleClick);
}

CGenericListView::~CGenericListView() = default;

int CGenericListView::Receive(std::unique_ptr<CServerMessage>& /*message*/) {
    return 0;
}

void CGenericListView::AddColumn(const QString& heading, int index, int width) {
    if (index < 0) return;
    m_model->SetHeading(index, heading);
    if (width < 0) width = m_list->header()->fontMetrics().horizontalAdvance(heading) + 12;
    m_list->header()->resizeSection(index, width);
}

int CGenericListView::ColumnCount() const {
    return m_model->columnCount();
}

std::vector<int> CGenericListView::ColumnWidths() const {
    std::vector<int> widths;
    for (int c = 0; c < m_model->columnCount(); ++c)
        widths.push_back(m_list->header()->sectionSize(c));
    return widths;
}

void CGenericListView::SetColumnWidths(const std::vector<int>& widths) {
    const int count = m_model->columnCount();
    for (int c = 0; c < count && static_cast<size_t>(c) < widths.size(); ++c) {
        int width = widths[static_cast<size_t>(c)];
        if (width < 0)
            width = m_list->header()->fontMetrics().horizontalAdvance(m_model->Heading(c)) + 12;
        m_list->header()->resizeSection(c, width);
    }
}

int CGenericListView::AddRow(const QString& key, std::unique_ptr<Record> record) {
    return m_model->AppendRow(key, std::move(record));
}

void CGenericListView::SetCell(int row, int column, const QString& text) {
    m_model->SetCell(row, column, text);
}

QString CGenericListView::CellText(int row, int column) const {
    return m_model->Cell(row, column);
}

CGenericListView::Record* CGenericListView::RecordAt(int row) const {
    return m_model->RecordAt(row);
}

int CGenericListView::RowCount() const {
    return m_model->rowCount();
}

bool CGenericListView::RemoveRowByKey(const QString& key) {
    const int row = m_model->FindKey(key);
    if (row < 0) return false;
    m_model->RemoveRow(row);
    return true;
}

void CGenericListView::DeleteAllRows() {
    m_model->Clear();
}

void CGenericListView::BeginFill() {
    m_model->BeginBulk();
}

void CGenericListView::EndFill() {
    m_model->EndBulk();
}

int CGenericListView::SelectedRow() const {
    const QModelIndexList rows = m_list->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

void CGenericListView::SelectRow(int row) {
    if (row < 0 || row >= m_model->rowCount()) {
        m_list->clearSelection();
        return;
    }
    const QModelIndex at = m_model->index(row, 0);
    m_list->selectionModel()->setCurrentIndex(
        at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void CGenericListView::ShowPopupAt(QPoint pos) {
    const QModelIndex hit = m_list->indexAt(pos);
    if (hit.isValid()) SelectRow(hit.row());
    const int row = SelectedRow();
    if (row < 0) return;
    m_clickedKey = m_model->Cell(row, 0);

    QMenu menu(this);
    if (!BuildPopupMenu(menu)) return;
    const int defaultId = DefaultCommand();
    for (QAction* action : menu.actions()) {
        if (defaultId == 0 || action->data().toInt() != defaultId) continue;
        menu.setDefaultAction(action);
        QFont bold = action->font();
        bold.setBold(true);
        action->setFont(bold);
    }
    const int id = ExecPopup(menu, m_list->viewport()->mapToGlobal(pos));
    if (id != 0) RunCommand(id);
}

int CGenericListView::ExecPopup(QMenu& menu, QPoint global) {
    QAction* chosen = menu.exec(global);
    return chosen != nullptr && chosen->isEnabled() ? chosen->data().toInt() : 0;
}

void CGenericListView::RunDefaultCommand() {
    if (SelectedRow() < 0) return;
    if (const int id = DefaultCommand(); id != 0) RunCommand(id);
}

void CGenericListView::SortRows(const std::function<bool(int, int)>& less) {
    m_model->SortRows(less);
}

void CGenericListView::OnDoubleClick(const QModelIndex& index) {
    if (!index.isValid()) return;
    SelectRow(index.row());
    RunDefaultCommand();
}
