// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "Referee.h"

#include <cctype>

namespace {

constexpr int kKnightSteps[8][2] = {{1, 2},   {2, 1},   {2, -1}, {1, -2},
                                    {-1, -2}, {-2, -1}, {-2, 1}, {-1, 2}};
constexpr int kKingSteps[8][2] = {{1, 0},  {1, 1},   {0, 1},  {-1, 1},
                                  {-1, 0}, {-1, -1}, {0, -1}, {1, -1}};
constexpr int kRookRays[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
constexpr int kBishopRays[4][2] = {{1, 1}, {1, -1}, {-1, 1}, {-1, -1}};

constexpr int FileOf(int square) {
    return square % 8;
}
constexpr int RankOf(int square) {
    return square / 8;
}
constexpr bool OnBoard(int file, int rank) {
    return file >= 0 && file < 8 && rank >= 0 && rank < 8;
}
constexpr int SquareAt(int file, int rank) {
    return rank * 8 + file;
}

bool IsWhitePiece(char c) {
    return c >= 'A' && c <= 'Z';
}
bool IsBlackPiece(char c) {
    return c >= 'a' && c <= 'z';
}
bool Owns(char c, int colour) {
    return colour == Referee::kWhite ? IsWhitePiece(c) : IsBlackPiece(c);
}
char Upper(char c) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}
char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}
char OfColour(char upper, int colour) {
    return colour == Referee::kWhite ? upper : Lower(upper);
}

// Castling squares by right bit: king from, king to, rook from, rook to.
struct CastlingLine {
    int kingFrom, kingTo, rookFrom, rookTo;
};
constexpr CastlingLine kCastling[4] = {
    {4, 6, 7, 5}, {4, 2, 0, 3}, {60, 62, 63, 61}, {60, 58, 56, 59}};

constexpr std::string_view kHandPieces = "PNBRQ";
// More of one kind than a game can hold means a malformed FEN, not a hand.
constexpr uint8_t kMostInHand = 16;

constexpr uint64_t Bit(int square) {
    return uint64_t{1} << square;
}

}  // namespace

Referee::Referee() {
    constexpr std::string_view kRanks =
        "RNBQKBNRPPPPPPPP--------------------------------pppppppprnbqkbnr";
    for (size_t i = 0; i < 64; ++i) m_board[i] = kRanks[i];
}

std::optional<Referee> Referee::FromFen(std::string_view fen) {
    Referee r;
    r.m_board.fill('-');
    size_t i = 0;
    int rank = 7;
    int file = 0;
    for (; i < fen.size() && fen[i] != ' '; ++i) {
        const char c = fen[i];
        if (c == '/') {
            if (file != 8 || rank == 0) return std::nullopt;
            --rank;
            file = 0;
        } else if (c >= '1' && c <= '8') {
            file += c - '0';
            if (file > 8) return std::nullopt;
        } else if (std::string_view("PNBRQKpnbrqk").find(c) != std::string_view::npos) {
            if (file >= 8) return std::nullopt;
            r.m_board[static_cast<size_t>(SquareAt(file++, rank))] = c;
        } else if (c == '[') {
            const size_t close = fen.find(']', i);
            if (close == std::string_view::npos) return std::nullopt;
            for (size_t k = i + 1; k < close; ++k) {
                const int index = HandIndex(Upper(fen[k]));
                if (fen[k] == '-') continue;
                if (index < 0) return std::nullopt;
                uint8_t& count =
                    r.m_hand[IsWhitePiece(fen[k]) ? kWhite : kBlack][static_cast<size_t>(index)];
                if (count >= kMostInHand) return std::nullopt;
                ++count;
            }
            r.m_drops = true;
            i = close;
        } else {
            return std::nullopt;
        }
    }
    if (rank != 0 || file != 8) return std::nullopt;
    int kings[2] = {0, 0};
    for (char c : r.m_board) {
        if (c == 'K') ++kings[kWhite];
        if (c == 'k') ++kings[kBlack];
    }
    if (kings[0] != 1 || kings[1] != 1) return std::nullopt;
    auto word = [&]() {
        while (i < fen.size() && fen[i] == ' ') ++i;
        const size_t start = i;
        while (i < fen.size() && fen[i] != ' ') ++i;
        return fen.substr(start, i - start);
    };
    const std::string_view side = word();
    r.m_side = side == "b" ? kBlack : kWhite;
    const std::string_view castling = word();
    r.m_castling = 0;
    for (char c : castling) {
        const size_t bit = std::string_view("KQkq").find(c);
        if (bit != std::string_view::npos) r.m_castling |= 1 << bit;
    }
    const std::string_view ep = word();
    r.m_epSquare = SquareFrom(ep);
    auto number = [](std::string_view text, int fallback) {
        int value = 0;
        if (text.empty() || text.size() > 6) return fallback;
        for (char c : text) {
            if (c < '0' || c > '9') return fallback;
            value = value * 10 + (c - '0');
        }
        return value;
    };
    r.m_halfMoves = number(word(), 0);
    r.m_fullMove = std::max(1, number(word(), 1));
    r.DropBrokenCastlingRights();
    return r;
}

