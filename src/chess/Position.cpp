// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "chess/Position.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <string>

#include "chess/Diagnostics.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr int kKnightSteps[8][2] = {{2, 1},  {1, 2},  {2, -1},  {1, -2},
                                    {-2, 1}, {-1, 2}, {-2, -1}, {-1, -2}};

// Where king and rook stand and go for one way of castling. The d-file king
// mirrors the e-file one, so short castling takes the a-rook.
struct CastleGeometry {
    int rookFrom;
    int kingTo;
    int rookTo;
    int emptyFrom;  // files that must be empty, inclusive
    int emptyTo;
    int kingPasses;
};

const CastleGeometry* GeometryFor(int kind, int kingHomeFile) {
    static constexpr CastleGeometry kEShort{7, 6, 5, 5, 6, 5};
    static constexpr CastleGeometry kELong{0, 2, 3, 1, 3, 3};
    static constexpr CastleGeometry kDShort{0, 1, 2, 1, 2, 2};
    static constexpr CastleGeometry kDLong{7, 5, 4, 4, 6, 4};
    const bool isShort = kind == Position::CastleShort;
    if (kingHomeFile == 4) return isShort ? &kEShort : &kELong;
    if (kingHomeFile == 3) return isShort ? &kDShort : &kDLong;
    return nullptr;
}

int At(const Position::Board& board, int file, int rank) {
    return board[static_cast<size_t>(Position::Index(file, rank))];
}

void Put(Position::Board& board, int file, int rank, int code) {
    board[static_cast<size_t>(Position::Index(file, rank))] = static_cast<int8_t>(code);
}

// Squares strictly between two squares on one line are empty.
bool PathClear(const Position::Board& board, int fromFile, int fromRank, int toFile, int toRank) {
    const int df = (toFile > fromFile) - (toFile < fromFile);
    const int dr = (toRank > fromRank) - (toRank < fromRank);
    int f = fromFile + df;
    int r = fromRank + dr;
    while (f != toFile || r != toRank) {
        if (At(board, f, r) != 0) return false;
        f += df;
        r += dr;
    }
    return true;
}

// Attack sets per square as bit sets (bit = board index), built at compile
// time. The check test runs for every candidate of every SAN move read, so it
// looks at the board as a handful of bit sets instead of walking squares.
using SquareSet = uint64_t;

struct AttackTables {
    SquareSet knight[64];
    SquareSet king[64];
    SquareSet pawnFrom[2][64];  // where a pawn of that colour attacks the square from
    SquareSet ray[64][8];       // 0..3 straight, 4..7 diagonal
};

// Index steps of the eight lines: +file is +8, +rank is +1.
constexpr int kLines[8][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}, {1, 1}, {1, -1}, {-1, -1}, {-1, 1}};
// Lines whose index grows away from the square: their nearest piece is the
// lowest bit, on the others the highest.
constexpr bool kLineGrows[8] = {true, true, false, false, true, true, false, false};

constexpr AttackTables BuildAttackTables() {
    AttackTables t{};
    const auto bit = [](int f, int r) -> SquareSet {
        return (f >= 0 && f < 8 && r >= 0 && r < 8) ? SquareSet{1} << (f * 8 + r) : 0;
    };
    for (int sq = 0; sq < 64; ++sq) {
        const int file = sq / 8;
        const int rank = sq % 8;
        for (const auto& s : kKnightSteps) t.knight[sq] |= bit(file + s[0], rank + s[1]);
        for (int d = 0; d < 8; ++d) {
            t.king[sq] |= bit(file + kLines[d][0], rank + kLines[d][1]);
            for (int i = 1; i < 8; ++i)
                t.ray[sq][d] |= bit(file + kLines[d][0] * i, rank + kLines[d][1] * i);
        }
        // A white pawn attacks upwards, so it stands one rank below.
        t.pawnFrom[Position::White][sq] = bit(file - 1, rank - 1) | bit(file + 1, rank - 1);
        t.pawnFrom[Position::Black][sq] = bit(file - 1, rank + 1) | bit(file + 1, rank + 1);
    }
    return t;
}

constexpr AttackTables kAttack = BuildAttackTables();

// The bit sets InCheck needs, gathered in one pass over the board.
struct CheckSets {
    SquareSet occupied = 0;
    SquareSet king = 0;
    SquareSet straight = 0;  // enemy rooks and queens
    SquareSet diagonal = 0;  // enemy bishops and queens
    SquareSet knight = 0;
    SquareSet pawn = 0;
    SquareSet enemyKing = 0;
};

