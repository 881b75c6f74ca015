// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "app/ActionsMenu.h"

#include <QAction>
#include <QMenu>
#include <string>

namespace {

struct ActionItem {
    const char* text;
    const char* command;
};

constexpr ActionItem kActions[] = {
    {"Show my rating and notes", "Finger"},
    {"Show my VCX variables", "Vars"},
    {"Show my lag time", "Ping"},
    {"Show my recent games", "History"},
    {"Show my personal library", "Liblist"},
    {"Show my adjourned games", "Stored"},
    {"Observe a high-rated game", "Observe *"},
    {"Register for a new account", "Register"},
    {"Pay for my membership", "Extend"},
    {"List titled players on-line", "Who T"},
    {"List upcoming events", "Help event2"},
};

}  // namespace

CActionsMenu::CActionsMenu(QMenu* menu, std::function<bool()> canSend, Sender send)
    : QObject(menu), m_canSend(std::move(canSend)), m_send(std::move(send)) {
    for (const ActionItem& item : kActions) {
        QAction* action = menu->addAction(QString::fromLatin1(item.text));
        const std::string line = std::string(item.command) + "\n";
        connect(action, &QAction::triggered, this, [this, line] {
            if (m_canSend()) m_send(line);
        });
    }
    connect(menu, &QMenu::aboutToShow, this, [this, menu] {
        const bool enabled = m_canSend();
        for (QAction* action : menu->actions()) action->setEnabled(enabled);
    });
}
