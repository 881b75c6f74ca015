// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include <gtest/gtest.h>

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QTreeView>

#include "lists/GenericListView.h"

namespace {

int g_liveRecords = 0;

struct NumberRecord : CGenericListView::Record {
    explicit NumberRecord(int v) : value(v) { ++g_liveRecords; }
    ~NumberRecord() override { --g_liveRecords; }
    int value;
};

// A list whose popup has two commands, the second the default; it records
// what ran and on which row, and what the popup looked like.
class NumberList : public CGenericListView {
  public:
    NumberList() : CGenericListView(nullptr) {
        AddColumn("Key", 0, 80);
        AddColumn("Value", 1, -1);
    }
    void Add(const QString& key, int value) {
        const int row = AddRow(key, std::make_unique<NumberRecord>(value));
        SetCell(row, 1, QString::number(value));
    }
    void SortByValue() {
        SortRows([this](int a, int b) { return Value(a) < Value(b); });
    }
    int Value(int row) const { return static_cast<NumberRecord*>(RecordAt(row))->value; }

    int choose = 0;
    std::vector<std::pair<int, int>> ran;  // command, value of the selected row
    bool defaultWasBold = false;

  protected:
    bool BuildPopupMenu(QMenu& menu) override {
        menu.addAction("One")->setData(1);
        menu.addAction("Two")->setData(2);
        return true;
    }
    int DefaultCommand() const override { return 2; }
    void RunCommand(int id) override { ran.emplace_back(id, Value(SelectedRow())); }
    int ExecPopup(QMenu& menu, QPoint) override {
        for (QAction* a : menu.actions())
            if (a->data().toInt() == 2) defaultWasBold = a->font().bold();
        return choose;
    }
};

QPoint CenterOfRow(const NumberList& list, int row) {
    return list.List()->visualRect(list.Model().index(row, 0)).center();
}

TEST(GenericListView, RightClickSelectsTheRowUnderTheMouseAndRunsTheChosenCommand) {
    NumberList list;
    list.resize(300, 200);
    list.show();
    for (int i = 0; i < 4; ++i) list.Add(QString("k%1").arg(i), i * 10);
    list.SelectRow(0);
    list.choose = 1;
    list.ShowPopupAt(CenterOfRow(list, 2));
    EXPECT_EQ(list.SelectedRow(), 2);
    EXPECT_EQ(list.ClickedKey(), "k2");
    EXPECT_TRUE(list.defaultWasBold);
    ASSERT_EQ(list.ran.size(), 1u);
    EXPECT_EQ(list.ran[0], std::make_pair(1, 20));

    // Below the last row nothing is hit: the selected row stays the target.
    list.choose = 0;
    list.ShowPopupAt(QPoint(5, 190));
    EXPECT_EQ(list.SelectedRow(), 2);
    EXPECT_EQ(list.ran.size(), 1u);

    list.RunDefaultCommand();
    ASSERT_EQ(list.ran.size(), 2u);
    EXPECT_EQ(list.ran[1], std::make_pair(2, 20));
}

TEST(GenericListView, SortingMovesTheSelectionWithItsRow) {
    NumberList list;
    const int values[] = {50, 10, 40, 10, 30};
    for (int i = 0; i < 5; ++i) list.Add(QString("k%1").arg(i), values[i]);
    list.SelectRow(2);  // 40
    list.SortByValue();
    EXPECT_EQ(list.CellText(0, 0), "k1");  // stable: k1 before k3
    EXPECT_EQ(list.CellText(1, 0), "k3");
    EXPECT_EQ(list.CellText(4, 1), "50");
    ASSERT_EQ(list.SelectedRow(), 3);
    EXPECT_EQ(list.Value(list.SelectedRow()), 40);
}

TEST(GenericListView, RowsRemovedByExactKeyAndAllRecordsDeleted) {
    {
        NumberList list;
        list.Add("Alf", 1);
        list.Add("Al", 2);
        list.Add("Al", 3);
        EXPECT_EQ(g_liveRecords, 3);
        EXPECT_FALSE(list.RemoveRowByKey("A"));
        EXPECT_TRUE(list.RemoveRowByKey("Al"));
        EXPECT_EQ(g_liveRecords, 2);
        ASSERT_EQ(list.RowCount(), 2);
        EXPECT_EQ(list.Value(1), 3);  // only the first "Al" went
        list.DeleteAllRows();
        EXPECT_EQ(g_liveRecords, 0);
        list.Add("x", 1);
    }
    EXPECT_EQ(g_liveRecords, 0);  // the window's records go with it
}

TEST(GenericListView, NegativeWidthIsTheHeadingWidthPlusTwelve) {
    NumberList list;
    const int heading = list.List()->header()->fontMetrics().horizontalAdvance("Value");
    EXPECT_EQ(list.ColumnWidths(), (std::vector<int>{80, heading + 12}));
    list.SetColumnWidths({33});
    EXPECT_EQ(list.ColumnWidths(), (std::vector<int>{33, heading + 12}));
}

}  // namespace
