// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QDialog>

#include "app/OfferCommands.h"

class QCheckBox;
class QSpinBox;

// The server variables that decide what the user hears and how games go.
class CVariablesDlg : public QDialog {
    Q_OBJECT
  public:
    // The title names the server: "VCX variables".
    static constexpr const char* kTitle = "VCX variables";

    explicit CVariablesDlg(const OfferCommands::VariablesChoice& initial,
                           QWidget* parent = nullptr);

    OfferCommands::VariablesChoice Choice() const;

  private:
    QCheckBox* m_shout;
    QCheckBox* m_sshout;
    QCheckBox* m_tell;
    QCheckBox* m_ctell;
    QCheckBox* m_unobserve;
    QCheckBox* m_autoflag;
    QCheckBox* m_examine;
    QCheckBox* m_open;
    QCheckBox* m_noescape;
    QSpinBox* m_kibitz;
    QSpinBox* m_seek;
    QSpinBox* m_bell;
    QSpinBox* m_quietplay;
};