std::string Referee::Key() const {
    std::string key;
    for (int rank = 7; rank >= 0; --rank) {
        int empty = 0;
        for (int file = 0; file < 8; ++file) {
            const char c = m_board[static_cast<size_t>(SquareAt(file, rank))];
            if (c == '-') {
                ++empty;
                continue;
            }
            if (empty > 0) key += static_cast<char>('0' + empty);
            empty = 0;
            key += c;
        }
        if (empty > 0) key += static_cast<char>('0' + empty);
        if (rank > 0) key += '/';
    }
    // The hands are part of the position: the same board with other pieces
    // in hand is no repetition.
    if (m_drops) {
        std::string black = Holdings(kBlack);
        for (char& c : black) c = Lower(c);
        key += "[" + Holdings(kWhite) + black + "]";
    }
    key += m_side == kWhite ? " w " : " b ";
    std::string rights;
    for (int bit = 0; bit < 4; ++bit) {
        if ((m_castling & (1 << bit)) != 0) rights += "KQkq"[bit];
    }
    key += rights.empty() ? "-" : rights;
    key += ' ';
    key += m_epSquare >= 0 ? SquareName(m_epSquare) : "-";
    return key;
}

std::string Referee::Fen() const {
    return Key() + " " + std::to_string(m_halfMoves) + " " + std::to_string(m_fullMove);
}

int Referee::HandIndex(char type) {
    const size_t index = kHandPieces.find(type);
    return type == 0 || index == std::string_view::npos ? -1 : static_cast<int>(index);
}

std::string Referee::Holdings(int colour) const {
    std::string text;
    for (size_t index = 0; index < kHandPieces.size(); ++index)
        text.append(m_hand[static_cast<size_t>(colour)][index], kHandPieces[index]);
    return text;
}

std::string Referee::BoardText() const {
    std::string text;
    for (int rank = 7; rank >= 0; --rank) {
        for (int file = 0; file < 8; ++file)
            text += m_board[static_cast<size_t>(SquareAt(file, rank))];
    }
    return text;
}

std::string Referee::SquareName(int square) {
    if (square < 0 || square > 63) return "-";
    return {static_cast<char>('a' + FileOf(square)), static_cast<char>('1' + RankOf(square))};
}

int Referee::SquareFrom(std::string_view name) {
    if (name.size() != 2 || name[0] < 'a' || name[0] > 'h' || name[1] < '1' || name[1] > '8')
        return -1;
    return SquareAt(name[0] - 'a', name[1] - '1');
}

bool Referee::Attacked(int square, int byColour) const {
    const int file = FileOf(square);
    const int rank = RankOf(square);
    const int pawnRank = byColour == kWhite ? rank - 1 : rank + 1;
    for (int df : {-1, 1}) {
        if (OnBoard(file + df, pawnRank) &&
            m_board[static_cast<size_t>(SquareAt(file + df, pawnRank))] == OfColour('P', byColour))
            return true;
    }
    for (const auto& step : kKnightSteps) {
        const int f = file + step[0], r = rank + step[1];
        if (OnBoard(f, r) &&
            m_board[static_cast<size_t>(SquareAt(f, r))] == OfColour('N', byColour))
            return true;
    }
    for (const auto& step : kKingSteps) {
        const int f = file + step[0], r = rank + step[1];
        if (OnBoard(f, r) &&
            m_board[static_cast<size_t>(SquareAt(f, r))] == OfColour('K', byColour))
            return true;
    }
    auto ray = [&](const int(*rays)[2], char slider) {
        for (int k = 0; k < 4; ++k) {
            for (int f = file + rays[k][0], r = rank + rays[k][1]; OnBoard(f, r);
                 f += rays[k][0], r += rays[k][1]) {
                const char c = m_board[static_cast<size_t>(SquareAt(f, r))];
                if (c == '-') continue;
                if (c == OfColour(slider, byColour) || c == OfColour('Q', byColour)) return true;
                break;
            }
        }
        return false;
    };
    return ray(kRookRays, 'R') || ray(kBishopRays, 'B');
}

