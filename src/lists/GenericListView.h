// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QPoint>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "lists/ListModel.h"
#include "net/ServerMessageSink.h"

class CKordane2Doc;
class QMenu;
class QTreeView;
class QVBoxLayout;

// The base of every list window (game lists, the notify list, the PGN file
// list): one report-style list with a row per item, single full-row
// selection, a popup menu of row commands and a default command. A subclass
// names its columns, fills rows, builds its popup and runs its commands; it
// is also offered the connection's messages as an extra sink.
class CGenericListView : public QWidget, public IServerMessageSink {
    Q_OBJECT
  public:
    using Record = CListModel::Record;

    // `doc` may be null (a list of a file rather than of a connection).
    explicit CGenericListView(CKordane2Doc* doc, QWidget* parent = nullptr);
    ~CGenericListView() override;

    int Receive(std::unique_ptr<CServerMessage>& message) override;

    // Heads column `index` (inserting columns up to it); a negative width is
    // the heading's own width plus 12.
    void AddColumn(const QString& heading, int index, int width);
    int ColumnCount() const;
    std::vector<int> ColumnWidths() const;
    // Columns beyond the list keep their widths; a negative width is the
    // heading's width plus 12.
    void SetColumnWidths(const std::vector<int>& widths);

    // Appends a row and returns its index; the view owns `record`.
    int AddRow(const QString& key, std::unique_ptr<Record> record);
    void SetCell(int row, int column, const QString& text);
    QString CellText(int row, int column) const;
    Record* RecordAt(int row) const;
    int RowCount() const;
    // Removes the first row whose column-0 text equals `key` exactly; false
    // when there is none.
    bool RemoveRowByKey(const QString& key);
    void DeleteAllRows();
    // Around many AddRow/SetCell calls: the list redraws once at the end.
    void BeginFill();
    void EndFill();

    // The selected row, or -1.
    int SelectedRow() const;
    void SelectRow(int row);
    // Column-0 text of the row last right-clicked.
    const QString& ClickedKey() const { return m_clickedKey; }

    // The right click on `pos` (in the list's viewport coordinates): selects
    // the row there, remembers its key and shows the popup. Public so that a
    // test can click without a mouse.
    void ShowPopupAt(QPoint pos);
    // Runs the default command on the selected row (what a double click does).
    void RunDefaultCommand();

    CKordane2Doc* Doc() const { return m_doc; }
    QTreeView* List() const { return m_list; }
    CListModel& Model() const { return *m_model; }

  protected:
    // Fills the row popup; false shows none. Each action's data() is its
    // command id.
    virtual bool BuildPopupMenu(QMenu& /*menu*/) { return false; }
    // Command id that a double click runs and the popup shows in bold; 0 none.
    virtual int DefaultCommand() const { return 0; }
    // Runs a command of the popup on the selected row.
    virtual void RunCommand(int /*id*/) {}
    // A click on the heading of `column`; subclasses sort with SortRows.
    virtual void ColumnClicked(int /*column*/) {}
    // Shows the built popup and returns the chosen command id, 0 for none.
    // Tests replace it to choose without a menu on screen.
    virtual int ExecPopup(QMenu& menu, QPoint global);

    // Reorders rows stably by `less` over row indices before the sort.
    void SortRows(const std::function<bool(int, int)>& less);
    // The list's box; a subclass adds its buttons below the list.
    QVBoxLayout* Layout() const { return m_layout; }

  private:
    void OnDoubleClick(const QModelIndex& index);

    CKordane2Doc* m_doc;
    CListModel* m_model;
    QTreeView* m_list;
    QVBoxLayout* m_layout;
    QString m_clickedKey;
};
