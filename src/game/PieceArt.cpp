// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "game/PieceArt.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QPolygon>
#include <QScreen>
#include <QSvgRenderer>
#include <array>
#include <cmath>
#include <cstring>

#include "game/BoardOptions.h"
#include "game/PiecePlacement.h"

namespace {

// Image order: Black's pieces, then White's.
const char kPieces[] = "pnbrqkPNBRQK";

int PieceIndex(char piece) {
    if (piece == 0) return -1;
    const char* p = std::strchr(kPieces, piece);
    return p ? int(p - kPieces) : -1;
}

// The resource of one piece: set 2 is White's pieces of set 1 with Black's of
// set 0, so it has no files of its own.
QString PieceFile(int set, int index) {
    const bool white = index >= 6;
    if (set == 2) set = white ? 1 : 0;
    return QStringLiteral(":/pieces/set%1/%2%3.svg")
        .arg(set)
        .arg(QLatin1Char(white ? 'w' : 'b'))
        .arg(QLatin1Char(kPieces[index % 6]));
}

// Polygons of the vector pieces on a 76 x 76 grid, as x,y pairs; -1 ends a
// polygon and -2 ends the piece.
const int kPawn[] = {13, 63, 13, 54, 18, 46, 30, 39, 25, 35, 25, 27, 29, 23, 32, 22, 29, 18,
                     29, 13, 33, 9,  36, 8,  39, 8,  42, 9,  46, 13, 46, 18, 43, 22, 46, 23,
                     50, 27, 50, 35, 45, 39, 57, 46, 62, 54, 62, 63, 13, 63, -1, -2};
const int kRook[] = {11, 69, 11, 65, 22, 54, 22, 24, 15, 17, 15, 6,  25, 6,  25, 12, 32, 12, 32,
                     6,  43, 6,  43, 12, 50, 12, 50, 6,  60, 6,  60, 17, 53, 24, 53, 54, 64, 65,
                     64, 69, 11, 69, -1, 22, 54, 22, 24, 53, 24, 53, 54, 22, 54, -1, -2};
const int kKnight[] = {21, 69, 68, 69, 68, 55, 62, 29, 53, 19, 43, 14, 37, 6,  35, 6,  36,
                       14, 28, 6,  26, 6,  29, 14, 25, 13, 18, 19, 5,  46, 12, 54, 20, 46,
                       15, 53, 17, 55, 34, 40, 37, 45, 21, 62, 21, 69, -1, 64, 65, 57, 31,
                       45, 20, 42, 20, 54, 31, 61, 65, 64, 65, -1, 19, 29, 23, 26, 24, 22,
                       20, 25, 19, 29, -1, 8,  46, 10, 48, 13, 43, 11, 41, 8,  46, -1, -2};
const int kBishop[] = {6,  69, 9,  63, 28, 63, 22, 38, 22, 29, 24, 25, 30, 19, 35, 15, 33, 10,
                       35, 6,  40, 6,  42, 10, 40, 15, 45, 19, 51, 25, 53, 29, 53, 38, 47, 63,
                       66, 63, 69, 69, 6,  69, -1, 36, 28, 36, 31, 33, 31, 33, 34, 36, 34, 36,
                       40, 39, 40, 39, 34, 42, 34, 42, 31, 39, 31, 39, 28, 36, 28, -1, 27, 60,
                       35, 59, 40, 59, 48, 60, 50, 51, 41, 50, 34, 50, 25, 51, 27, 60, -1, -2};
const int kQueen[] = {27, 69, 17, 68, 17, 62, 16, 52, 8,  22, 5,  19, 5,  15, 8,  12, 12, 12, 15,
                      15, 15, 19, 12, 22, 22, 39, 26, 16, 23, 13, 23, 9,  26, 6,  30, 6,  33, 9,
                      33, 13, 30, 16, 37, 35, 38, 35, 45, 16, 42, 13, 42, 9,  45, 6,  49, 6,  52,
                      9,  52, 13, 49, 16, 53, 39, 63, 22, 60, 19, 60, 15, 63, 12, 67, 12, 70, 15,
                      70, 19, 67, 22, 59, 52, 58, 62, 58, 68, 48, 69, 27, 69, -1, 29, 60, 17, 62,
                      16, 52, 29, 50, 46, 50, 59, 52, 58, 62, 46, 60, 29, 60, -1, -2};
const int kKing[] = {
    27, 69, 21, 66, 16, 47, 11, 45, 6,  40, 4,  35, 4,  32, 6,  27, 11, 22, 16, 20, 19, 20, 24,
    22, 28, 26, 30, 26, 30, 23, 36, 17, 36, 13, 33, 13, 33, 10, 36, 10, 36, 6,  39, 6,  39, 10,
    42, 10, 42, 13, 39, 13, 39, 17, 45, 23, 45, 26, 47, 26, 51, 22, 56, 20, 59, 20, 64, 22, 69,
    27, 71, 32, 71, 35, 69, 40, 64, 45, 59, 47, 54, 66, 48, 69, 27, 69, -1, 36, 23, 34, 27, 36,
    31, 39, 31, 41, 27, 39, 23, 36, 23, -1, 15, 25, 21, 25, 34, 38, 34, 44, 20, 45, 15, 42, 10,
    36, 10, 31, 15, 25, -1, 60, 25, 54, 25, 41, 38, 41, 44, 55, 45, 60, 42, 65, 36, 65, 31, 60,
    25, -1, 19, 57, 33, 54, 42, 54, 56, 57, 54, 63, 40, 60, 35, 60, 21, 63, 18, 57, -1, -2};
const int* const kVector[6] = {kPawn, kKnight, kBishop, kRook, kQueen, kKing};

// How many device pixels one logical pixel of the painter covers: the
// device's pixel ratio times any scaling of the painter itself (printing).
qreal DeviceScale(const QPainter& painter) {
    qreal scale = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const QTransform& t = painter.worldTransform();
    scale *= std::sqrt(std::abs(t.determinant()));
    return std::clamp(scale, qreal(0.05), qreal(8.0));
}

qreal ScreenScale() {
    const QScreen* screen = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                                ? QGuiApplication::primaryScreen()
                                : nullptr;
    return screen ? screen->devicePixelRatio() : 1.0;
}

}  // namespace

