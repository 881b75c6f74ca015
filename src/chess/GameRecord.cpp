// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "chess/GameRecord.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace {

constexpr char ToLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
constexpr char ToUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// One entry per piece: whether it slides, and its (file, row) steps.
struct PieceSteps {
    bool slides;
    int count;
    int steps[8][2];
};

constexpr PieceSteps kKnight{
    false, 8, {{2, 1}, {1, 2}, {2, -1}, {1, -2}, {-2, 1}, {-1, 2}, {-2, -1}, {-1, -2}}};
constexpr PieceSteps kBishop{true, 4, {{1, 1}, {1, -1}, {-1, -1}, {-1, 1}}};
constexpr PieceSteps kRook{true, 4, {{1, 0}, {0, 1}, {-1, 0}, {0, -1}}};
constexpr PieceSteps kQueen{
    true, 8, {{1, 0}, {0, 1}, {-1, 0}, {0, -1}, {1, 1}, {1, -1}, {-1, -1}, {-1, 1}}};
constexpr PieceSteps kKing{
    false, 8, {{1, 0}, {0, 1}, {-1, 0}, {0, -1}, {1, 1}, {1, -1}, {-1, -1}, {-1, 1}}};

const PieceSteps* StepsFor(char piece) {
    switch (ToUpper(piece)) {
        case 'N':
            return &kKnight;
        case 'B':
            return &kBishop;
        case 'R':
            return &kRook;
        case 'Q':
            return &kQueen;
        case 'K':
            return &kKing;
        default:
            return nullptr;
    }
}

bool IsEnemy(char square, int colour) {
    return square != BoardText::kEmpty && BoardText::ColourOf(square) != colour;
}

// Whether any square holding colour's king letter is attacked by the other
// colour. Looking outwards from each king square finds exactly the pieces
// whose own walks would reach it, and the castling test relies on several
// king letters being on the board at once.
bool KingAttacked(const BoardText& board, int colour) {
    const char king = colour == 1 ? 'K' : 'k';
    const auto enemy = [colour](char upper) { return colour == 1 ? ToLower(upper) : upper; };
    const char pawn = enemy('P');
    const char knight = enemy('N');
    const char bishop = enemy('B');
    const char rook = enemy('R');
    const char queen = enemy('Q');
    const char enemyKing = enemy('K');
    // A white pawn attacks the row above it (row - 1), so it stands one row
    // below the king; a black pawn one row above.
    const int pawnRowStep = colour == 1 ? -1 : 1;
    for (int index = 0; index < 64; ++index) {
        if (board[index] != king) continue;
        const int file = index % 8;
        const int row = index / 8;
        for (int df : {-1, 1}) {
            const int f = file + df;
            const int r = row + pawnRowStep;
            if (BoardText::OnBoard(f, r) && board.At(f, r) == pawn) return true;
        }
        for (int i = 0; i < 8; ++i) {
            const int f = file + kKnight.steps[i][0];
            const int r = row + kKnight.steps[i][1];
            if (BoardText::OnBoard(f, r) && board.At(f, r) == knight) return true;
        }
        for (int i = 0; i < 8; ++i) {
            const int sf = kQueen.steps[i][0];
            const int sr = kQueen.steps[i][1];
            const bool straight = i < 4;
            int f = file + sf;
            int r = row + sr;
            bool first = true;
            while (BoardText::OnBoard(f, r)) {
                const char c = board.At(f, r);
                if (c != BoardText::kEmpty) {
                    if (c == queen || c == (straight ? rook : bishop)) return true;
                    if (first && c == enemyKing) return true;
                    break;
                }
                first = false;
                f += sf;
                r += sr;
            }
        }
    }
    return false;
}

// The legality walk of one piece, in count mode or verify mode.
class DestinationWalk {
  public:
    DestinationWalk(const BoardText& board, int epFile, std::optional<int> target)
        : m_board(board), m_epFile(epFile), m_target(target) {}

    // Walks the destinations of the piece on (file, row) until the answer is
    // known: the count reached 2, or the target turned out legal.
    void Run(int file, int row);

    bool Found() const { return m_found; }
    int Count() const { return m_count; }
    int Last() const { return m_last; }

  private:
    // Tries one destination; returns false when the walk is finished.
    bool Try(int file, int row, int toFile, int toRow, int victim = -1);
    bool Done() const { return m_found || (!m_target && m_count >= 2); }
    void Castling(int file, int row, int colour);

    BoardText m_board;
    int m_epFile;
    std::optional<int> m_target;
    bool m_found = false;
    int m_count = 0;
    int m_last = -1;
};

