// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "console/PersonMenu.h"

#include <QMenu>

#include "console/ConsoleSubView.h"
#include "console/PersonCommand.h"

namespace {

struct Item {
    const char* text;
    int id;
};
// A null text separates the groups; kEditList stands for the "&Edit List"
// submenu.
constexpr int kEditList = -1;
constexpr Item kItems[] = {
    {"&Finger", kPersonFinger},   {"&Vars", kPersonVars},
    {"&Ping", kPersonPing},       {"&Match", kPersonMatch},
    {"&Assess", kPersonAssess},   {nullptr, 0},
    {"&Chat", kPersonChat},       {"&Observe", kPersonObserve},
    {"Follo&w", kPersonFollow},   {nullptr, 0},
    {"&Edit List", kEditList},    {nullptr, 0},
    {"&History", kPersonHistory}, {"&Liblist", kPersonLiblist},
    {"&Stored", kPersonStored},   {nullptr, 0},
    {"Copy", kPersonCopy},        {"Copy&&Paste", kPersonCopyPaste},
};
constexpr Item kEditListItems[] = {
    {"&Notify (be notified on arrival)", kPersonAddNotify},
    {"No&Play (block match requests)", kPersonAddNoPlay},
    {"&Censor (block communication)", kPersonAddCensor},
    {"Remove from Notify list", kPersonRemoveNotify},
    {"Remove from NoPlay list", kPersonRemoveNoPlay},
    {"Remove from Censor list", kPersonRemoveCensor},
};

void AddItem(QMenu& menu, const Item& item) {
    QAction* action = menu.addAction(QString::fromLatin1(item.text));
    action->setData(item.id);
}

}  // namespace

void CPersonMenu::Fill(QMenu& menu) {
    for (const Item& item : kItems) {
        if (!item.text) {
            menu.addSeparator();
        } else if (item.id == kEditList) {
            QMenu* list = menu.addMenu(QString::fromLatin1(item.text));
            for (const Item& edit : kEditListItems) AddItem(*list, edit);
        } else {
            AddItem(menu, item);
        }
    }
}

int CPersonMenu::Exec(QWidget* parent, QPoint global) {
    QMenu menu(parent);
    Fill(menu);
    const QAction* chosen = menu.exec(global);
    return chosen ? chosen->data().toInt() : 0;
}

void CPersonMenu::Run(int id, const QString& name, bool newConsole, const Targets& targets) {
    switch (id) {
        case kPersonCopy:
            if (targets.copy) targets.copy();
            return;
        case kPersonCopyPaste:
            if (targets.copy) targets.copy();
            if (targets.paste) targets.paste();
            return;
        case kPersonMatch:
            if (targets.match) targets.match(CleanPersonName(name));
            return;
        case kPersonChat: {
            CConsoleSubView* console =
                targets.openTemporaryConsole ? targets.openTemporaryConsole() : nullptr;
            if (console) console->StartChatWith(CleanPersonName(name));
            return;
        }
        default:
            break;
    }
    const std::string line = PersonCommand(id, name).toStdString();
    if (line.empty()) return;
    if (newConsole && targets.openTemporaryConsole) {
        if (CConsoleSubView* console = targets.openTemporaryConsole()) {
            console->SendTagged(line);
            return;
        }
    }
    if (targets.send) targets.send(line);
}
