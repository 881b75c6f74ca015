// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "app/ConnectionMenus.h"

#include <QAction>
#include <QMenu>

namespace {

struct MenuItem {
    const char* text;
    const char* tip;
};

constexpr MenuItem kGameItems[] = {
    {"&Seek a Game..", "Post an open offer for a game"},
    {"&Match...", "Challenge one player to a game"},
    {"&Rematch", "Challenge the last opponent again"},
    {"R&esume", "Resume an adjourned game"},
    {"New Game &Board", "Open one more game board"},
    {nullptr, nullptr},
    {"Set F&ormula...", "Choose which challenges are declined automatically"},
    {"Set &Variables...", "Change your server variables"},
    {"Set Personal Pro&file...", "Edit your personal notes"},
    {"Ask a &Question...", "Ask the server's helpers a question"},
};

constexpr MenuItem kWindowItems[] = {
    {"&New Generic Console", "Open an extra console"},
    {"N&ew Channel/Chat Console...", "Open a console for a channel or a chat"},
    {"Seek &Graph", "Show the open game offers"},
    {"N&otify List", "Show the players on your notify list"},
    {"Event &List", "Show the server's events"},
};

}  // namespace

CConnectionMenus::CConnectionMenus(QMenu* game, QMenu* window, std::function<bool()> hasConnection)
    : QObject(game), m_hasConnection(std::move(hasConnection)) {
    for (const MenuItem& item : kGameItems) {
        if (!item.text) {
            game->addSeparator();
            continue;
        }
        m_items.push_back(game->addAction(QString::fromLatin1(item.text)));
        m_items.back()->setStatusTip(QString::fromLatin1(item.tip));
    }
    const QList<QAction*> existing = window->actions();
    QAction* before = existing.isEmpty() ? nullptr : existing.front();
    for (const MenuItem& item : kWindowItems) {
        auto* action = new QAction(QString::fromLatin1(item.text), window);
        action->setStatusTip(QString::fromLatin1(item.tip));
        window->insertAction(before, action);
        m_items.push_back(action);
    }
    window->insertSeparator(before);
    connect(game, &QMenu::aboutToShow, this, &CConnectionMenus::Update);
    connect(window, &QMenu::aboutToShow, this, &CConnectionMenus::Update);
    Update();
}

QAction* CConnectionMenus::Item(const QString& text) const {
    for (QAction* action : m_items) {
        if (action->text() == text) return action;
    }
    return nullptr;
}

void CConnectionMenus::Hook(const QString& text, std::function<void()> handler,
                            std::function<bool()> enabled) {
    QAction* action = Item(text);
    if (!action) return;
    action->setProperty("hooked", true);
    if (enabled) m_conditions[action] = std::move(enabled);
    connect(action, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
    Update();
}

void CConnectionMenus::Update() {
    const bool active = m_hasConnection();
    for (QAction* action : m_items) {
        const auto condition = m_conditions.find(action);
        action->setEnabled(active && action->property("hooked").toBool() &&
                           (condition == m_conditions.end() || condition->second()));
    }
}