CheckSets GatherCheckSets(const Position::Board& board, int colour) {
    const int enemy = 1 - colour;
    const auto code = [](int c, int type) {
        return static_cast<int8_t>(Position::MakePiece(c, type));
    };
    CheckSets sets;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i king = _mm_set1_epi8(code(colour, Position::King));
    const __m128i rook = _mm_set1_epi8(code(enemy, Position::Rook));
    const __m128i bishop = _mm_set1_epi8(code(enemy, Position::Bishop));
    const __m128i queen = _mm_set1_epi8(code(enemy, Position::Queen));
    const __m128i knight = _mm_set1_epi8(code(enemy, Position::Knight));
    const __m128i pawn = _mm_set1_epi8(code(enemy, Position::Pawn));
    const __m128i enemyKing = _mm_set1_epi8(code(enemy, Position::King));
    const auto bits = [](__m128i m, int chunk) {
        return static_cast<SquareSet>(static_cast<uint16_t>(_mm_movemask_epi8(m))) << (chunk * 16);
    };
    for (int chunk = 0; chunk < 4; ++chunk) {
        const __m128i x =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(board.data() + chunk * 16));
        const __m128i q = _mm_cmpeq_epi8(x, queen);
        sets.occupied |=
            ~bits(_mm_cmpeq_epi8(x, zero), chunk) & (SquareSet{0xFFFF} << (chunk * 16));
        sets.king |= bits(_mm_cmpeq_epi8(x, king), chunk);
        sets.straight |= bits(_mm_or_si128(_mm_cmpeq_epi8(x, rook), q), chunk);
        sets.diagonal |= bits(_mm_or_si128(_mm_cmpeq_epi8(x, bishop), q), chunk);
        sets.knight |= bits(_mm_cmpeq_epi8(x, knight), chunk);
        sets.pawn |= bits(_mm_cmpeq_epi8(x, pawn), chunk);
        sets.enemyKing |= bits(_mm_cmpeq_epi8(x, enemyKing), chunk);
    }
#else
    for (int sq = 0; sq < 64; ++sq) {
        const int c = board[static_cast<size_t>(sq)];
        const SquareSet b = SquareSet{1} << sq;
        if (c != 0) sets.occupied |= b;
        if (c == code(colour, Position::King)) sets.king |= b;
        if (c == code(enemy, Position::Rook) || c == code(enemy, Position::Queen))
            sets.straight |= b;
        if (c == code(enemy, Position::Bishop) || c == code(enemy, Position::Queen))
            sets.diagonal |= b;
        if (c == code(enemy, Position::Knight)) sets.knight |= b;
        if (c == code(enemy, Position::Pawn)) sets.pawn |= b;
        if (c == code(enemy, Position::King)) sets.enemyKing |= b;
    }
#endif
    return sets;
}

int NormalSide(int sideToMove) {
    return sideToMove == Position::White ? Position::White : Position::Black;
}

}  // namespace

void Position::SetStandard() {
    static constexpr int kBackRank[8] = {Rook, Knight, Bishop, Queen, King, Bishop, Knight, Rook};
    board.fill(0);
    for (int file = 0; file < 8; ++file) {
        Put(board, file, 0, MakePiece(White, kBackRank[file]));
        Put(board, file, 1, MakePiece(White, Pawn));
        Put(board, file, 6, MakePiece(Black, Pawn));
        Put(board, file, 7, MakePiece(Black, kBackRank[file]));
    }
    epFile = -1;
    kingHomeFile[0] = kingHomeFile[1] = 4;
    sideToMove = White;
    for (int c = 0; c < 2; ++c) shortRookMoved[c] = longRookMoved[c] = kingMoved[c] = 0;
}

