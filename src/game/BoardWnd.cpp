// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "game/BoardWnd.h"

#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimerEvent>
#include <algorithm>
#include <cmath>
#include <string>

#include "game/BoardHost.h"
#include "game/BoardOptions.h"
#include "game/GameShared.h"

namespace {

QColor FromColorRef(uint32_t c) {
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

// A frame of `width` pixels drawn inside r.
void FrameInside(QPainter& painter, const QRect& r, int width, const QColor& color) {
    painter.fillRect(QRect(r.left(), r.top(), r.width(), width), color);
    painter.fillRect(QRect(r.left(), r.bottom() - width + 1, r.width(), width), color);
    painter.fillRect(QRect(r.left(), r.top(), width, r.height()), color);
    painter.fillRect(QRect(r.right() - width + 1, r.top(), width, r.height()), color);
}

// 25 frames a second: a 50 ms step would make 20 the best a slide can reach,
// and any late frame would drop it below.
constexpr int kAnimFrameMs = 40;

// The textures at one screen ratio, shared by every board as the textures
// themselves are (all boards run on the one interface thread).
struct ScaledTextures {
    qreal ratio = 0;
    qint64 key = 0;
    QImage images[2];
};

const ScaledTextures& ScaledFor(const CBoardTextures& textures, qreal ratio) {
    static ScaledTextures cache;
    if (cache.ratio != ratio || cache.key != textures.Light().cacheKey()) {
        cache.ratio = ratio;
        cache.key = textures.Light().cacheKey();
        for (int i = 0; i < 2; ++i) {
            const QImage& original = i ? textures.Dark() : textures.Light();
            cache.images[i] = original.scaled(original.size() * ratio, Qt::IgnoreAspectRatio,
                                              Qt::SmoothTransformation);
            cache.images[i].setDevicePixelRatio(ratio);
        }
    }
    return cache;
}

// A stored slide time of 0 or less is ignored.
int SlideMs(const CBoardOptions& options) {
    return options.animateTime > 0 ? options.animateTime : 400;
}

}  // namespace

CBoardWnd::CBoardWnd(IBoardHost& host, CGameShared& shared, QWidget* parent)
    : QWidget(parent), m_host(host), m_shared(shared) {
    setObjectName(QStringLiteral("GameBoard"));
    // Every pixel is painted from the off-screen image.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The click-click style follows the mouse between the two clicks.
    setMouseTracking(true);
    m_coordFont.setFamily(QStringLiteral("Courier New"));
    m_coordFont.setBold(true);
}

CBoardWnd::~CBoardWnd() = default;

void CBoardWnd::RecomputeGeometry() {
    const CBoardOptions& options = m_shared.Options();
    const int d = std::min(width(), height());
    const bool coords = options.drawCoords;
    const bool tall = options.Is3D();
    m_squareWidth = static_cast<int>(d / (coords ? 8.5 : 8.0));
    m_squareHeight = tall ? static_cast<int>(d / (coords ? 9.5 : 9.0)) : m_squareWidth;
    m_leftOffset = coords ? m_squareWidth / 2 : 0;
    m_topOffset = tall ? m_squareHeight : 0;
    m_coordFont.setPixelSize(std::max(1, m_squareHeight / 2 - 2));
    update();
}

void CBoardWnd::resizeEvent(QResizeEvent*) {
    RecomputeGeometry();
}

// --- squares and pixels ---

SquareCode CBoardWnd::SquareAtPoint(QPoint p) const {
    const int x = p.x() - m_leftOffset;
    const int y = p.y() - m_topOffset;
    if (m_squareWidth <= 0 || m_squareHeight <= 0 || x < 0 || y < 0 || x >= 8 * m_squareWidth ||
        y >= 8 * m_squareHeight)
        return kNoSquare;
    const int column = x / m_squareWidth;
    const int row = y / m_squareHeight;
    if (m_flipped) return MakeSquare(static_cast<char>('h' - column), static_cast<char>('1' + row));
    return MakeSquare(static_cast<char>('a' + column), static_cast<char>('8' - row));
}

QPoint CBoardWnd::SquareTopLeft(SquareCode square) const {
    const int column = m_flipped ? 'h' - SquareFile(square) : SquareFile(square) - 'a';
    const int row = m_flipped ? SquareRank(square) - '1' : '8' - SquareRank(square);
    return {column * m_squareWidth + m_leftOffset, row * m_squareHeight + m_topOffset};
}

QRect CBoardWnd::SquareRect(SquareCode square) const {
    return {SquareTopLeft(square), QSize(m_squareWidth, m_squareHeight)};
}

char CBoardWnd::PieceAt(SquareCode square) const {
    if (!IsSquare(square)) return '-';
    return m_host.ShownBoard()[SquareIndex(square)];
}

QRect CBoardWnd::DragArea(QPoint p) const {
    QRect r(p.x() - m_squareWidth / 2, p.y() - m_squareHeight / 2, m_squareWidth, m_squareHeight);
    r.setTop(r.top() - m_topOffset);
    return r;
}

// --- invalidation ---

void CBoardWnd::InvalidateSquare(SquareCode square) {
    if (!IsSquare(square)) return;
    QRect r = SquareRect(square);
    r.setTop(r.top() - m_topOffset);
    update(r);
}

void CBoardWnd::InvalidateMoveExtras(std::string_view move) {
    const SquareCode from = SquareAt(move, 0);
    const SquareCode to = SquareAt(move, 2);
    if (!from || !to || move.size() < 5) return;
    const char rank = SquareRank(from);
    auto rook = [&](char a, char b) {
        InvalidateSquare(MakeSquare(a, rank));
        InvalidateSquare(MakeSquare(b, rank));
    };
    // The same rook moves as the record applies (the king may start on the
    // d-file in the wild variants).
    switch (move.back()) {
        case 'c':
            if (SquareFile(from) != 'd')
                rook('h', 'f');
            else
                rook('a', 'c');
            break;
        case 'C':
            if (SquareFile(from) == 'e')
                rook('a', 'd');
            else
                rook('h', 'e');
            break;
        case 'E':
            InvalidateSquare(MakeSquare(SquareFile(to), rank));
            break;
        default:
            break;
    }
}

void CBoardWnd::InvalidateBoard() {
    update();
}

void CBoardWnd::SetLastMove(std::string_view move) {
    InvalidateSquare(m_lastFrom);
    InvalidateSquare(m_lastTo);
    InvalidateSquare(m_dragFrom);
    m_lastFrom = kNoSquare;
    m_lastTo = kNoSquare;
    if (move.empty()) return;
    if (move.size() >= 2 && move[1] == '@') {
        m_lastTo = SquareAt(move, 2);
    } else if (move[0] == '?') {
        if (move.size() >= 2 && move[1] == 'x') m_lastTo = SquareAt(move, 2);
    } else if (SquareAt(move, 0) && SquareAt(move, 2)) {
        // A record that does not name both squares is no move to show.
        m_lastFrom = SquareAt(move, 0);
        m_lastTo = SquareAt(move, 2);
    }
    InvalidateSquare(m_lastFrom);
    InvalidateSquare(m_lastTo);
}

// --- arrows and circles ---

void CBoardWnd::AddArrow(SquareCode from, SquareCode to) {
    m_arrowFrom.push_back(from);
    m_arrowTo.push_back(to);
    update();
}

void CBoardWnd::ClearArrows() {
    if (m_arrowFrom.empty()) return;
    m_arrowFrom.clear();
    m_arrowTo.clear();
    update();
}

void CBoardWnd::RemoveArrow(SquareCode from, SquareCode to) {
    bool removed = false;
    for (size_t i = m_arrowFrom.size(); i-- > 0;) {
        if (m_arrowFrom[i] == from && m_arrowTo[i] == to) {
            m_arrowFrom.erase(m_arrowFrom.begin() + static_cast<std::ptrdiff_t>(i));
            m_arrowTo.erase(m_arrowTo.begin() + static_cast<std::ptrdiff_t>(i));
            removed = true;
        }
    }
    if (removed) update();
}

void CBoardWnd::AddCircle(SquareCode square) {
    m_circles.push_back(square);
    InvalidateSquare(square);
}

void CBoardWnd::ClearCircles() {
    for (SquareCode square : m_circles) InvalidateSquare(square);
    m_circles.clear();
}

void CBoardWnd::RemoveCircle(SquareCode square) {
    m_circles.erase(std::remove(m_circles.begin(), m_circles.end(), square), m_circles.end());
    InvalidateSquare(square);
}

QPolygon CBoardWnd::ArrowPolygon(QPoint a, QPoint b, int w, int h, int l) {
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    const int length = static_cast<int>(std::sqrt(dx * dx + dy * dy) + 0.5);
    const double divisor = length == 0 ? 1.0 : length;
    const double c = dx / divisor;
    const double s = dy / divisor;
    const int along[7] = {0, length - l, length - l, length, length - l, length - l, 0};
    const int across[7] = {w / 2, w / 2, h / 2, 0, h / 2 - h, w / 2 - w, w / 2 - w};
    QPolygon polygon(7);
    for (int i = 0; i < 7; ++i) {
        const double u = along[i];
        const double v = across[i];
        polygon.setPoint(i, static_cast<int>(u * c - v * s + a.x() + 0.5),
                         static_cast<int>(u * s + v * c + a.y() + 0.5));
    }
    return polygon;
}

// --- flipping and animation ---

void CBoardWnd::SetFlipped(bool flipped) {
    if (m_flipped == flipped) return;
    m_flipped = flipped;
    update();
}

void CBoardWnd::StopAnimation() {
    m_animating = false;
    if (m_animTimer) {
        killTimer(m_animTimer);
        m_animTimer = 0;
    }
}

void CBoardWnd::StartAnimation(std::string_view move) {
    if (m_animating) update();
    StopAnimation();
    const CBoardOptions& options = m_shared.Options();
    if (!options.animateMoves || move.empty() || move[0] == '?' ||
        (move.size() >= 2 && move[1] == '@'))
        return;
    const SquareCode from = SquareAt(move, 0);
    const SquareCode to = SquareAt(move, 2);
    if (!from || !to) return;
    m_animating = true;
    m_animClock.start();
    m_animFrames = 0;
    m_animFrom = from;
    m_animTo = to;
    m_animPiece = PieceAt(from);
    m_animCapturedSquare =
        (move.size() >= 5 && move[4] == 'E') ? MakeSquare(SquareFile(to), SquareRank(from)) : to;
    m_animCapturedPiece = PieceAt(m_animCapturedSquare);
    m_animRect = SquareRect(from).united(SquareRect(to));
    if (options.Is3D()) m_animRect.setTop(m_animRect.top() - m_squareHeight);
    update(m_animRect);
}

void CBoardWnd::timerEvent(QTimerEvent* event) {
    if (event->timerId() != m_animTimer) {
        QWidget::timerEvent(event);
        return;
    }
    killTimer(m_animTimer);
    m_animTimer = 0;
    update(m_animRect);
}

void CBoardWnd::PaintAnimation(QPainter& painter, const CBoardOptions& options) {
    const int duration = SlideMs(options);
    const qint64 elapsed = m_animClock.elapsed();
    if (elapsed >= duration) {
        StopAnimation();
        update(m_animRect);
        return;
    }
    if (!m_animTimer) {
        // Frames fall on fixed steps counted from the start, so the time a
        // paint takes does not stretch the interval between frames.
        const qint64 next = (elapsed / kAnimFrameMs + 1) * kAnimFrameMs;
        m_animTimer =
            startTimer(static_cast<int>(std::max<qint64>(1, next - elapsed)), Qt::PreciseTimer);
        if (!m_animTimer) {
            StopAnimation();
            update(m_animRect);
            return;
        }
    }
    ++m_animFrames;
    if (m_animCapturedPiece != '-')
        DrawPiece(painter, SquareRect(m_animCapturedSquare), m_animCapturedPiece, options);
    const QPoint from = SquareTopLeft(m_animFrom);
    const QPoint to = SquareTopLeft(m_animTo);
    const QPoint at(from.x() + static_cast<int>((to.x() - from.x()) * elapsed / duration),
                    from.y() + static_cast<int>((to.y() - from.y()) * elapsed / duration));
    DrawPiece(painter, QRect(at, QSize(m_squareWidth, m_squareHeight)), m_animPiece, options);
}

// --- painting ---

void CBoardWnd::DrawPiece(QPainter& painter, const QRect& r, char piece,
                          const CBoardOptions& options) const {
    // Printing may ask for the vector set while the screen shows another.
    if (options.pieceSet == CBoardOptions::kVectorSet &&
        m_shared.Pieces().Set() != CBoardOptions::kVectorSet)
        CPieceArt::DrawVector(painter, r, piece);
    else
        m_shared.Pieces().Draw(painter, r, piece);
}

void CBoardWnd::paintEvent(QPaintEvent* event) {
    const QRect clip = event->rect();
    if (clip.isEmpty()) return;
    // An image of the clip box only, made per paint: one kept at the board's
    // size would cost megabytes per game window when many games are open.
    const qreal ratio = devicePixelRatioF();
    QImage image(clip.size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    {
        QPainter painter(&image);
        painter.translate(-clip.topLeft());
        Paint(painter, clip, m_shared.Options(), true);
    }
    QPainter screen(this);
    screen.drawImage(clip.topLeft(), image);
}

void CBoardWnd::PaintBoard(QPainter& painter, const QRect& clip, const CBoardOptions& options) {
    Paint(painter, clip, options, false);
}

void CBoardWnd::Paint(QPainter& painter, const QRect& clip, const CBoardOptions& options,
                      bool screen) {
    const bool live = m_host.IsLive();
    // A slide that has run its time ends before the squares are drawn, so
    // this paint already shows the piece on its destination.
    if (screen && live && m_animating && m_animClock.elapsed() >= SlideMs(options)) {
        StopAnimation();
        update(m_animRect);
    }
    const BoardText& board = m_host.ShownBoard();
    const int sw = m_squareWidth;
    const int sh = m_squareHeight;
    const QRect boardRect(m_leftOffset, m_topOffset, 8 * sw, 8 * sh);

    const QColor menu = palette().color(QPalette::Window);
    for (const QRect& r : QRegion(clip).subtracted(QRegion(boardRect))) painter.fillRect(r, menu);
    if (sw <= 0 || sh <= 0) return;

    const QColor highlight = FromColorRef(options.highlight);
    const int highlightWidth = (sw + 29) / 30;
    const int circleWidth = (sw + 11) / 12;
    const QPen circlePen(FromColorRef(options.circle), circleWidth);

    const CBoardTextures& textures = m_shared.Textures();
    const bool textured = options.boardStyle != CBoardOptions::kSolidBoard && textures.Textured() &&
                          textures.Style() == options.boardStyle;
    int tilesAcross = 1;
    int tilesDown = 1;
    if (textured) {
        tilesAcross = textures.Light().width() / sw;
        tilesDown = textures.Light().height() / sh;
        if (tilesAcross * tilesDown < 1) tilesAcross = tilesDown = 1;
    }
    const int tiles = tilesAcross * tilesDown;
    // On a high-DPI screen the textures are scaled once per ratio, so that
    // each square is a plain copy rather than a scaled one.
    const QImage* lightTexture = &textures.Light();
    const QImage* darkTexture = &textures.Dark();
    qreal scale = 1.0;
    if (textured && screen && painter.device()->devicePixelRatioF() != 1.0) {
        scale = painter.device()->devicePixelRatioF();
        const ScaledTextures& scaled = ScaledFor(textures, scale);
        lightTexture = &scaled.images[0];
        darkTexture = &scaled.images[1];
    }
    const QColor light = FromColorRef(options.lightSquare);
    const QColor dark = FromColorRef(options.darkSquare);

    // A tall piece on the square below reaches up into the clip.
    QRect reach = clip;
    if (options.Is3D()) reach.setBottom(reach.bottom() + m_topOffset);
    const bool lifted = m_dragPiece != '-';

    for (int row = 0, k = 0; row < 8; ++row) {
        for (int column = 0; column < 8; ++column, ++k) {
            const QRect r(m_leftOffset + column * sw, m_topOffset + row * sh, sw, sh);
            if (!r.intersects(reach)) continue;
            const bool isLight = (row + column) % 2 == 0;
            if (textured) {
                const QImage& texture = isLight ? *lightTexture : *darkTexture;
                const int t = (k / 2) % tiles;
                const QRectF source(
                    QRectF((t % tilesAcross) * sw, (t / tilesAcross) * sh, sw, sh).topLeft() *
                        scale,
                    QSizeF(sw, sh) * scale);
                // A texture smaller than a square is stretched rather than
                // read past its edge.
                if (QRectF(texture.rect()).contains(source))
                    painter.drawImage(QRectF(r), texture, source);
                else
                    painter.drawImage(r, texture, texture.rect());
            } else {
                painter.fillRect(r, isLight ? light : dark);
            }
            const SquareCode square =
                m_flipped
                    ? MakeSquare(static_cast<char>('h' - column), static_cast<char>('1' + row))
                    : MakeSquare(static_cast<char>('a' + column), static_cast<char>('8' - row));
            if (live && options.highlightMoves && (square == m_lastFrom || square == m_lastTo))
                FrameInside(painter, r, highlightWidth, highlight);
            if (live) {
                for (SquareCode circle : m_circles) {
                    if (circle != square) continue;
                    painter.save();
                    painter.setRenderHint(QPainter::Antialiasing);
                    painter.setPen(circlePen);
                    painter.setBrush(Qt::NoBrush);
                    const qreal half = circleWidth / 2.0;
                    painter.drawEllipse(QRectF(r).adjusted(half, half, -half, -half));
                    painter.restore();
                }
            }
            if (lifted && square == m_dragFrom) {
                if (options.highlightMoves) FrameInside(painter, r, highlightWidth, highlight);
                if (options.dragType != CBoardOptions::DragTargetCursor) continue;
            }
            if (live && m_animating && square == m_animTo) continue;
            const char piece = board[m_flipped ? 63 - k : k];
            if (piece != '-') DrawPiece(painter, r, piece, options);
        }
    }

    if (live && !m_arrowFrom.empty()) {
        const QColor arrow = FromColorRef(options.arrow);
        painter.save();
        painter.setPen(QPen(arrow, 1));
        painter.setBrush(arrow);
        const int w = (sw + 17) / 18;
        const QPoint half(sw / 2, sh / 2);
        for (size_t i = 0; i < m_arrowFrom.size(); ++i) {
            if (!IsSquare(m_arrowFrom[i]) || !IsSquare(m_arrowTo[i])) continue;
            painter.drawPolygon(ArrowPolygon(SquareTopLeft(m_arrowFrom[i]) + half,
                                             SquareTopLeft(m_arrowTo[i]) + half, w, 3 * w, 3 * w));
        }
        painter.restore();
    }

    if (options.drawCoords) {
        painter.setFont(m_coordFont);
        painter.setPen(Qt::black);
        const int flags = Qt::AlignCenter | Qt::TextSingleLine;
        for (int r = 0; r < 8; ++r) {
            const char rank = static_cast<char>(m_flipped ? '1' + r : '8' - r);
            painter.drawText(QRect(0, m_topOffset + r * sh, m_leftOffset, sh), flags,
                             QString(QChar(rank)));
        }
        const int bottom = m_topOffset + 8 * sh;
        for (int c = 0; c < 8; ++c) {
            const char file = static_cast<char>(m_flipped ? 'h' - c : 'a' + c);
            painter.drawText(QRect(m_leftOffset + c * sw, bottom + 1, sw, sh / 2 - 1), flags,
                             QString(QChar(file)));
        }
    }

    if (lifted && m_dragging && options.dragType == CBoardOptions::DragNormal)
        DrawPiece(painter, QRect(m_dragPos.x() - sw / 2, m_dragPos.y() - sh / 2, sw, sh),
                  m_dragPiece, options);

    if (screen && live && m_animating) PaintAnimation(painter, options);
}

// --- mouse input ---

void CBoardWnd::ReleaseCapture() {
    if (m_grabbed) {
        releaseMouse();
        m_grabbed = false;
    }
    m_dragging = false;
}

void CBoardWnd::CancelDrag() {
    const bool wasLifted = m_dragPiece != '-' || m_dragging;
    if (wasLifted) {
        InvalidateSquare(m_dragFrom);
        update(DragArea(m_dragPos));
    }
    ReleaseCapture();
    m_dragFrom = kNoSquare;
    m_dragPiece = '-';
    if (wasLifted) unsetCursor();
}

void CBoardWnd::CancelDragIfMoved() {
    if (m_dragPiece != '-' && PieceAt(m_dragFrom) != m_dragPiece) CancelDrag();
}

void CBoardWnd::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        LeftDown(p);
    } else if (event->button() == Qt::RightButton) {
        m_arrowStart = m_host.Mode() == IBoardHost::Examining ? SquareAtPoint(p) : kNoArrowStart;
    }
}

