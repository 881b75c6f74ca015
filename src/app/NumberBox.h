// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

class QSpinBox;
class QWidget;

// The number fields of the variable dialogs. The server decides the valid
// range of each variable; the field only has to show whatever the server
// reported, so that an untouched field never reads as a change.
namespace NumberBox {

QSpinBox* Make(int value, QWidget* parent);

}  // namespace NumberBox
