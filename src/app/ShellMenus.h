// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QObject>

class CProfile;
class CSoundPlayer;
class QAction;
class QMenu;
class QWidget;

// The sound items of the Options menu ("&Sounds", "S&ystem Bell Only",
// "Customize Soun&ds...") and the Help menu's "&Tip of the Day...". The
// application creates it on the main frame's menus; the items act on the
// application's sound player and settings file.
class CShellMenus : public QObject {
    Q_OBJECT
  public:
    CShellMenus(QMenu* options, QMenu* help, CSoundPlayer& player, CProfile& profile,
                QWidget* dialogParent);

    QAction* SoundsAction() const { return m_sounds; }
    QAction* BellOnlyAction() const { return m_bellOnly; }

  private:
    void UpdateChecks();

    CSoundPlayer& m_player;
    CProfile& m_profile;
    QWidget* m_dialogParent;
    QAction* m_sounds = nullptr;
    QAction* m_bellOnly = nullptr;
};