void CBoardWnd::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        LeftUp(p);
        return;
    }
    if (event->button() != Qt::RightButton) return;
    const SquareCode start = m_arrowStart;
    m_arrowStart = kNoArrowStart;
    const SquareCode square = SquareAtPoint(p);
    if (start == kNoArrowStart || !IsSquare(start) || m_host.Mode() != IBoardHost::Examining ||
        !IsSquare(square))
        return;
    std::string command = (event->modifiers() & Qt::ControlModifier) ? "Un" : "";
    if (square == start) {
        command += std::string("Circle ") + SquareFile(square) + SquareRank(square) + "\n";
    } else {
        command += std::string("Arrow ") + SquareFile(start) + SquareRank(start) + ' ' +
                   SquareFile(square) + SquareRank(square) + "\n";
    }
    m_host.SendGameCommand(command);
}

void CBoardWnd::LeftDown(QPoint p) {
    if (m_host.Mode() == IBoardHost::Observing || m_host.Relation() == IBoardHost::Observes) return;
    if (!m_host.IsLive()) {
        m_host.GoLive();
        return;
    }
    const CBoardOptions& options = m_shared.Options();
    const SquareCode square = SquareAtPoint(p);
    if (!options.dragMove && m_dragPiece != '-') {
        if (options.dragType != CBoardOptions::DragNormal) unsetCursor();
        FinishMove(square);
        return;
    }
    if (!IsSquare(square)) return;
    const char piece = PieceAt(square);
    if (piece == '-') return;
    const int side = BoardText::ColourOf(piece);
    const int relation = m_host.Relation();
    if ((relation == IBoardHost::PlaysBlack && side == 1) ||
        (relation == IBoardHost::PlaysWhite && side == 0))
        return;
    m_dragPiece = piece;
    m_dragFrom = square;

    const int ply = m_host.Record().Ply();
    const bool myTurn = (relation == IBoardHost::PlaysWhite && ply % 2 == 0) ||
                        (relation == IBoardHost::PlaysBlack && ply % 2 == 1);
    if (options.smartMove && m_host.LocalCheck() && m_host.PendingCount() == 0 && myTurn) {
        const GameRecord::Destinations d = m_host.Record().CountLegalDestinations(
            SquareFile(square) - 'a', '8' - SquareRank(square));
        if (d.count == 0) {
            m_host.PlaySound(SoundEvent::IllegalMove);
            m_dragPiece = '-';
            m_dragFrom = kNoSquare;
            return;
        }
        if (d.count == 1) {
            FinishMove(MakeSquare(static_cast<char>('a' + d.file), static_cast<char>('8' - d.row)));
            return;
        }
    }
    if (options.dragMove || options.dragType == CBoardOptions::DragNormal) {
        m_dragging = true;
        m_dragPos = p;
        // A press already holds the mouse until release; the click-click
        // style must hold it between the clicks to see a click elsewhere.
        if (!options.dragMove && isVisible()) {
            grabMouse();
            m_grabbed = true;
        }
    }
    if (options.dragType == CBoardOptions::DragTargetCursor)
        setCursor(Qt::CrossCursor);
    else if (options.dragType == CBoardOptions::DragPieceCursor)
        setCursor(m_shared.Pieces().Cursor(piece));
    InvalidateSquare(square);
    update(DragArea(p));
}

