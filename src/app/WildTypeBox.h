// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QComboBox>
#include <vector>

#include "app/OfferCommands.h"

// The wild-type choice of the Seek and Match dialogs: one entry per cached
// variant name. Before the server has sent any name the list is empty, and
// the wild type the dialog opened with stays chosen.
class CWildTypeBox : public QComboBox {
    Q_OBJECT
  public:
    CWildTypeBox(const std::vector<OfferCommands::WildEntry>& entries, int wild,
                 QWidget* parent = nullptr);

    int Wild() const;

  private:
    int m_initial;
};