int Position::SetFromFen(std::string_view placement, std::string_view activeColour,
                         std::string_view castling, std::string_view enPassant,
                         std::string_view moveNumber) {
    sideToMove = (!activeColour.empty() && activeColour[0] == 'w') ? White : Black;
    kingMoved[0] = kingMoved[1] = 0;
    const auto lacks = [&](char letter) {
        return castling.find(letter) == std::string_view::npos ? 1 : 0;
    };
    shortRookMoved[White] = static_cast<uint8_t>(lacks('K'));
    shortRookMoved[Black] = static_cast<uint8_t>(lacks('k'));
    longRookMoved[White] = static_cast<uint8_t>(lacks('Q'));
    longRookMoved[Black] = static_cast<uint8_t>(lacks('q'));

    // Only a real file may stand here: epFile is used as a board coordinate.
    epFile = -1;
    if (!enPassant.empty() && enPassant[0] >= 'a' && enPassant[0] <= 'h')
        epFile = enPassant[0] - 'a';

    board.fill(0);
    int file = 0;
    int rank = 7;
    for (char c : placement) {
        if (rank < 0) break;
        if (c == '/') {
            --rank;
            file = 0;
        } else if (c >= '0' && c <= '9') {
            file += c - '0';
        } else if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
            const int colour = (c >= 'a') ? Black : White;
            const int type = letter_to_piece(c);
            if (OnBoard(file, rank)) Put(board, file, rank, MakePiece(colour, type));
            ++file;
        }
        // Anything else is not part of a placement and is passed over.
        file = std::min(file, 8);
    }

    for (int colour = 0; colour < 2; ++colour) {
        kingHomeFile[colour] = 4;
        const int king = MakePiece(colour, King);
        const auto it = std::find(board.begin(), board.end(), king);
        if (it != board.end()) kingHomeFile[colour] = static_cast<int>(it - board.begin()) / 8;
    }

    // A missing or nonsensical move number counts as the first move, so the
    // ply index is never negative and cannot overflow.
    long number = 0;
    for (char c : moveNumber) {
        if (c < '0' || c > '9') {
            number = 0;
            break;
        }
        number = std::min(number * 10 + (c - '0'), 1000000L);
    }
    if (number < 1) number = 1;
    return static_cast<int>(sideToMove == White ? number * 2 - 2 : number * 2 - 1);
}

int Position::letter_to_piece(char letter) {
    switch (letter) {
        case 'P':
        case 'p':
            return Pawn;
        case 'N':
        case 'n':
            return Knight;
        case 'B':
        case 'b':
            return Bishop;
        case 'R':
        case 'r':
            return Rook;
        case 'Q':
        case 'q':
            return Queen;
        case 'K':
        case 'k':
            return King;
        default:
            break;
    }
    std::string text = "Error: letter_to_piece called with \"";
    text += letter;
    text += "\".\n";
    Diagnostics::Write(text);
    return Pawn;
}

char Position::PieceLetter(int type) {
    static constexpr char kLetters[] = "PNBRQK";
    return (type >= 1 && type <= 6) ? kLetters[type - 1] : '$';
}

bool Position::InCheck(int colour, const Board& board) {
    colour = NormalSide(colour);
    const CheckSets sets = GatherCheckSets(board, colour);
    if (!sets.king) return true;
    // The first king in a1, a2, ..., h8 order is the one tested.
    const int square = std::countr_zero(sets.king);
    if ((kAttack.knight[square] & sets.knight) || (kAttack.king[square] & sets.enemyKing) ||
        (kAttack.pawnFrom[1 - colour][square] & sets.pawn))
        return true;
    for (int d = 0; d < 8; ++d) {
        const SquareSet attackers = d < 4 ? sets.straight : sets.diagonal;
        const SquareSet line = kAttack.ray[square][d];
        if (!(line & attackers)) continue;
        const SquareSet blockers = line & sets.occupied;
        const int nearest =
            kLineGrows[d] ? std::countr_zero(blockers) : 63 - std::countl_zero(blockers);
        if ((attackers >> nearest) & 1) return true;
    }
    return false;
}