bool DestinationWalk::Try(int file, int row, int toFile, int toRow, int victim) {
    const int from = BoardText::Index(file, row);
    const int to = BoardText::Index(toFile, toRow);
    const char piece = m_board[from];
    const char saved = m_board[to];
    const char savedVictim = victim >= 0 ? m_board[victim] : BoardText::kEmpty;
    m_board[to] = piece;
    m_board[from] = BoardText::kEmpty;
    if (victim >= 0) m_board[victim] = BoardText::kEmpty;
    const bool attacked = KingAttacked(m_board, BoardText::ColourOf(piece));
    if (victim >= 0) m_board[victim] = savedVictim;
    m_board[from] = piece;
    m_board[to] = saved;
    if (!attacked) {
        if (m_target) {
            if (*m_target == to) m_found = true;
        } else {
            ++m_count;
            m_last = to;
        }
    }
    return !Done();
}

void DestinationWalk::Castling(int file, int row, int colour) {
    const char king = m_board.At(file, row);
    for (int d : {-1, 1}) {
        const int f1 = file + d;
        const int f2 = file + 2 * d;
        const int f3 = file + 3 * d;
        if (m_board.At(f1, row) != BoardText::kEmpty || m_board.At(f2, row) != BoardText::kEmpty)
            continue;
        if (f3 != 0 && f3 != 7 && m_board.At(f3, row) != BoardText::kEmpty) continue;
        m_board[BoardText::Index(f1, row)] = king;
        m_board[BoardText::Index(f2, row)] = king;
        const bool attacked = KingAttacked(m_board, colour);
        m_board[BoardText::Index(f1, row)] = BoardText::kEmpty;
        m_board[BoardText::Index(f2, row)] = BoardText::kEmpty;
        if (attacked) continue;
        const int to = BoardText::Index(f2, row);
        if (m_target) {
            if (*m_target == to) m_found = true;
        } else {
            ++m_count;
            m_last = to;
        }
        if (Done()) return;
    }
}

void DestinationWalk::Run(int file, int row) {
    const char piece = m_board.At(file, row);
    if (piece == BoardText::kEmpty) return;
    const int colour = BoardText::ColourOf(piece);
    if (piece == 'P' || piece == 'p') {
        const int step = piece == 'P' ? -1 : 1;
        const int ahead = row + step;
        if (ahead < 0 || ahead > 7) return;
        if (m_board.At(file, ahead) == BoardText::kEmpty) {
            if (!Try(file, row, file, ahead)) return;
            const int startRow = piece == 'P' ? 6 : 1;
            if (row == startRow && m_board.At(file, ahead + step) == BoardText::kEmpty) {
                if (!Try(file, row, file, ahead + step)) return;
            }
        }
        const int epRow = piece == 'P' ? 3 : 4;
        for (int df : {-1, 1}) {
            const int f = file + df;
            if (f < 0 || f > 7) continue;
            const char there = m_board.At(f, ahead);
            if (IsEnemy(there, colour)) {
                if (!Try(file, row, f, ahead)) return;
            } else if (there == BoardText::kEmpty && f == m_epFile && row == epRow) {
                if (!Try(file, row, f, ahead, BoardText::Index(f, row))) return;
            }
        }
        return;
    }
    const PieceSteps* steps = StepsFor(piece);
    if (!steps) return;
    for (int i = 0; i < steps->count; ++i) {
        int f = file + steps->steps[i][0];
        int r = row + steps->steps[i][1];
        while (BoardText::OnBoard(f, r)) {
            const char there = m_board.At(f, r);
            if (there != BoardText::kEmpty && BoardText::ColourOf(there) == colour) break;
            if (!Try(file, row, f, r)) return;
            if (there != BoardText::kEmpty || !steps->slides) break;
            f += steps->steps[i][0];
            r += steps->steps[i][1];
        }
    }
    // Castling rights are the server's business; only squares and attacks
    // are looked at here.
    if (steps == &kKing && (file == 3 || file == 4) && row == (colour == 1 ? 7 : 0))
        Castling(file, row, colour);
}

}  // namespace

GameRecord::GameRecord() {
    ResetToStandard();
}

void GameRecord::Reset(std::string_view boardText, int startPly, int epFile) {
    m_initialBoard = BoardText::FromText(boardText);
    m_board = m_initialBoard;
    m_startPly = std::max(0, startPly);
    m_ply = m_startPly;
    m_startEpFile = (epFile >= 0 && epFile < 8) ? epFile : -1;
    m_epFile = m_startEpFile;
    m_text[0].clear();
    m_text[1].clear();
    // Entries below the start ply stay empty; they are never applied.
    m_moves.assign(static_cast<size_t>(m_startPly), std::string());
}

void GameRecord::ResetToStandard() {
    Reset(BoardText::kStandard);
}

