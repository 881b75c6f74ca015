// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QImage>

// The light and dark textures of the current board style, shared by every
// board and replaced when the style changes. The solid style has none.
class CBoardTextures {
  public:
    // Style 0..6; the solid style (6) and unreadable images leave both empty,
    // and boards then paint solid squares.
    bool Load(int style);
    int Style() const { return m_style; }
    bool Textured() const { return !m_light.isNull() && !m_dark.isNull(); }
    const QImage& Light() const { return m_light; }
    const QImage& Dark() const { return m_dark; }

  private:
    int m_style = -1;
    QImage m_light;
    QImage m_dark;
};
