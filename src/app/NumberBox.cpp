// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "app/NumberBox.h"

#include <QSpinBox>
#include <algorithm>

namespace {

constexpr int kUsualMaximum = 9999;

}  // namespace

QSpinBox* NumberBox::Make(int value, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setRange(std::min(0, value), std::max(kUsualMaximum, value));
    box->setValue(value);
    return box;
}