int Referee::KingSquare(int colour) const {
    const char king = OfColour('K', colour);
    for (int square = 0; square < 64; ++square) {
        if (m_board[static_cast<size_t>(square)] == king) return square;
    }
    return -1;
}

bool Referee::InCheck() const {
    const int king = KingSquare(m_side);
    return king >= 0 && Attacked(king, 1 - m_side);
}

void Referee::AddPawnMoves(int from, std::vector<Move>& out) const {
    const int dir = m_side == kWhite ? 1 : -1;
    const int file = FileOf(from);
    const int rank = RankOf(from);
    const int lastRank = m_side == kWhite ? 7 : 0;
    auto add = [&](int to, uint8_t flags) {
        if (RankOf(to) == lastRank) {
            for (char p : {'Q', 'R', 'B', 'N'})
                out.push_back({static_cast<int8_t>(from), static_cast<int8_t>(to), p, flags});
        } else {
            out.push_back({static_cast<int8_t>(from), static_cast<int8_t>(to), 0, flags});
        }
    };
    if (!OnBoard(file, rank + dir)) return;
    const int ahead = SquareAt(file, rank + dir);
    if (m_board[static_cast<size_t>(ahead)] == '-') {
        add(ahead, 0);
        const int startRank = m_side == kWhite ? 1 : 6;
        const int twoAhead = SquareAt(file, rank + 2 * dir);
        if (rank == startRank && m_board[static_cast<size_t>(twoAhead)] == '-')
            add(twoAhead, kDoubleStep);
    }
    for (int df : {-1, 1}) {
        if (!OnBoard(file + df, rank + dir)) continue;
        const int to = SquareAt(file + df, rank + dir);
        if (Owns(m_board[static_cast<size_t>(to)], 1 - m_side)) add(to, kCapture);
        if (to == m_epSquare) add(to, kCapture | kEnPassant);
    }
}

void Referee::AddDrops(std::vector<Move>& out) const {
    for (size_t index = 0; index < kHandPieces.size(); ++index) {
        if (m_hand[static_cast<size_t>(m_side)][index] == 0) continue;
        const char type = kHandPieces[index];
        for (int square = 0; square < 64; ++square) {
            if (m_board[static_cast<size_t>(square)] != '-') continue;
            if (type == 'P' && (RankOf(square) == 0 || RankOf(square) == 7)) continue;
            out.push_back({static_cast<int8_t>(square), static_cast<int8_t>(square), 0, 0, type});
        }
    }
}

