// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "game/PlunkPanel.h"

#include <QMouseEvent>
#include <QPainter>
#include <cctype>

#include "game/BoardHost.h"
#include "game/BoardWnd.h"
#include "game/GameShared.h"

namespace {

constexpr int kKingCell = 5;
constexpr int kEraserCell = 6;
constexpr int kBlackKingCell = 7;

int CellOf(char letter) {
    const size_t at = CPlunkPanel::kCells.find(letter);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

}  // namespace

CPlunkPanel::CPlunkPanel(IBoardHost& host, CGameShared& shared, CBoardWnd& board, QWidget* parent)
    : QWidget(parent), m_host(host), m_shared(shared), m_board(board) {
    setObjectName(QStringLiteral("PlunkPanel"));
    m_countFont.setFamily(QStringLiteral("Arial"));
}

void CPlunkPanel::SetCounts(std::string_view white, std::string_view black) {
    m_counts.fill(0);
    for (char c : white) {
        const int cell = CellOf(c);
        if (cell >= 0) ++m_counts[static_cast<size_t>(cell)];
    }
    for (char c : black) {
        const int cell = CellOf(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
        if (cell >= 0) ++m_counts[static_cast<size_t>(cell)];
    }
    update();
}

bool CPlunkPanel::CountCaptures(const std::vector<std::string>& moves, int startPly) {
    std::array<int, 13> counts{};
    for (size_t ply = static_cast<size_t>(std::max(0, startPly)); ply < moves.size(); ++ply) {
        const std::string& move = moves[ply];
        if (move.size() < 5 || move[0] == '?') continue;
        char taken = move[4];
        if (taken == 'E') taken = 'p';
        if (std::string_view("pnbrqk").find(taken) == std::string_view::npos) continue;
        // White moves in the even plies and takes Black's pieces.
        if (ply % 2 == 1)
            taken = static_cast<char>(std::toupper(static_cast<unsigned char>(taken)));
        ++counts[static_cast<size_t>(CellOf(taken))];
    }
    if (counts == m_counts) return false;
    m_counts = counts;
    update();
    return true;
}

std::array<int, 2> CPlunkPanel::HoldingsMaterial() const {
    static constexpr int kValues[5] = {1, 3, 3, 5, 9};
    std::array<int, 2> material{};
    for (int i = 0; i < 5; ++i) {
        material[1] += kValues[i] * m_counts[static_cast<size_t>(i)];
        material[0] += kValues[i] * m_counts[static_cast<size_t>(12 - i)];
    }
    return material;
}

void CPlunkPanel::SetFlipped(bool flipped) {
    if (m_flipped == flipped) return;
    m_flipped = flipped;
    update();
}

QRect CPlunkPanel::CellRect(int cell) const {
    const int row = m_flipped ? cell : 12 - cell;
    return {0, row * CellHeight(), width(), CellHeight()};
}

int CPlunkPanel::CellAt(QPoint p) const {
    const int ch = CellHeight();
    if (ch <= 0 || p.y() < 0) return -1;
    const int row = p.y() / ch;
    if (row > 12) return -1;
    return m_flipped ? row : 12 - row;
}

void CPlunkPanel::resizeEvent(QResizeEvent*) {
    m_countFont.setPixelSize(std::max(1, CellHeight() * 2 / 3));
}

void CPlunkPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& pal = palette();
    painter.fillRect(rect(), pal.color(QPalette::Window));
    const bool examining = m_host.Mode() == IBoardHost::Examining;
    const bool vector = m_shared.Options().Is3D();
    for (int cell = 0; cell < 13; ++cell) {
        const QRect r = CellRect(cell);
        const char letter = kCells[static_cast<size_t>(cell)];
        if (!examining && (cell == kKingCell || cell == kEraserCell || cell == kBlackKingCell))
            continue;  // left as an empty grey box
        painter.fillRect(r, pal.color(QPalette::Button));
        const bool sunken = cell == m_selected;
        const QColor topLeft = sunken ? pal.color(QPalette::Dark) : pal.color(QPalette::Light);
        const QColor bottomRight = sunken ? pal.color(QPalette::Light) : pal.color(QPalette::Dark);
        painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), topLeft);
        painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), topLeft);
        painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
        painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
        const int count = m_counts[static_cast<size_t>(cell)];
        if (count < 1) continue;
        // The tall 3D images do not fit a panel cell; the vector pieces do.
        if (vector)
            CPieceArt::DrawVector(painter, r, letter);
        else
            m_shared.Pieces().Draw(painter, r, letter);
        if (count < 2) continue;
        const QString text = QString::number(count);
        painter.setFont(m_countFont);
        const QFontMetrics metrics(m_countFont);
        const QRect area(r.left() + r.width() / 3, r.top() + r.height() / 3,
                         r.width() - r.width() / 3, r.height() - r.height() / 3);
        QRect box(0, 0, metrics.horizontalAdvance(text), metrics.height());
        box.moveBottomRight(area.bottomRight());
        painter.fillRect(box, Qt::black);
        painter.setPen(Qt::white);
        painter.drawText(box, Qt::AlignRight | Qt::AlignBottom | Qt::TextSingleLine, text);
    }
}

void CPlunkPanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const int cell = CellAt(event->position().toPoint());
    if (cell < 0) return;
    const int mode = m_host.Mode();
    const int relation = m_host.Relation();
    const bool noKingDrops = m_host.Wild() == 24;
    if (mode == IBoardHost::Observing) return;
    if (!m_host.DropGame() && mode != IBoardHost::Examining) return;
    if (relation == IBoardHost::PlaysWhite && cell >= (noKingDrops ? 5 : 6)) return;
    if (relation == IBoardHost::PlaysBlack && cell <= (noKingDrops ? 7 : 6)) return;
    m_selected = cell;
    setCursor(m_shared.Pieces().Cursor(kCells[static_cast<size_t>(cell)]));
    update();
}

void CPlunkPanel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || m_selected < 0) return;
    const char letter = kCells[static_cast<size_t>(m_selected)];
    m_selected = -1;
    unsetCursor();
    update();
    const QPoint onBoard = m_board.mapFromGlobal(mapToGlobal(event->position().toPoint()));
    const SquareCode square = m_board.SquareAtPoint(onBoard);
    if (IsSquare(square)) m_host.MakeMove(kNoSquare, square, letter, true);
}
