// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// kd-gallery: paints every piece set on every board style into one PNG, for
// a person to look at the art the way the boards show it.
//
//   kd-gallery OUT.png [RATIO]
//
// The top part is a grid, one row per piece set and one column per board
// style, each cell a four-rank board holding every piece on both square
// colours. Below it each set is drawn at the widths that matter to its size
// classes (the shrunk smallest class, unscaled classes, the 3D sets' unscaled
// range and their scaled sizes). RATIO (default 1) paints for a screen of
// that device pixel ratio, as a high-density display would see the boards.
#include <QApplication>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <cstdlib>

#include "game/BoardOptions.h"
#include "game/BoardTextures.h"
#include "game/PieceArt.h"

namespace {

const char* const kSetNames[8] = {"Classic", "Cream and red", "Cream and black", "Column",
                                  "Vector",  "Plastic 3D",    "Alternate 3D",    "Wood 3D"};
const char* const kStyleNames[7] = {"Wooden",         "Marble",    "Wooden #2", "Asbestos",
                                    "Polished stone", "Marble #2", "Solid"};
const char* const kRanks[4] = {"rnbqkbnr", "pPpPpPpP", "PpPpPpPp", "RNBQKBNR"};

QColor FromColorRef(uint32_t v) {
    return QColor(v & 0xff, v >> 8 & 0xff, v >> 16 & 0xff);
}

// Squares painted as the boards paint them: neighbouring light and dark
// squares share one tile position of their textures, and successive pairs
// walk through the texture.
void PaintSquare(QPainter& p, const CBoardTextures& tex, const QRect& sq, int row, int col, int k) {
    const bool light = (row + col) % 2 == 0;
    if (!tex.Textured()) {
        const CBoardOptions defaults;
        p.fillRect(sq, FromColorRef(light ? defaults.lightSquare : defaults.darkSquare));
        return;
    }
    const QImage& img = light ? tex.Light() : tex.Dark();
    int across = tex.Light().width() / sq.width(), down = tex.Light().height() / sq.height();
    if (across * down < 1) across = down = 1;
    const int t = (k / 2) % (across * down);
    p.drawImage(
        sq, img,
        QRect((t % across) * sq.width(), (t / across) * sq.height(), sq.width(), sq.height()));
}

// One board of four ranks with squares w x h, the 3D sets standing in an
// extra row of space above it; returns the height used.
int PaintBoard(QPainter& p, const CPieceArt& art, const CBoardTextures& tex, QPoint at, int w,
               int h, bool tall) {
    const int top = tall ? h : 0;
    for (int pass = 0; pass < 2; ++pass) {
        for (int row = 0; row < 4; ++row)
            for (int col = 0; col < 8; ++col) {
                const QRect sq(at.x() + col * w, at.y() + top + row * h, w, h);
                if (pass == 0)
                    PaintSquare(p, tex, sq, row, col, row * 8 + col);
                else
                    art.Draw(p, sq, kRanks[row][col]);
            }
    }
    return top + 4 * h;
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: kd-gallery OUT.png [RATIO]\n");
        return 2;
    }
    const double ratio = argc == 3 ? std::atof(argv[2]) : 1.0;
    if (ratio < 0.5 || ratio > 4) {
        std::fprintf(stderr, "kd-gallery: RATIO must lie between 0.5 and 4\n");
        return 2;
    }
    constexpr int kSquare = 34, kGap = 14, kLabel = 18;
    const int boardW = 8 * kSquare;
    const int cellW = boardW + kGap, cellH = kLabel + 5 * kSquare + kGap;
    const int gridH = kLabel + 8 * cellH;
    const int sizes[] = {20, 24, 30, 37, 46, 56, 67, 76, 100};
    int stripW = 0;
    for (int s : sizes) stripW += 2 * s + 4;
    const int stripH = 4 * (3 * 100 + kGap) + kLabel;
    const QSize logical(std::max(140 + 7 * cellW, 2 * (140 + stripW)), gridH + stripH);
    QImage out(logical * ratio, QImage::Format_RGB32);
    out.setDevicePixelRatio(ratio);
    out.fill(QColor(0xd4, 0xd0, 0xc8));
    QPainter p(&out);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    p.setFont(font);

    CPieceArt art;
    CBoardTextures tex;
    for (int style = 0; style < 7; ++style)
        p.drawText(140 + style * cellW, 13, QString::fromLatin1(kStyleNames[style]));
    for (int set = 0; set < 8; ++set) {
        if (!art.Load(set)) std::fprintf(stderr, "kd-gallery: set %d did not load\n", set);
        const int y = kLabel + set * cellH;
        p.drawText(4, y + kLabel + 2 * kSquare, QString::fromLatin1(kSetNames[set]));
        const bool tall = CBoardOptions::Is3DSet(set);
        // The 3D sets' squares are lower than wide, as their boards make them.
        const int h = tall ? kSquare * 8 / 9 : kSquare;
        for (int style = 0; style < 7; ++style) {
            if (!tex.Load(style))
                std::fprintf(stderr, "kd-gallery: style %d did not load\n", style);
            PaintBoard(p, art, tex, QPoint(140 + style * cellW, y + (tall ? 0 : kSquare)), kSquare,
                       h, tall);
        }
    }

    // Every set at the widths of its size classes, on the wooden board, two
    // sets side by side.
    tex.Load(0);
    const int y0 = gridH + kLabel;
    const int stripX[2] = {140, 140 + stripW + 140};
    for (int half = 0; half < 2; ++half) {
        int x = stripX[half];
        for (int s : sizes) {
            p.drawText(x, gridH + 13, QString::number(s));
            x += 2 * s + 4;
        }
    }
    p.drawText(4, gridH + 13, QStringLiteral("Widths:"));
    for (int set = 0; set < 8; ++set) {
        art.Load(set);
        const bool tall = CBoardOptions::Is3DSet(set);
        const int y = y0 + (set / 2) * (3 * 100 + kGap);
        int x = stripX[set % 2];
        p.drawText(x - 136, y + 200, QString::fromLatin1(kSetNames[set]));
        for (int s : sizes) {
            const int h = tall ? s * 8 / 9 : s;
            for (int i = 0; i < 4; ++i) {
                const int row = i / 2, col = i % 2;
                const QRect sq(x + col * s, y + 3 * 100 - (2 - row) * h, s, h);
                PaintSquare(p, tex, sq, row, col, i);
                art.Draw(p, sq, "KqnP"[i]);
            }
            x += 2 * s + 4;
        }
    }
    p.end();
    if (!out.save(QString::fromLocal8Bit(argv[1]), "PNG", 0)) {
        std::fprintf(stderr, "kd-gallery: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
