// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "game/GamePrinter.h"

#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "game/BoardOptions.h"
#include "game/BoardWnd.h"
#include "game/GameView.h"
#include "game/LabelWnd.h"
#include "game/MoveListWnd.h"

namespace {

// Edges as (left, top, right, bottom), as the page is divided.
QRect Edges(int left, int top, int right, int bottom) {
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

}  // namespace

QString CGamePrinter::WithoutSuffix(const QString& info) {
    const qsizetype open = info.indexOf(QLatin1Char('('));
    if (open <= 1) return info;
    qsizetype end = open;
    if (end > 0 && info[end - 1] == QLatin1Char(' ')) --end;
    return info.left(end);
}

QString CGamePrinter::ScoreText(const CGameView& view) {
    const CMoveListWnd& list = *view.MoveList();
    QString text;
    for (int n = 0; n < list.Count(); ++n) {
        if (n % 2 == 0) {
            if (n > 0) text += QLatin1Char(' ');
            text += QStringLiteral("%1. ").arg(n / 2 + 1);
        }
        text += list.MoveText(n) + QLatin1Char(' ');
    }
    return text + QString::fromStdString(view.Result());
}

void CGamePrinter::Paint(CGameView& view, QPainter& painter, const QRect& page) {
    const int D = std::min(page.width(), page.height());
    const int q = static_cast<int>(D * 0.125) / 2;
    const int right = page.width();

    CBoardWnd& board = *view.Board();
    CBoardOptions options = view.Options();
    options.pieceSet = CBoardOptions::kVectorSet;
    options.boardStyle = CBoardOptions::kSolidBoard;
    options.lightSquare = 0xE0E0E0;
    options.darkSquare = 0xA0A0A0;
    options.drawCoords = false;
    options.highlightMoves = false;
    const bool flipped = board.Flipped();
    board.SetFlipped(false);
    if (board.width() > 0 && board.height() > 0) {
        painter.save();
        // The board paints in its own pixels; the page wants q-pixel squares.
        painter.scale(8.0 * q / board.width(), 8.0 * q / board.height());
        board.PaintBoard(painter, QRect(QPoint(0, 0), board.size()), options);
        painter.restore();
    }
    board.SetFlipped(flipped);

    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSize(11);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const int single = Qt::TextSingleLine | Qt::AlignLeft;
    painter.drawText(Edges(9 * q, 0, right, q), single | Qt::AlignVCenter, view.Label(0)->Text());
    painter.drawText(Edges(9 * q, q, right, 2 * q), single | Qt::AlignBottom,
                     WithoutSuffix(view.InfoText()));
    const int shown = view.ShownPly();
    if (shown > 0 && shown <= view.MoveList()->Count()) {
        const int n = shown - 1;
        const QString move = QStringLiteral("%1. %2%3")
                                 .arg(n / 2 + 1)
                                 .arg(n % 2 ? QStringLiteral("... ") : QString())
                                 .arg(view.MoveList()->MoveText(n));
        painter.drawText(Edges(9 * q, 3 * q, right, 5 * q), single | Qt::AlignVCenter, move);
    }
    painter.drawText(Edges(9 * q, 7 * q, right, 8 * q), single | Qt::AlignVCenter,
                     view.Label(1)->Text());
    painter.drawText(Edges(0, 8 * q, right, page.height()), Qt::TextWordWrap | Qt::AlignLeft,
                     ScoreText(view));
}

void CGamePrinter::Print(CGameView& view, QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer)) return;
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    Paint(view, painter, QRect(QPoint(0, 0), page.size()));
    painter.end();
}