void Referee::PseudoMoves(std::vector<Move>& out) const {
    for (int from = 0; from < 64; ++from) {
        const char piece = m_board[static_cast<size_t>(from)];
        if (!Owns(piece, m_side)) continue;
        const char type = Upper(piece);
        const int file = FileOf(from);
        const int rank = RankOf(from);
        auto target = [&](int f, int r) {
            // 0: stop (own piece or off board), 1: empty, 2: capture.
            if (!OnBoard(f, r)) return 0;
            const char c = m_board[static_cast<size_t>(SquareAt(f, r))];
            if (c == '-') return 1;
            return Owns(c, m_side) ? 0 : 2;
        };
        auto push = [&](int f, int r, int kind) {
            out.push_back({static_cast<int8_t>(from), static_cast<int8_t>(SquareAt(f, r)), 0,
                           static_cast<uint8_t>(kind == 2 ? kCapture : 0)});
        };
        if (type == 'P') {
            AddPawnMoves(from, out);
        } else if (type == 'N' || type == 'K') {
            for (const auto& step : type == 'N' ? kKnightSteps : kKingSteps) {
                const int kind = target(file + step[0], rank + step[1]);
                if (kind != 0) push(file + step[0], rank + step[1], kind);
            }
        } else {
            auto slide = [&](const int(*rays)[2]) {
                for (int k = 0; k < 4; ++k) {
                    for (int f = file + rays[k][0], r = rank + rays[k][1];;
                         f += rays[k][0], r += rays[k][1]) {
                        const int kind = target(f, r);
                        if (kind == 0) break;
                        push(f, r, kind);
                        if (kind == 2) break;
                    }
                }
            };
            if (type != 'B') slide(kRookRays);
            if (type != 'R') slide(kBishopRays);
        }
    }
    // Castling: the right, empty squares between king and rook, and a king
    // that is not in check and crosses no attacked square.
    for (int bit = m_side == kWhite ? 0 : 2; bit < (m_side == kWhite ? 2 : 4); ++bit) {
        if ((m_castling & (1 << bit)) == 0) continue;
        const CastlingLine& line = kCastling[bit];
        const int low = std::min(line.kingFrom, line.rookFrom) + 1;
        const int high = std::max(line.kingFrom, line.rookFrom);
        bool clear = true;
        for (int s = low; s < high; ++s) clear = clear && m_board[static_cast<size_t>(s)] == '-';
        if (!clear || Attacked(line.kingFrom, 1 - m_side) ||
            Attacked((line.kingFrom + line.kingTo) / 2, 1 - m_side))
            continue;
        out.push_back({static_cast<int8_t>(line.kingFrom), static_cast<int8_t>(line.kingTo), 0,
                       static_cast<uint8_t>((bit & 1) == 0 ? kCastleShort : kCastleLong)});
    }
    if (m_drops) AddDrops(out);
}

std::vector<Referee::Move> Referee::LegalMoves() const {
    std::vector<Move> pseudo;
    pseudo.reserve(64);
    PseudoMoves(pseudo);
    std::vector<Move> legal;
    legal.reserve(pseudo.size());
    for (const Move& move : pseudo) {
        Referee after = *this;
        after.Play(move);
        // A set-up position in examine mode may lack a king: then no move
        // can leave it in check.
        const int king = after.KingSquare(m_side);
        if (king < 0 || !after.Attacked(king, after.m_side)) legal.push_back(move);
    }
    return legal;
}

void Referee::Play(const Move& move) {
    const auto from = static_cast<size_t>(move.from);
    const auto to = static_cast<size_t>(move.to);
    if (move.drop != 0) {
        const int index = HandIndex(move.drop);
        if (index >= 0 && m_hand[static_cast<size_t>(m_side)][static_cast<size_t>(index)] > 0)
            --m_hand[static_cast<size_t>(m_side)][static_cast<size_t>(index)];
        m_board[to] = OfColour(move.drop, m_side);
        m_halfMoves = move.drop == 'P' ? 0 : m_halfMoves + 1;
        m_epSquare = -1;
        if (m_side == kBlack) ++m_fullMove;
        m_side = 1 - m_side;
        return;
    }
    const char piece = m_board[from];
    if (m_drops) {
        const bool enPassant = (move.flags & kEnPassant) != 0;
        const char captured = enPassant ? 'P' : Upper(m_board[to]);
        const char gained = (m_promoted & Bit(move.to)) != 0 && !enPassant ? 'P' : captured;
        const int index = HandIndex(gained);
        uint8_t* count =
            index < 0 ? nullptr : &m_hand[static_cast<size_t>(m_side)][static_cast<size_t>(index)];
        if (count != nullptr && *count < kMostInHand) ++*count;
        const bool promoted = (m_promoted & Bit(move.from)) != 0 || move.promotion != 0;
        m_promoted &= ~(Bit(move.from) | Bit(move.to));
        if (promoted) m_promoted |= Bit(move.to);
    }
    const bool pawn = Upper(piece) == 'P';
    m_halfMoves =
        (pawn || m_board[to] != '-' || (move.flags & kEnPassant) != 0) ? 0 : m_halfMoves + 1;
    if ((move.flags & kEnPassant) != 0) {
        m_board[static_cast<size_t>(SquareAt(FileOf(move.to), RankOf(move.from)))] = '-';
    }
    m_board[to] = move.promotion != 0 ? OfColour(move.promotion, m_side) : piece;
    m_board[from] = '-';
    if ((move.flags & (kCastleShort | kCastleLong)) != 0) {
        const int bit = (m_side == kWhite ? 0 : 2) + ((move.flags & kCastleLong) != 0 ? 1 : 0);
        const CastlingLine& line = kCastling[bit];
        m_board[static_cast<size_t>(line.rookTo)] = m_board[static_cast<size_t>(line.rookFrom)];
        m_board[static_cast<size_t>(line.rookFrom)] = '-';
    }
    m_epSquare = (move.flags & kDoubleStep) != 0 ? (move.from + move.to) / 2 : -1;
    DropBrokenCastlingRights();
    if (m_side == kBlack) ++m_fullMove;
    m_side = 1 - m_side;
}

