// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QDialog>

#include "app/OfferCommands.h"

class QCheckBox;
class QLineEdit;
class QSpinBox;

// "Formula etc": which challenges reach the user and which the server
// declines for them.
class CFormulaDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CFormulaDlg(const OfferCommands::FormulaChoice& initial, QWidget* parent = nullptr);

    OfferCommands::FormulaChoice Choice() const;

  private:
    QCheckBox* m_open;
    QCheckBox* m_ropen;
    QCheckBox* m_wopen;
    QCheckBox* m_rated;
    QSpinBox* m_wild;
    QSpinBox* m_mood;
    QLineEdit* m_formula;
    QLineEdit* m_sfilter;
};
