// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPixmap>

#include "game/BoardOptions.h"
#include "game/PieceArt.h"
#include "game/PiecePlacement.h"

namespace {

const char kAllPieces[] = "PNBRQKpnbrqk";

QImage Transparent(int w, int h, qreal ratio = 1.0) {
    QImage img(QSize(w, h) * ratio, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(ratio);
    img.fill(Qt::transparent);
    return img;
}

QImage DrawOne(const CPieceArt& art, const QRect& r, char piece, QSize canvas) {
    QImage img = Transparent(canvas.width(), canvas.height());
    QPainter p(&img);
    art.Draw(p, r, piece);
    return img;
}

int Opaque(const QImage& img) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += qAlpha(img.pixel(x, y)) > 0;
    return n;
}

}  // namespace

struct PlacementRow {
    const char* what;
    QRect square;
    bool tall;
    QRect expected;
};

// Board squares of the windows the boards are laid out in: 200 x 200 with
// coordinates (23-pixel squares), 400 x 300 (37), a 3D set on a 540-pixel
// board (67 x 60) and on a 900-pixel board (112 x 100), and the edges of the
// classes. The 3D rows place the king, 55 x 109, the largest image.
TEST(PiecePlacementTest, SizeClassesAndFootPlacement) {
    const PlacementRow rows[] = {
        {"23 shrinks the smallest class", {11, 0, 23, 23}, false, {11, 0, 23, 23}},
        {"20 x 30 shrinks to the width, centred", {0, 0, 20, 30}, false, {0, 5, 20, 20}},
        {"24 is the smallest class unscaled", {0, 0, 24, 24}, false, {0, 0, 24, 24}},
        {"37 takes the 32 class centred", {37, 74, 37, 37}, false, {39, 76, 32, 32}},
        {"75 stays below the 76 class", {0, 0, 75, 75}, false, {5, 5, 64, 64}},
        {"100 takes the 76 class centred", {0, 0, 100, 100}, false, {12, 12, 76, 76}},
        {"3D 67 x 60 unscaled, foot at 54", {67, 60, 67, 60}, true, {73, 60 + 54 - 109, 55, 109}},
        {"3D 60 is unscaled", {0, 100, 60, 53}, true, {2, 100 + 54 - 109, 55, 109}},
        {"3D 112 x 100 scaled by the height", {0, 100, 112, 100}, true, {11, 100 - 90, 90, 180}},
        {"3D 59 x 52 is just below the unscaled range",
         {0, 100, 59, 52},
         true,
         {6, 100 - 47, 47, 93}},
        {"3D 110 x 300 scaled by the width", {0, 300, 110, 300}, true, {0, 300 - 110, 110, 218}},
    };
    for (const PlacementRow& row : rows) {
        SCOPED_TRACE(row.what);
        const QRect got = row.tall ? CPiecePlacement::Tall(row.square, {55, 109}, {55, 109})
                                   : CPiecePlacement::Flat(row.square);
        EXPECT_EQ(got, row.expected);
    }
    // A smaller 3D piece stands on the same foot line as the king.
    const QRect pawn = CPiecePlacement::Tall({0, 100, 67, 60}, {37, 62}, {55, 109});
    EXPECT_EQ(pawn.bottom() + 1, 100 + 54);
}

// Every set has twelve distinct, visible pieces on a transparent ground, and
// set 2 is set 1's White with set 0's Black.
TEST(PieceArtTest, EverySetDrawsTwelvePiecesOnTransparentGround) {
    CPieceArt art;
    QImage drawn[8][12];
    for (int set = 0; set < CBoardOptions::kPieceSets; ++set) {
        SCOPED_TRACE(set);
        ASSERT_TRUE(art.Load(set));
        EXPECT_EQ(art.Set(), set);
        // Room above the square for the 3D pieces' rise.
        const QRect square(0, 60, 67, 60);
        for (int i = 0; i < 12; ++i) {
            const QImage img = DrawOne(art, square, kAllPieces[i], {67, 120});
            drawn[set][i] = img;
            EXPECT_GT(Opaque(img), 67 * 60 / 8) << kAllPieces[i];
            const QRect box = CBoardOptions::Is3DSet(set) ? QRect(0, 0, 67, 120) : square;
            for (QPoint corner : {box.topLeft(), box.topRight(), box.bottomLeft() - QPoint(0, 3)})
                EXPECT_EQ(qAlpha(img.pixel(corner)), 0) << kAllPieces[i];
        }
        for (int i = 0; i < 6; ++i) EXPECT_NE(drawn[set][i], drawn[set][i + 6]) << kAllPieces[i];
    }
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(drawn[2][i], drawn[1][i]);
        EXPECT_EQ(drawn[2][i + 6], drawn[0][i + 6]);
        for (int set = 1; set < 8; ++set)
            if (set != 2) {
                EXPECT_NE(drawn[set][i], drawn[0][i]) << set << kAllPieces[i];
            }
    }
    EXPECT_TRUE(art.Load(42));
    EXPECT_EQ(art.Set(), 2);
    EXPECT_EQ(Opaque(DrawOne(art, {0, 0, 40, 40}, '-', {40, 40})), 0);
}

