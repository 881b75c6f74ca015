// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "app/EditMenu.h"

#include <QKeySequence>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>

#include "console/ConsoleWnd.h"
#include "lists/GameListView.h"

namespace {

struct Item {
    const char* text;
    QKeySequence::StandardKey keys;
    void (CConsoleWnd::*run)();
};

const Item kItems[] = {
    {"Cu&t", QKeySequence::Cut, &CConsoleWnd::Cut},
    {"&Copy", QKeySequence::Copy, &CConsoleWnd::Copy},
    {"&Paste", QKeySequence::Paste, &CConsoleWnd::Paste},
    {"Select &All", QKeySequence::SelectAll, &CConsoleWnd::SelectAll},
    {"&Find...", QKeySequence::Find, &CConsoleWnd::ShowFindDialog},
};

}  // namespace

CEditMenu::CEditMenu(QMenu* menu, QMdiArea* area, QPrinter& printer)
    : QObject(menu), m_area(area), m_printer(printer), m_menu(menu) {
    for (const Item& item : kItems) {
        QAction* action = menu->addAction(QString::fromLatin1(item.text), this, [this, item] {
            if (CConsoleWnd* console = ActiveConsole()) {
                (console->*item.run)();
            } else if (CGameListView* list = ActiveGameList();
                       list && item.run == &CConsoleWnd::Copy) {
                list->Copy();
            }
        });
        if (item.run == &CConsoleWnd::Copy) m_copy = action;
        // The console's own keys already do this where it has the focus; the
        // menu shows them and serves the other cases.
        action->setShortcut(QKeySequence(item.keys));
        action->setShortcutContext(Qt::WidgetShortcut);
    }
    menu->addAction(QStringLiteral("&Print..."), this, [this] {
        CConsoleWnd* console = ActiveConsole();
        if (!console) return;
        QPrintDialog dialog(&m_printer, console);
        if (dialog.exec() == QDialog::Accepted) console->PrintTo(m_printer);
    });
    menu->addSeparator();
    m_log = menu->addAction(QStringLiteral("&Log Console"), this, [this] {
        if (CConsoleWnd* console = ActiveConsole()) console->OnLogConsole();
    });
    m_log->setCheckable(true);
    connect(menu, &QMenu::aboutToShow, this, &CEditMenu::Update);
    Update();
}

CConsoleWnd* CEditMenu::ActiveConsole() const {
    QMdiSubWindow* active = m_area->activeSubWindow();
    if (!active || !active->widget()) return nullptr;
    if (auto* console = qobject_cast<CConsoleWnd*>(active->widget())) return console;
    return active->widget()->findChild<CConsoleWnd*>();
}

CGameListView* CEditMenu::ActiveGameList() const {
    QMdiSubWindow* active = m_area->activeSubWindow();
    return active ? qobject_cast<CGameListView*>(active->widget()) : nullptr;
}

void CEditMenu::Update() {
    CConsoleWnd* console = ActiveConsole();
    for (QAction* action : m_menu->actions()) {
        if (!action->isSeparator()) action->setEnabled(console != nullptr);
    }
    // A game list copies its rows as text.
    if (!console && ActiveGameList()) m_copy->setEnabled(true);
    m_log->setChecked(console && console->IsLogging());
}
