// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Stand-in for the piece art, linked into the game tests and benchmarks only
// while the real piece images are not in the tree (the build leaves it out
// once src/game/PieceArt.cpp exists). Pieces are plain discs, which keeps a
// paint's cost close to that of blitting cached images.
#include <QPainter>

#include "game/PieceArt.h"

namespace {
int g_set = 2;

bool IsPiece(char piece) {
    for (char c : std::string_view("PNBRQKpnbrqk"))
        if (c == piece) return true;
    return false;
}
}  // namespace

CPieceArt::CPieceArt() = default;
CPieceArt::~CPieceArt() = default;

bool CPieceArt::Load(int set) {
    g_set = (set >= 0 && set <= 7) ? set : 2;
    return true;
}

int CPieceArt::Set() const {
    return g_set;
}

void CPieceArt::Draw(QPainter& painter, const QRect& r, char piece) const {
    DrawVector(painter, r, piece);
}

void CPieceArt::DrawVector(QPainter& painter, const QRect& r, char piece) {
    if (!IsPiece(piece)) return;
    const bool white = piece >= 'A' && piece <= 'Z';
    const QRect disc = r.adjusted(r.width() / 5, r.height() / 5, -r.width() / 5, -r.height() / 5);
    painter.fillRect(disc, white ? Qt::black : Qt::white);
    painter.fillRect(disc.adjusted(2, 2, -2, -2), white ? Qt::white : Qt::black);
}

QCursor CPieceArt::Cursor(char) const {
    return QCursor(Qt::ArrowCursor);
}
