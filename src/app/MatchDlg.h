// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QDialog>
#include <vector>

#include "app/OfferCommands.h"

class CWildTypeBox;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

// "Match": a challenge to one player.
class CMatchDlg : public QDialog {
    Q_OBJECT
  public:
    CMatchDlg(const OfferCommands::MatchChoice& initial,
              const std::vector<OfferCommands::WildEntry>& wilds, QWidget* parent = nullptr);

    OfferCommands::MatchChoice Choice() const;

    QLineEdit* OpponentBox() const { return m_opponent; }

  private:
    QLineEdit* m_opponent;
    QSpinBox* m_time;
    QSpinBox* m_increment;
    CWildTypeBox* m_wild;
    QCheckBox* m_rated;
    QComboBox* m_colour;
    QCheckBox* m_save;
};
