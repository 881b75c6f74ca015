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

// "Seek": an open offer of a game to anyone within a rating range.
class CSeekDlg : public QDialog {
    Q_OBJECT
  public:
    CSeekDlg(const OfferCommands::SeekChoice& initial,
             const std::vector<OfferCommands::WildEntry>& wilds, QWidget* parent = nullptr);

    OfferCommands::SeekChoice Choice() const;

    QSpinBox* TimeBox() const { return m_time; }

  private:
    QSpinBox* m_time;
    QSpinBox* m_increment;
    CWildTypeBox* m_wild;
    QCheckBox* m_rated;
    QLineEdit* m_minRating;
    QLineEdit* m_maxRating;
    QComboBox* m_colour;
    QCheckBox* m_manual;
    QCheckBox* m_formula;
    QCheckBox* m_save;
};
