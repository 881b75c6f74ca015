// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QObject>

class CConsoleWnd;
class CGameListView;
class QMdiArea;
class QMenu;
class QAction;
class QPrinter;

// The Edit menu: copy, paste, cut, select all, find and the console log act
// on the console window of the active window (a main or extra console), and
// are disabled while no console is active. A game list offers Copy alone.
class CEditMenu : public QObject {
    Q_OBJECT
  public:
    CEditMenu(QMenu* menu, QMdiArea* area, QPrinter& printer);

    // The console window of the active sub-window, if it has one.
    CConsoleWnd* ActiveConsole() const;

    // The game list of the active sub-window, if it is one.
    CGameListView* ActiveGameList() const;

  private:
    void Update();

    QMdiArea* m_area;
    QPrinter& m_printer;
    QMenu* m_menu;
    QAction* m_log = nullptr;
    QAction* m_copy = nullptr;
};
