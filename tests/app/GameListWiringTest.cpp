// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// The Edit menu's Copy on an active game list puts the list on the
// clipboard, though the list is no console.
#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPrinter>

#include "app/EditMenu.h"
#include "lists/GameListView.h"
#include "net/DatagramTable.h"

namespace {

TEST(GameListWiring, EditCopyTakesTheActiveGameList) {
    QMdiArea area;
    area.resize(800, 600);
    area.show();
    QMenu menu;
    QPrinter printer;
    CEditMenu edit(&menu, &area, printer);

    auto* list = new CGameListView(nullptr);
    QMdiSubWindow* frame = area.addSubWindow(list);
    frame->show();
    area.setActiveSubWindow(frame);
    auto header = std::make_unique<CServerMessage>(CServerMessage::Datagram, DG_GAMELIST_BEGIN);
    for (const char* f : {"72", "liblist", "Bob", "1", "1", "1"}) header->AppendField(f);
    ASSERT_EQ(list->Receive(header), 1);

    QAction* copy = nullptr;
    for (QAction* action : menu.actions())
        if (action->text() == "&Copy") copy = action;
    ASSERT_NE(copy, nullptr);
    emit menu.aboutToShow();
    EXPECT_TRUE(copy->isEnabled());
    QGuiApplication::clipboard()->setText("before");
    copy->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "liblist Bob\n");
}

}  // namespace