void Referee::DropBrokenCastlingRights() {
    for (int bit = 0; bit < 4; ++bit) {
        const CastlingLine& line = kCastling[bit];
        const int colour = bit < 2 ? kWhite : kBlack;
        if (m_board[static_cast<size_t>(line.kingFrom)] != OfColour('K', colour) ||
            m_board[static_cast<size_t>(line.rookFrom)] != OfColour('R', colour))
            m_castling &= ~(1 << bit);
    }
}

void Referee::SetSquare(int square, char piece) {
    if (square < 0 || square > 63) return;
    m_board[static_cast<size_t>(square)] = piece;
    m_promoted &= ~Bit(square);
    if (square == m_epSquare) m_epSquare = -1;
    DropBrokenCastlingRights();
}

Referee::Ending Referee::Status() const {
    if (LegalMoves().empty()) return InCheck() ? Ending::Checkmate : Ending::Stalemate;
    if (m_halfMoves >= 100) return Ending::FiftyMoves;
    // With drops, any piece in hand can still mate, and a piece on the board
    // may be captured into a hand: only bare kings are a dead draw.
    if (m_drops) {
        if (!Holdings(kWhite).empty() || !Holdings(kBlack).empty()) return Ending::None;
        for (char c : m_board) {
            if (c != '-' && Upper(c) != 'K') return Ending::None;
        }
        return Ending::Insufficient;
    }
    // Mate is impossible with kings alone, or kings and one minor piece, or
    // only bishops all on squares of one colour.
    int minors = 0;
    int knights = 0;
    int bishopSquares[2] = {0, 0};
    for (int square = 0; square < 64; ++square) {
        const char type = Upper(m_board[static_cast<size_t>(square)]);
        if (type == '-' || type == 'K') continue;
        if (type == 'P' || type == 'R' || type == 'Q') return Ending::None;
        ++minors;
        if (type == 'N') ++knights;
        if (type == 'B') ++bishopSquares[(FileOf(square) + RankOf(square)) % 2];
    }
    if (minors <= 1) return Ending::Insufficient;
    if (knights == 0 && (bishopSquares[0] == 0 || bishopSquares[1] == 0))
        return Ending::Insufficient;
    return Ending::None;
}

std::string Referee::Smith(const Move& move, char captured) {
    // The client keeps its own drops with the letter in upper case and
    // matches our echo against them, whichever side dropped.
    if (move.drop != 0) return std::string(1, move.drop) + "@" + SquareName(move.to);
    std::string text = SquareName(move.from) + SquareName(move.to);
    if ((move.flags & kCastleShort) != 0) return text + "c";
    if ((move.flags & kCastleLong) != 0) return text + "C";
    if ((move.flags & kEnPassant) != 0) return text + "E";
    if (captured != '-' && captured != 0) text += Lower(captured);
    if (move.promotion != 0) text += move.promotion;
    return text;
}

std::string Referee::Smith(const Move& move) const {
    return Smith(move, m_board[static_cast<size_t>(move.to)]);
}

