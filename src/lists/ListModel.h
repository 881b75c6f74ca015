// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

// The rows of one list window, kept in a plain vector so that a list of many
// thousand games fills and sorts in a blink. Each row holds its cell texts
// and the record its window keeps for it; the model owns the record and
// deletes it with the row (through the record's virtual destructor, so each
// window deletes its own kind of record).
class CListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    // What a list window keeps for one row besides its texts.
    class Record {
      public:
        virtual ~Record() = default;
    };

    explicit CListModel(QObject* parent = nullptr);
    ~CListModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // Grows the column count as needed.
    void SetHeading(int column, const QString& heading);
    QString Heading(int column) const;

    int AppendRow(const QString& key, std::unique_ptr<Record> record);
    void SetCell(int row, int column, const QString& text);
    QString Cell(int row, int column) const;
    Record* RecordAt(int row) const;
    void RemoveRow(int row);
    void Clear();
    // Row of the first row whose column-0 text is `key`, or -1.
    int FindKey(const QString& key) const;

    // While filling many rows the views are told once at the end instead of
    // once per row; calls nest.
    void BeginBulk();
    void EndBulk();

    // Reorders the rows stably by `less`, which compares two rows by their
    // positions before the sort. The selection follows its row.
    void SortRows(const std::function<bool(int, int)>& less);

  private:
    struct Row {
        std::vector<QString> cells;
        std::unique_ptr<Record> record;
    };

    std::vector<Row> m_rows;
    std::vector<QString> m_headings;
    int m_bulk = 0;
};
