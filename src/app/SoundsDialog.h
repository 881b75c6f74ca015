// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QDialog>
#include <string>

#include "app/SoundTable.h"

class CSoundPlayer;
class QCheckBox;
class QComboBox;
class QLineEdit;

// "Customize Sounds": the user picks an event and gives it a wave file or
// mutes it. The dialog edits its own copy of the player's table; OK hands
// the copy back (to be saved with the settings), Cancel forgets it.
class CSoundsDialog : public QDialog {
    Q_OBJECT
  public:
    CSoundsDialog(CSoundPlayer& player, QWidget* parent = nullptr);

    // A chosen file inside the current folder is kept relative to it, so
    // that the settings move with the folder.
    static std::string RelativeToFolder(const std::string& path, const std::string& folder);

    void accept() override;

  private:
    SoundEvent Selected() const;
    void ShowSelected();
    void Browse();

    CSoundPlayer& m_player;
    CSoundTable m_table;
    QComboBox* m_events = nullptr;
    QLineEdit* m_file = nullptr;
    QCheckBox* m_mute = nullptr;
};