std::string Referee::San(const Move& move) const {
    std::string text;
    const char type = Upper(m_board[static_cast<size_t>(move.from)]);
    if (move.drop != 0) {
        text = std::string(1, move.drop) + "@" + SquareName(move.to);
    } else if ((move.flags & kCastleShort) != 0) {
        text = "O-O";
    } else if ((move.flags & kCastleLong) != 0) {
        text = "O-O-O";
    } else if (type == 'P') {
        if ((move.flags & kCapture) != 0) {
            text += static_cast<char>('a' + FileOf(move.from));
            text += 'x';
        }
        text += SquareName(move.to);
        if (move.promotion != 0) text += std::string("=") + move.promotion;
    } else {
        text += type;
        bool sameFile = false, sameRank = false, other = false;
        for (const Move& m : LegalMoves()) {
            if (m.drop != 0 || m.to != move.to || m.from == move.from ||
                Upper(m_board[static_cast<size_t>(m.from)]) != type)
                continue;
            other = true;
            sameFile = sameFile || FileOf(m.from) == FileOf(move.from);
            sameRank = sameRank || RankOf(m.from) == RankOf(move.from);
        }
        if (other) {
            if (!sameFile) {
                text += static_cast<char>('a' + FileOf(move.from));
            } else if (!sameRank) {
                text += static_cast<char>('1' + RankOf(move.from));
            } else {
                text += SquareName(move.from);
            }
        }
        if ((move.flags & kCapture) != 0) text += 'x';
        text += SquareName(move.to);
    }
    Referee after = *this;
    after.Play(move);
    if (after.InCheck()) text += after.LegalMoves().empty() ? "#" : "+";
    return text;
}

std::optional<Referee::Move> Referee::ReadMove(std::string_view text) const {
    while (!text.empty() && std::string_view("+#!?").find(text.back()) != std::string_view::npos)
        text.remove_suffix(1);
    if (text.empty()) return std::nullopt;
    const std::vector<Move> legal = LegalMoves();
    if (text.size() == 4 && text[1] == '@') {
        const char type = Upper(text[0]);
        const int to = SquareFrom(text.substr(2));
        for (const Move& m : legal) {
            if (m.drop != 0 && m.drop == type && m.to == to) return m;
        }
        return std::nullopt;
    }
    // Coordinates: "e2e4", "e7e8=N", "e7e8n"; castling as the king's move.
    if (text.size() >= 4 && SquareFrom(text.substr(0, 2)) >= 0 &&
        SquareFrom(text.substr(2, 2)) >= 0) {
        const int from = SquareFrom(text.substr(0, 2));
        const int to = SquareFrom(text.substr(2, 2));
        std::string_view rest = text.substr(4);
        if (!rest.empty() && rest.front() == '=') rest.remove_prefix(1);
        if (rest.size() > 1) return std::nullopt;
        const char promotion = rest.empty() ? 0 : Upper(rest.front());
        for (const Move& m : legal) {
            if (m.drop != 0 || m.from != from || m.to != to) continue;
            if (m.promotion == promotion || (promotion == 0 && m.promotion == 'Q')) return m;
        }
        return std::nullopt;
    }
    std::string wanted(text);
    for (char& c : wanted) {
        if (c == '0') c = 'O';
    }
    if (wanted == "OO") wanted = "O-O";
    if (wanted == "OOO") wanted = "O-O-O";
    for (const Move& m : legal) {
        // Drops were read above; naming each would cost a move list apiece.
        if (m.drop != 0) continue;
        std::string san = San(m);
        while (!san.empty() && (san.back() == '+' || san.back() == '#')) san.pop_back();
        // A capture may be typed without its "x", a promotion without "=".
        std::string plain = san;
        std::erase(plain, 'x');
        std::string loose = plain;
        std::erase(loose, '=');
        if (wanted == san || wanted == plain || wanted == loose) return m;
    }
    // Fully disambiguated forms ("Ng1f3") are not what San writes: try them.
    if (wanted.size() >= 5 && std::string_view("NBRQK").find(wanted[0]) != std::string_view::npos) {
        std::string squares = wanted.substr(1);
        std::erase(squares, 'x');
        std::erase(squares, '-');
        if (squares.size() == 4) {
            const std::optional<Move> m = ReadMove(squares);
            if (m && Upper(m_board[static_cast<size_t>(m->from)]) == wanted[0]) return m;
        }
    }
    return std::nullopt;
}

uint64_t Referee::Perft(int depth) const {
    if (depth <= 0) return 1;
    const std::vector<Move> moves = LegalMoves();
    if (depth == 1) return moves.size();
    uint64_t nodes = 0;
    for (const Move& m : moves) {
        Referee next = *this;
        next.Play(m);
        nodes += next.Perft(depth - 1);
    }
    return nodes;
}
