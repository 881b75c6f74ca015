// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "app/WildTypeBox.h"

CWildTypeBox::CWildTypeBox(const std::vector<OfferCommands::WildEntry>& entries, int wild,
                           QWidget* parent)
    : QComboBox(parent), m_initial(wild) {
    for (const OfferCommands::WildEntry& entry : entries) {
        addItem(QString::fromStdString(entry.label), entry.number);
    }
    setCurrentIndex(OfferCommands::WildSelection(entries, wild));
}

int CWildTypeBox::Wild() const {
    return currentIndex() < 0 ? m_initial : currentData().toInt();
}
