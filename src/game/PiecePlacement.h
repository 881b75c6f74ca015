// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QRect>
#include <QSize>

// Where a piece image lands inside the rectangle it is drawn in, in logical
// pixels: the size-class rules of the flat sets and the foot placement of the
// tall 3D sets. CPieceArt renders its vector sources into the rectangle this
// returns, so positions and sizes stay those of fixed-size bitmaps while the
// pixels themselves are made for the screen's density.
class CPiecePlacement {
  public:
    // The size class (index into CPieceArt::kSizeClasses) for a square of
    // this width; widths below the smallest class give class 0, shrunk.
    static int FlatSizeClass(int width);
    // A flat set's square image in r: unscaled and centred from 24 pixels
    // up, below that shrunk to fit r and centred.
    static QRect Flat(const QRect& r);
    // A 3D piece of the given image size in a set whose largest image is
    // nominal: unscaled when 60 <= r.width < 91, with its foot half a nominal
    // cell below r's top; otherwise scaled, standing the same way.
    static QRect Tall(const QRect& r, QSize image, QSize nominal);
};
