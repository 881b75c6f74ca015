// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "game/PiecePlacement.h"

#include <algorithm>

#include "game/PieceArt.h"

int CPiecePlacement::FlatSizeClass(int width) {
    int size = 0;
    for (int s = 0; s < 8; ++s)
        if (CPieceArt::kSizeClasses[s] <= width) size = s;
    return size;
}

QRect CPiecePlacement::Flat(const QRect& r) {
    const int w = r.width(), h = r.height();
    const int smallest = CPieceArt::kSizeClasses[0];
    if (w >= smallest) {
        const int size = CPieceArt::kSizeClasses[FlatSizeClass(w)];
        return {r.left() + (w - size) / 2, r.top() + (h - size) / 2, size, size};
    }
    const double f = std::min(double(w) / smallest, double(h) / smallest);
    const int drawn = std::max(0, int(smallest * f));
    return {r.left() + (w - drawn) / 2, r.top() + (h - drawn) / 2, drawn, drawn};
}

QRect CPiecePlacement::Tall(const QRect& r, QSize image, QSize nominal) {
    const int w = r.width(), h = r.height();
    if (nominal.width() <= 0 || nominal.height() <= 0) return {};
    if (w >= 60 && w < 91)
        return {r.left() + (w - image.width()) / 2, r.top() + nominal.height() / 2 - image.height(),
                image.width(), image.height()};
    // The 3D pieces rise above their square, so the height of the square
    // counts for less than its width when they are scaled.
    const double f = std::min(double(w) / nominal.width(), double(h) / nominal.height() * 1.8);
    const int dw = std::max(0, int(image.width() * f)), dh = std::max(0, int(image.height() * f));
    return {r.left() + (w - dw) / 2, r.top() + int((nominal.height() / 2 - image.height()) * f), dw,
            dh};
}
