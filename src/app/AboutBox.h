// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QString>

class QWidget;

// "About Kordane 2": the version text, which CMake writes from the project
// version, and what the program is for.
class CAboutBox {
  public:
    static QString Text();
    static void Show(QWidget* parent);
};
