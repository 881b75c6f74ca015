// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "game/BoardTextures.h"

#include <QString>

namespace {

// Resource names of the textured styles 0..5, in style order.
const char* const kStyleNames[6] = {"wood", "marble", "wood2", "asbestos", "stone", "marble2"};

}  // namespace

bool CBoardTextures::Load(int style) {
    m_style = style;
    m_light = QImage();
    m_dark = QImage();
    if (style == 6) return true;
    if (style < 0 || style > 5) return false;
    const QString base = QStringLiteral(":/textures/%1-").arg(QLatin1String(kStyleNames[style]));
    QImage light(base + QStringLiteral("light.png"));
    QImage dark(base + QStringLiteral("dark.png"));
    if (light.isNull() || dark.isNull()) return false;
    m_light = light.convertToFormat(QImage::Format_RGB32);
    m_dark = dark.convertToFormat(QImage::Format_RGB32);
    return true;
}