// The pawn's polygon, scaled by the width alone and offset by the
// rectangle: its base line in the outline colour, its body in the fill.
TEST(PieceArtTest, VectorPawnFollowsItsPolygon) {
    for (int width : {76, 152}) {
        SCOPED_TRACE(width);
        const QRect r(10, 20, width, width / 2);  // the height does not count
        QImage img = Transparent(10 + width, 20 + 2 * width);
        QPainter p(&img);
        CPieceArt::DrawVector(p, r, 'P');
        CPieceArt::DrawVector(p, r.translated(0, width), 'p');
        p.end();
        auto at = [&](int px, int py, int dy = 0) {
            return img.pixel(10 + px * width / 76, 20 + py * width / 76 + dy);
        };
        EXPECT_EQ(at(37, 63), qRgb(0, 0, 0));  // base line, black pen
        EXPECT_EQ(at(37, 50), qRgb(255, 255, 255));
        EXPECT_EQ(at(37, 30), qRgb(255, 255, 255));  // the head
        EXPECT_EQ(qAlpha(at(37, 66)), 0);            // below the base
        EXPECT_EQ(qAlpha(at(15, 40)), 0);            // beside the body
        EXPECT_EQ(at(37, 63, width), qRgb(255, 255, 255));
        EXPECT_EQ(at(37, 50, width), qRgb(0, 0, 0));
    }
}

// At a pixel ratio of 2 a piece is rendered from its source at twice the
// pixels, not a small image blown up: it matches the same piece drawn at a
// ratio of 1 in a square that asks for twice the size.
TEST(PieceArtTest, HighDensityScreensGetFullResolutionPieces) {
    struct Case {
        int set;
        QRect square, doubled;      // logical squares at ratio 2 and 1
        QRect denseKnight, knight;  // where the knight's pixels land in each
    };
    // Flat: the 32 class at ratio 2 against the 64 class. 3D: the knight
    // (46 x 78) unscaled at ratio 2 against the same knight scaled by
    // exactly 2 (a 110 x 122 square).
    const Case cases[] = {
        {0, {0, 0, 32, 32}, {0, 0, 64, 64}, {0, 0, 64, 64}, {0, 0, 64, 64}},
        {3, {0, 0, 37, 37}, {0, 0, 74, 74}, {4, 4, 64, 64}, {5, 5, 64, 64}},
        {7, {0, 60, 67, 60}, {0, 60, 110, 122}, {20, 72, 92, 156}, {9, 12, 92, 156}},
    };
    CPieceArt art;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.set);
        ASSERT_TRUE(art.Load(c.set));
        QImage dense = Transparent(c.square.right() + 1, c.square.bottom() + 1, 2.0);
        QPainter p(&dense);
        art.Draw(p, c.square, 'N');
        p.end();
        QImage plain = Transparent(c.doubled.right() + 1, c.doubled.bottom() + 1);
        QPainter q(&plain);
        art.Draw(q, c.doubled, 'N');
        q.end();
        const QImage a = dense.copy(c.denseKnight), b = plain.copy(c.knight);
        EXPECT_GT(Opaque(a), c.knight.width() * c.knight.height() / 4);
        EXPECT_EQ(a.convertToFormat(QImage::Format_ARGB32),
                  b.convertToFormat(QImage::Format_ARGB32));
    }
}

TEST(PieceArtTest, CursorsForPiecesAndEraser) {
    CPieceArt art;
    for (int set : {2, 4, 6}) {
        ASSERT_TRUE(art.Load(set));
        for (char c : QByteArray("PkX")) {
            if (c == 0) break;
            const QCursor cursor = art.Cursor(c);
            ASSERT_EQ(cursor.shape(), Qt::BitmapCursor) << set << c;
            const QImage img = cursor.pixmap().toImage();
            EXPECT_GT(Opaque(img), img.width() * img.height() / 10) << set << c;
            EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0);
            EXPECT_EQ(cursor.hotSpot(), QPoint(16, 16));  // logical, at any pixel ratio
        }
    }
    EXPECT_EQ(art.Cursor('-').shape(), Qt::ArrowCursor);
}
