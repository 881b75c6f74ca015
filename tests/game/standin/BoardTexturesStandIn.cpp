// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Stand-in for the board textures, linked into the game tests and benchmarks
// only while src/game/BoardTextures.cpp is not in the tree: two generated
// 200 x 200 patterns per textured style.
#include "game/BoardTextures.h"

namespace {
QImage Pattern(int base, int style) {
    QImage image(200, 200, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int v = base + ((x * 7 + y * 13 + style * 31) % 40);
            line[x] = qRgb(v, v * 9 / 10, v * 7 / 10);
        }
    }
    return image;
}
}  // namespace

bool CBoardTextures::Load(int style) {
    m_style = style;
    if (style < 0 || style >= 6) {
        m_light = QImage();
        m_dark = QImage();
        return style == 6;
    }
    m_light = Pattern(190, style);
    m_dark = Pattern(100, style);
    return true;
}