int GameRecord::ApplySmith(BoardText& board, std::string_view smith, int ply) {
    if (smith.size() >= 2 && smith[1] == '@') {
        // The eraser of the piece panel drops "-", which empties the square.
        static constexpr std::string_view kDroppable = "PNBRQKpnbrqk-";
        if (smith.size() < 4 || kDroppable.find(smith[0]) == std::string_view::npos) return -1;
        const auto square = BoardText::SquareIndex(smith[2], smith[3]);
        if (square) board[*square] = (ply % 2 == 0) ? ToUpper(smith[0]) : ToLower(smith[0]);
        return -1;
    }
    if (!smith.empty() && smith[0] == '?') {
        if (smith.size() < 4) return -1;
        const auto square = BoardText::SquareIndex(smith[2], smith[3]);
        if (square) board[*square] = BoardText::kEmpty;
        return -1;
    }
    if (smith.size() < 4) return -1;
    const auto from = BoardText::SquareIndex(smith[0], smith[1]);
    const auto to = BoardText::SquareIndex(smith[2], smith[3]);
    if (!from || !to) return -1;
    const char piece = board[*from];
    board[*to] = piece;
    board[*from] = BoardText::kEmpty;
    int epFile = -1;
    if ((piece == 'P' || piece == 'p') && std::abs(smith[1] - smith[3]) == 2)
        epFile = smith[0] - 'a';
    if (smith.size() <= 4) return epFile;

    const int fromFile = *from % 8;
    const int fromRow = *from / 8;
    const int toFile = *to % 8;
    const auto moveRook = [&board, fromRow](int rookFrom, int rookTo) {
        board[BoardText::Index(rookTo, fromRow)] = board[BoardText::Index(rookFrom, fromRow)];
        board[BoardText::Index(rookFrom, fromRow)] = BoardText::kEmpty;
    };
    switch (const char last = smith.back()) {
        case 'E':
            board[BoardText::Index(toFile, fromRow)] = BoardText::kEmpty;
            break;
        case 'Q':
        case 'N':
        case 'B':
        case 'R':
        case 'K':
            board[*to] = piece == 'p' ? ToLower(last) : last;
            break;
        case 'c':
            if (fromFile != 3)
                moveRook(7, 5);
            else
                moveRook(0, 2);
            break;
        case 'C':
            if (fromFile == 4)
                moveRook(0, 3);
            else
                moveRook(7, 4);
            break;
        default:
            // A capture letter only tells readers what was taken.
            break;
    }
    return epFile;
}

void GameRecord::AddMove(std::string_view smith) {
    m_epFile = ApplySmith(m_board, smith, m_ply);
    m_moves.emplace_back(smith);
    ++m_ply;
}

void GameRecord::TakeBack(int n) {
    if (n <= 0) return;
    const int ply = std::max(m_startPly, m_ply - n);
    m_moves.resize(static_cast<size_t>(ply));
    m_board = m_initialBoard;
    m_epFile = m_startEpFile;
    for (int p = m_startPly; p < ply; ++p)
        m_epFile = ApplySmith(m_board, m_moves[static_cast<size_t>(p)], p);
    m_ply = ply;
}

BoardText GameRecord::BoardAtPly(int p) const {
    p = std::clamp(p, m_startPly, m_ply);
    if (p == m_startPly) return m_initialBoard;
    if (p == m_ply) return m_board;
    BoardText board = m_initialBoard;
    for (int i = m_startPly; i < p; ++i) ApplySmith(board, m_moves[static_cast<size_t>(i)], i);
    return board;
}

std::string_view GameRecord::MoveAt(int p) const {
    if (p < m_startPly || p >= m_ply) return {};
    return m_moves[static_cast<size_t>(p)];
}

bool GameRecord::IsLegalMove(std::string_view smith) const {
    if (smith.size() >= 2 && smith[1] == '@') {
        if (smith.size() < 4) return false;
        const auto square = BoardText::SquareIndex(smith[2], smith[3]);
        return square && m_board[*square] == BoardText::kEmpty;
    }
    if (smith.size() < 4) return false;
    const auto from = BoardText::SquareIndex(smith[0], smith[1]);
    const auto to = BoardText::SquareIndex(smith[2], smith[3]);
    if (!from || !to) return false;
    DestinationWalk walk(m_board, m_epFile, *to);
    walk.Run(*from % 8, *from / 8);
    return walk.Found();
}

GameRecord::Destinations GameRecord::CountLegalDestinations(int file, int row) const {
    Destinations result;
    if (!BoardText::OnBoard(file, row)) return result;
    DestinationWalk walk(m_board, m_epFile, std::nullopt);
    walk.Run(file, row);
    result.count = std::min(walk.Count(), 2);
    if (result.count == 1) {
        result.file = walk.Last() % 8;
        result.row = walk.Last() / 8;
    }
    return result;
}

GameRecord::Material GameRecord::MaterialSums(const BoardText& board) {
    Material sums;
    for (int i = 0; i < 64; ++i) {
        int value = 0;
        switch (ToUpper(board[i])) {
            case 'P':
                value = 1;
                break;
            case 'N':
            case 'B':
                value = 3;
                break;
            case 'R':
                value = 5;
                break;
            case 'Q':
                value = 9;
                break;
            default:
                break;
        }
        if (board[i] >= 'a' && board[i] <= 'z')
            sums.black += value;
        else if (board[i] >= 'A' && board[i] <= 'Z')
            sums.white += value;
    }
    return sums;
}
