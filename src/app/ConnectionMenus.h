// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QObject>
#include <functional>
#include <map>

class QAction;
class QMenu;

// The connection's "&Game" menu (seeking, matching, the server variables,
// new game boards) and the window items of the "&Window" menu (extra
// consoles, seek graph, notify and event lists). Their dialogs and windows
// come with their own code: until then the items are shown, disabled. A
// window's code enables its item by setting a handler through Hook().
class CConnectionMenus : public QObject {
    Q_OBJECT
  public:
    CConnectionMenus(QMenu* game, QMenu* window, std::function<bool()> hasConnection);

    // The item with this text (as in the menu, "&" included), or nullptr.
    QAction* Item(const QString& text) const;
    // Runs `handler` on the item from now on; the item is enabled while a
    // connection is active and `enabled` (when given) says yes.
    void Hook(const QString& text, std::function<void()> handler,
              std::function<bool()> enabled = {});

  private:
    void Update();

    std::function<bool()> m_hasConnection;
    std::vector<QAction*> m_items;
    std::map<const QAction*, std::function<bool()>> m_conditions;
};
