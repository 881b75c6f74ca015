// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QObject>
#include <QString>
#include <vector>

class CConnectionFiles;
class CMainFrame;
class CPgnLists;
class PgnGame;
class QAction;
class QMenu;

// The connection items of the File menu: "&New Connection", "&Open
// Connection", save, save as, the game log file, the PGN list (CPgnLists),
// printer set-up and the four recent files, placed above the frame's own
// "R&econnect" and "E&xit". The application creates it on the main frame's
// File menu; each item acts on the active connection through
// CConnectionFiles.
class CFileMenu : public QObject {
    Q_OBJECT
  public:
    CFileMenu(QMenu* file, CConnectionFiles& files, CMainFrame& frame);

    // The items, for the tests and the tool bar.
    QAction* NewAction() const { return m_new; }
    QAction* OpenAction() const { return m_open; }
    QAction* SaveAction() const { return m_save; }
    const std::vector<QAction*>& RecentActions() const { return m_recent; }
    QAction* OpenPgnAction() const { return m_openPgn; }
    CPgnLists& PgnLists() const { return *m_pgnLists; }

    // "&View PGN Game...": a game of a chosen file in a new game window of
    // the active connection.
    void ViewPgnGame();
    static QString GameChoiceText(const PgnGame& game, int index);

  private:
    void Update();

    CConnectionFiles& m_files;
    CMainFrame& m_frame;
    QAction* m_new = nullptr;
    QAction* m_open = nullptr;
    QAction* m_save = nullptr;
    QAction* m_saveAs = nullptr;
    QAction* m_logFile = nullptr;
    QAction* m_openPgn = nullptr;
    QAction* m_viewPgn = nullptr;
    CPgnLists* m_pgnLists = nullptr;
    std::vector<QAction*> m_recent;
};
