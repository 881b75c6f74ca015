// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QElapsedTimer>
#include <QFont>
#include <QPolygon>
#include <QWidget>
#include <string_view>
#include <vector>

#include "game/SquareCode.h"

class CGameShared;
class IBoardHost;
struct CBoardOptions;

// The board of a game window ("GameBoard"): squares, pieces, coordinates,
// the last-move highlight, examine-mode arrows and circles, the lifted piece
// and the slide of moves that arrive from the server; and the mouse input
// that turns drags and clicks into moves through the host. Painting goes
// through one off-screen image per paint covering only the damaged area.
class CBoardWnd : public QWidget {
    Q_OBJECT
  public:
    CBoardWnd(IBoardHost& host, CGameShared& shared, QWidget* parent = nullptr);
    ~CBoardWnd() override;

    // Geometry from the widget size and the current options.
    void RecomputeGeometry();
    int SquareWidth() const { return m_squareWidth; }
    int SquareHeight() const { return m_squareHeight; }
    int LeftOffset() const { return m_leftOffset; }
    int TopOffset() const { return m_topOffset; }

    // The highlight of the last move: a move record, or empty for none.
    void SetLastMove(std::string_view move);
    SquareCode LastFrom() const { return m_lastFrom; }
    SquareCode LastTo() const { return m_lastTo; }
    void AddArrow(SquareCode from, SquareCode to);
    void ClearArrows();
    void RemoveArrow(SquareCode from, SquareCode to);
    void AddCircle(SquareCode square);
    void ClearCircles();
    void RemoveCircle(SquareCode square);
    int ArrowCount() const { return static_cast<int>(m_arrowFrom.size()); }
    int CircleCount() const { return static_cast<int>(m_circles.size()); }
    // Starts sliding a move that is about to be applied (before it is).
    void StartAnimation(std::string_view move);
    bool Animating() const { return m_animating; }
    void SetFlipped(bool flipped);
    bool Flipped() const { return m_flipped; }
    // Repaints one square (extended upward for the 3D sets), or the castling
    // rook's or en-passant victim's squares a move changes besides its ends.
    void InvalidateSquare(SquareCode square);
    void InvalidateMoveExtras(std::string_view move);
    void InvalidateBoard();
    // Drops a lifted piece back: new positions from the server, loaded
    // games and taken-back moves call it.
    void CancelDrag();
    // A drag whose piece no longer stands on its square is cancelled.
    void CancelDragIfMoved();
    SquareCode DragFrom() const { return m_dragFrom; }
    char DragPiece() const { return m_dragPiece; }

    // Pixel <-> square with the current geometry and orientation.
    SquareCode SquareAtPoint(QPoint p) const;
    QPoint SquareTopLeft(SquareCode square) const;
    QRect SquareRect(SquareCode square) const;

    // Paints the part `clip` of the board with `options` onto `painter`
    // (the widget's own paint and printing use it).
    void PaintBoard(QPainter& painter, const QRect& clip, const CBoardOptions& options);

    // The filled arrow from tail a to tip b: shaft width w, head width h,
    // head length l (seven points; the tip lies exactly on b).
    static QPolygon ArrowPolygon(QPoint a, QPoint b, int w, int h, int l);
    // Animation frames drawn so far (the benchmark counts them).
    int AnimationFrames() const { return m_animFrames; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

  private:
    void Paint(QPainter& painter, const QRect& clip, const CBoardOptions& options, bool screen);
    void PaintAnimation(QPainter& painter, const CBoardOptions& options);
    void DrawPiece(QPainter& painter, const QRect& r, char piece,
                   const CBoardOptions& options) const;
    char PieceAt(SquareCode square) const;
    // A square-sized area centred on p, extended upward for the 3D sets.
    QRect DragArea(QPoint p) const;
    void StopAnimation();
    void LeftDown(QPoint p);
    void LeftUp(QPoint p);
    void FinishMove(SquareCode square);
    void ReleaseCapture();

    IBoardHost& m_host;
    CGameShared& m_shared;
    int m_squareWidth = 0;
    int m_squareHeight = 0;
    int m_leftOffset = 0;
    int m_topOffset = 0;
    bool m_flipped = false;
    SquareCode m_lastFrom = kNoSquare;
    SquareCode m_lastTo = kNoSquare;
    std::vector<SquareCode> m_circles;
    std::vector<SquareCode> m_arrowFrom;
    std::vector<SquareCode> m_arrowTo;
    bool m_animating = false;
    SquareCode m_dragFrom = kNoSquare;
    char m_dragPiece = '-';
    QFont m_coordFont;
    SquareCode m_animFrom = kNoSquare;
    SquareCode m_animTo = kNoSquare;
    SquareCode m_animCapturedSquare = kNoSquare;
    char m_animPiece = '-';
    char m_animCapturedPiece = '-';
    QRect m_animRect;
    QElapsedTimer m_animClock;
    int m_animTimer = 0;
    int m_animFrames = 0;
    static constexpr SquareCode kNoArrowStart = 0xFFFF;
    SquareCode m_arrowStart = kNoArrowStart;
    bool m_dragging = false;
    bool m_grabbed = false;
    QPoint m_dragPos;
};