int Position::check_general(int fromFile, int fromRank, int toFile, int toRank, const Board& board,
                            int epFile) {
    if (!OnBoard(fromFile, fromRank) || !OnBoard(toFile, toRank)) return MoveImpossible;
    const int piece = At(board, fromFile, fromRank);
    if (piece == 0) return MoveImpossible;
    const int colour = ColourOf(piece);
    const int target = At(board, toFile, toRank);
    if (target != 0 && ColourOf(target) == colour) return MoveImpossible;

    const int df = std::abs(toFile - fromFile);
    const int dr = std::abs(toRank - fromRank);
    const int backRank = colour == White ? 0 : 7;
    int code = MoveImpossible;
    switch (TypeOf(piece)) {
        case Pawn: {
            const int forward = colour == White ? 1 : -1;
            if ((toRank - fromRank) * forward <= 0) break;
            if (df != 0) {
                if (df > 1 || dr > 1) break;
                if (target != 0) {
                    code = MoveOrdinary;
                } else if (toFile == epFile && fromRank == (colour == White ? 4 : 3)) {
                    code = MoveEnPassant;
                }
            } else if (target == 0) {
                if (dr == 1) {
                    code = MovePawnSingle;
                } else if (dr == 2 && fromRank == (colour == White ? 1 : 6) &&
                           At(board, fromFile, fromRank + forward) == 0) {
                    code = MovePawnDouble;
                }
            }
            break;
        }
        case Knight:
            if ((df == 1 && dr == 2) || (df == 2 && dr == 1)) code = MoveOrdinary;
            break;
        case Bishop:
            if (df == dr && PathClear(board, fromFile, fromRank, toFile, toRank))
                code = MoveOrdinary;
            break;
        case Rook:
            if ((df == 0) != (dr == 0) && PathClear(board, fromFile, fromRank, toFile, toRank)) {
                code = MoveOrdinary;
                if (fromRank == backRank && fromFile == 7) code = MoveRookFromHCorner;
                if (fromRank == backRank && fromFile == 0) code = MoveRookFromACorner;
            }
            break;
        case Queen:
            if ((df == dr || (df == 0) != (dr == 0)) &&
                PathClear(board, fromFile, fromRank, toFile, toRank))
                code = MoveOrdinary;
            break;
        case King:
            if (df <= 1 && dr <= 1) code = MoveKing;
            break;
        default:
            Diagnostics::Write("check_general: piece unidentifiable.\n");
            return MoveImpossible;
    }
    if (code == MoveImpossible) return MoveImpossible;

    Board after = board;
    Put(after, fromFile, fromRank, 0);
    if (code == MoveEnPassant) Put(after, toFile, fromRank, 0);
    Put(after, toFile, toRank, piece);
    return InCheck(colour, after) ? MoveLeavesCheck : code;
}

namespace {

bool CanCastle(int kind, int colour, const Position::Board& board, int kingHomeFile) {
    const CastleGeometry* g = GeometryFor(kind, kingHomeFile);
    if (!g) return false;
    colour = NormalSide(colour);
    const int back = colour == Position::White ? 0 : 7;
    const int king = Position::MakePiece(colour, Position::King);
    if (At(board, g->rookFrom, back) != Position::MakePiece(colour, Position::Rook)) return false;
    for (int f = g->emptyFrom; f <= g->emptyTo; ++f) {
        if (At(board, f, back) != 0) return false;
    }
    if (At(board, kingHomeFile, back) != king) return false;
    if (Position::InCheck(colour, board)) return false;
    Position::Board copy = board;
    Put(copy, kingHomeFile, back, 0);
    Put(copy, g->kingPasses, back, king);
    if (Position::InCheck(colour, copy)) return false;
    Put(copy, g->kingPasses, back, 0);
    Put(copy, g->kingTo, back, king);
    return !Position::InCheck(colour, copy);
}

}  // namespace

bool Position::CanCastleShort(int colour, const Board& board, int kingHomeFile) {
    return CanCastle(CastleShort, colour, board, kingHomeFile);
}

bool Position::CanCastleLong(int colour, const Board& board, int kingHomeFile) {
    return CanCastle(CastleLong, colour, board, kingHomeFile);
}

int Position::Castle(int kind, const Position& in, Position& out) {
    const int side = NormalSide(in.sideToMove);
    Position next = in;
    next.sideToMove = 1 - side;
    if (InCheck(side, in.board)) return CastleInCheck;
    const bool isShort = kind == CastleShort;
    const uint8_t rookFlag = isShort ? in.shortRookMoved[side] : in.longRookMoved[side];
    const int home = in.kingHomeFile[side];
    const CastleGeometry* g = GeometryFor(kind, home);
    if (!g || (kind != CastleShort && kind != CastleLong) || in.kingMoved[side] || rookFlag ||
        !CanCastle(kind, side, in.board, home))
        return CastleImpossible;
    const int back = side == White ? 0 : 7;
    next.kingMoved[side] = 1;
    Put(next.board, g->rookFrom, back, 0);
    Put(next.board, home, back, 0);
    Put(next.board, g->rookTo, back, MakePiece(side, Rook));
    Put(next.board, g->kingTo, back, MakePiece(side, King));
    next.epFile = -1;
    out = next;
    return CastleDone;
}

std::string Position::DebugBoardText() const {
    std::string text(64, '-');
    for (int file = 0; file < 8; ++file) {
        for (int rank = 0; rank < 8; ++rank) {
            const int code = At(board, file, rank);
            if (code == 0) continue;
            char letter = PieceLetter(TypeOf(code));
            if (ColourOf(code) == Black && letter >= 'A' && letter <= 'Z')
                letter = static_cast<char>(letter - 'A' + 'a');
            text[static_cast<size_t>((7 - rank) * 8 + file)] = letter;
        }
    }
    return text;
}
