// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "lists/EventIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <array>

const QPixmap& CEventIcons::Get(Icon icon, qreal pixelRatio) {
    static std::array<QPixmap, 3> cache;
    QPixmap& pixmap = cache[static_cast<size_t>(icon)];
    if (pixmap.isNull() || pixmap.devicePixelRatio() != pixelRatio) {
        pixmap = Draw(icon, pixelRatio);
    }
    return pixmap;
}

QPixmap CEventIcons::Draw(Icon icon, qreal pixelRatio) {
    QPixmap pixmap(QSize(kSize, kSize) * pixelRatio);
    pixmap.setDevicePixelRatio(pixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box(1, 1, kSize - 2, kSize - 2);
    switch (icon) {
        case Information: {
            p.setPen(QPen(QColor(20, 60, 140), 1));
            p.setBrush(QColor(60, 120, 220));
            p.drawEllipse(box);
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::white);
            p.drawEllipse(QRectF(7.8, 3.5, 2.4, 2.4));
            p.drawRoundedRect(QRectF(7.9, 7.2, 2.2, 7.3), 0.8, 0.8);
            break;
        }
        case Watch: {
            // An eye.
            QPainterPath eye;
            eye.moveTo(1.5, 9);
            eye.quadTo(9, 1.5, 16.5, 9);
            eye.quadTo(9, 16.5, 1.5, 9);
            p.setPen(QPen(QColor(30, 90, 40), 1.2));
            p.setBrush(QColor(225, 245, 225));
            p.drawPath(eye);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(40, 140, 60));
            p.drawEllipse(QPointF(9, 9), 3.4, 3.4);
            p.setBrush(Qt::black);
            p.drawEllipse(QPointF(9, 9), 1.5, 1.5);
            break;
        }
        case Join: {
            // A plus on a warm disc: take part.
            p.setPen(QPen(QColor(150, 70, 0), 1));
            p.setBrush(QColor(240, 150, 30));
            p.drawEllipse(box);
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::white);
            p.drawRect(QRectF(7.8, 4, 2.4, 10));
            p.drawRect(QRectF(4, 7.8, 10, 2.4));
            break;
        }
    }
    return pixmap;
}
