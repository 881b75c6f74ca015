// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QDialog>
#include <array>

#include "app/Settings.h"

class QLineEdit;

// "Customize User Buttons": the command text of the ten tool-bar buttons.
// OK hands the texts to the settings, which write them at the end of the run.
class CUserButtonsDialog : public QDialog {
    Q_OBJECT
  public:
    CUserButtonsDialog(CSettings& settings, QWidget* parent = nullptr);

    QLineEdit* Edit(int index) const { return m_edits.at(index); }

  private:
    CSettings& m_settings;
    std::array<QLineEdit*, CSettings::kUserButtons> m_edits{};
};
