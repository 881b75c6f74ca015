// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "net/ServerValues.h"

class QLineEdit;

// The user's ten personal notes, which others see when they finger the user.
class CNotesDlg : public QDialog {
    Q_OBJECT
  public:
    using Notes = std::array<std::string, ServerValues::kNoteCount>;

    explicit CNotesDlg(const Notes& notes, QWidget* parent = nullptr);

    Notes Choice() const;

  private:
    std::array<QLineEdit*, ServerValues::kNoteCount> m_notes{};
};
