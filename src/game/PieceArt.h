// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QCursor>
#include <QRect>
#include <memory>

class QImage;
class QPainter;

// The pieces of the current piece set, shared by every board: drawing one
// piece into a rectangle with the size-class rules of the flat and the 3D
// sets, and the cursors for the lifted pieces and the panel's eraser.
// Loaded at start and whenever the set changes. Images are made for the
// screen's device pixel ratio so that pieces stay sharp on high-DPI screens.
class CPieceArt {
  public:
    // Flat sets come in these image sizes; below the smallest the smallest is
    // shrunk.
    static constexpr int kSizeClasses[8] = {24, 28, 32, 38, 46, 54, 64, 76};

    CPieceArt();
    ~CPieceArt();
    CPieceArt(const CPieceArt&) = delete;
    CPieceArt& operator=(const CPieceArt&) = delete;

    // Set 0..7; anything else loads the default set 2. False when the set's
    // images could not be read (the vector set is then drawn instead).
    bool Load(int set);
    int Set() const;
    // Draws "PNBRQKpnbrqk" into r; any other letter draws nothing.
    void Draw(QPainter& painter, const QRect& r, char piece) const;
    // The vector pieces alone (printing, and the piece panel of a 3D set).
    static void DrawVector(QPainter& painter, const QRect& r, char piece);
    // The cursor of a lifted piece, 'X' for the eraser; the arrow otherwise.
    QCursor Cursor(char piece) const;

  private:
    struct Images;
    // The piece's image rendered at a size in device pixels, made once.
    const QImage& Rendered(int index, QSize pixels) const;
    int m_set = -1;
    std::unique_ptr<Images> m_images;
};
