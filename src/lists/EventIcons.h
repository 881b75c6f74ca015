// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QPixmap>

// The event list's three 18 x 18 action icons, drawn once on first use so
// that they follow the screen's pixel ratio and need no image files.
class CEventIcons {
  public:
    enum Icon { Information = 0, Watch = 1, Join = 2 };
    static constexpr int kSize = 18;

    static const QPixmap& Get(Icon icon, qreal pixelRatio);

  private:
    static QPixmap Draw(Icon icon, qreal pixelRatio);
};
