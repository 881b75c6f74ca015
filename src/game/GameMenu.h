// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QObject>

class CGameView;
class QAction;
class QMdiArea;
class QMenu;
class QPrinter;

// The game window's own items, added to the main frame's Game menu: "&Flip",
// "Save &PGN...", going back to the browsed position (Alt+Shift+S), and
// printing the game. They act on the active game window and are disabled
// while none is active.
class CGameMenu : public QObject {
    Q_OBJECT
  public:
    CGameMenu(QMenu* menu, QMdiArea* area, QPrinter& printer);

    CGameView* ActiveGame() const;
    QAction* FlipAction() const { return m_flip; }

  private:
    void Update();

    QMdiArea* m_area;
    QPrinter& m_printer;
    QAction* m_flip = nullptr;
    QAction* m_save = nullptr;
    QAction* m_back = nullptr;
    QAction* m_print = nullptr;
    QAction* m_preview = nullptr;
};