void CBoardWnd::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragging || m_shared.Options().dragType != CBoardOptions::DragNormal) return;
    update(DragArea(m_dragPos));
    m_dragPos = event->position().toPoint();
    update(DragArea(m_dragPos));
}

void CBoardWnd::LeftUp(QPoint p) {
    const CBoardOptions& options = m_shared.Options();
    if (!options.dragMove || !m_dragging) return;
    const SquareCode square = SquareAtPoint(p);
    if (!IsSquare(square)) update(DragArea(p));
    if (options.dragType != CBoardOptions::DragNormal) unsetCursor();
    FinishMove(square);
}

void CBoardWnd::FinishMove(SquareCode square) {
    ReleaseCapture();
    const SquareCode from = m_dragFrom;
    const char piece = m_dragPiece;
    // The dragged piece's last position must be repainted once it is gone.
    update(DragArea(m_dragPos));
    m_dragPiece = '-';
    m_dragFrom = kNoSquare;
    InvalidateSquare(from);
    // The host may open the promotion dialog and handle server updates
    // meanwhile, so the lifted state is cleared before it is called.
    if (piece != '-' && IsSquare(square) && square != from)
        m_host.MakeMove(from, square, piece, true);
    if (!IsSquare(square)) return;
    const QRect centre = SquareRect(square);
    QRect block = centre.adjusted(-m_squareWidth, -m_squareHeight - m_topOffset, m_squareWidth,
                                  m_squareHeight);
    update(block);
}