struct CPieceArt::Images {
    std::array<std::unique_ptr<QSvgRenderer>, 12> pieces;
    std::array<QSize, 12> size;  // 3D sets: each image's own size
    QSize nominal;               // 3D sets: the largest width and height
    QHash<quint64, QImage> rendered;
    QHash<char, QCursor> cursors;
};

CPieceArt::CPieceArt() : m_images(std::make_unique<Images>()) {}

CPieceArt::~CPieceArt() = default;

bool CPieceArt::Load(int set) {
    if (set < 0 || set >= CBoardOptions::kPieceSets) set = 2;
    m_set = set;
    m_images = std::make_unique<Images>();
    if (set == CBoardOptions::kVectorSet) return true;
    for (int i = 0; i < 12; ++i) {
        auto svg = std::make_unique<QSvgRenderer>(PieceFile(set, i));
        if (!svg->isValid()) {
            m_images = std::make_unique<Images>();
            return false;
        }
        m_images->size[i] = svg->defaultSize();
        m_images->nominal = m_images->nominal.expandedTo(m_images->size[i]);
        m_images->pieces[i] = std::move(svg);
    }
    return true;
}

int CPieceArt::Set() const {
    return m_set;
}

const QImage& CPieceArt::Rendered(int index, QSize pixels) const {
    const quint64 key =
        quint64(index) | quint64(pixels.width()) << 8 | quint64(pixels.height()) << 32;
    auto it = m_images->rendered.constFind(key);
    if (it != m_images->rendered.constEnd()) return *it;
    // Sizes change only when windows are resized; a bound keeps a long
    // session of resizing from holding every size it ever saw.
    if (m_images->rendered.size() > 120) m_images->rendered.clear();
    QImage img(pixels, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    m_images->pieces[index]->render(&p, QRectF(0, 0, pixels.width(), pixels.height()));
    p.end();
    return *m_images->rendered.insert(key, img);
}

void CPieceArt::Draw(QPainter& painter, const QRect& r, char piece) const {
    const int index = PieceIndex(piece);
    if (index < 0) return;
    if (!m_images->pieces[index]) {
        DrawVector(painter, r, piece);
        return;
    }
    const QRect target = CBoardOptions::Is3DSet(m_set)
                             ? CPiecePlacement::Tall(r, m_images->size[index], m_images->nominal)
                             : CPiecePlacement::Flat(r);
    if (target.isEmpty()) return;
    const qreal scale = DeviceScale(painter);
    const QSize pixels(std::max(1, qRound(target.width() * scale)),
                       std::max(1, qRound(target.height() * scale)));
    // A page printed at a high resolution would make images of many
    // megabytes that are never drawn twice: those pieces go straight out.
    if (pixels.width() > 2048 || pixels.height() > 2048) {
        m_images->pieces[index]->render(&painter, QRectF(target));
        return;
    }
    painter.drawImage(target, Rendered(index, pixels));
}

void CPieceArt::DrawVector(QPainter& painter, const QRect& r, char piece) {
    const int index = PieceIndex(piece);
    if (index < 0) return;
    const bool white = index >= 6;
    painter.save();
    // Half a pixel over, the one-pixel outline lies on whole pixels: crisp
    // at any pixel ratio, with smooth slopes.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(0.5, 0.5);
    painter.setBrush(white ? Qt::white : Qt::black);
    painter.setPen(QPen(white ? Qt::black : Qt::white, 1));
    const int w = r.width();
    QPolygon poly;
    for (const int* p = kVector[index % 6]; *p != -2; ++p) {
        if (*p == -1) {
            painter.drawPolygon(poly);
            poly.clear();
            continue;
        }
        poly << QPoint(r.left() + p[0] * w / 76, r.top() + p[1] * w / 76);
        ++p;
    }
    painter.restore();
}

QCursor CPieceArt::Cursor(char piece) const {
    const int index = PieceIndex(piece);
    if (index < 0 && piece != 'X') return QCursor(Qt::ArrowCursor);
    auto it = m_images->cursors.constFind(piece);
    if (it != m_images->cursors.constEnd()) return *it;
    constexpr int kSide = 32;
    const qreal dpr = ScreenScale();
    QPixmap pixmap(qRound(kSide * dpr), qRound(kSide * dpr));
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRect cell(0, 0, kSide, kSide);
    if (index < 0) {
        QSvgRenderer eraser(QStringLiteral(":/cursors/eraser.svg"));
        eraser.render(&p, QRectF(cell));
    } else if (!m_images->pieces[index]) {
        DrawVector(p, cell, piece);
    } else {
        // A tall 3D piece is fitted to the cursor's height.
        const QSize size = CBoardOptions::Is3DSet(m_set)
                               ? m_images->size[index].scaled(cell.size(), Qt::KeepAspectRatio)
                               : cell.size();
        const QRectF target((kSide - size.width()) / 2.0, (kSide - size.height()) / 2.0,
                            size.width(), size.height());
        m_images->pieces[index]->render(&p, target);
    }
    p.end();
    const QCursor cursor(pixmap, -1, -1);
    m_images->cursors.insert(piece, cursor);
    return cursor;
}
