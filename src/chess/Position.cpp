// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "chess/Position.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "chess/Diagnostics.h"
#include "chess/KingSafety.h"

namespace {

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
    return KingSafety(board, NormalSide(colour)).Attacked();
}

namespace {

// The piece-specific part of check_general: the move's code if the piece on
// the origin (of colour `colour`, already known not to be empty) could make
// it, ignoring the own king. `target` is what stands on the destination.
int MoveShape(int piece, int colour, int target, int fromFile, int fromRank, int toFile, int toRank,
              const Position::Board& board, int epFile) {
    using P = Position;
    const int df = std::abs(toFile - fromFile);
    const int dr = std::abs(toRank - fromRank);
    const int backRank = colour == P::White ? 0 : 7;
    int code = P::MoveImpossible;
    switch (P::TypeOf(piece)) {
        case P::Pawn: {
            const int forward = colour == P::White ? 1 : -1;
            if ((toRank - fromRank) * forward <= 0) break;
            if (df != 0) {
                if (df > 1 || dr > 1) break;
                if (target != 0) {
                    code = P::MoveOrdinary;
                } else if (toFile == epFile && fromRank == (colour == P::White ? 4 : 3)) {
                    code = P::MoveEnPassant;
                }
            } else if (target == 0) {
                if (dr == 1) {
                    code = P::MovePawnSingle;
                } else if (dr == 2 && fromRank == (colour == P::White ? 1 : 6) &&
                           At(board, fromFile, fromRank + forward) == 0) {
                    code = P::MovePawnDouble;
                }
            }
            break;
        }
        case P::Knight:
            if ((df == 1 && dr == 2) || (df == 2 && dr == 1)) code = P::MoveOrdinary;
            break;
        case P::Bishop:
            if (df == dr && PathClear(board, fromFile, fromRank, toFile, toRank))
                code = P::MoveOrdinary;
            break;
        case P::Rook:
            if ((df == 0) != (dr == 0) && PathClear(board, fromFile, fromRank, toFile, toRank)) {
                code = P::MoveOrdinary;
                if (fromRank == backRank && fromFile == 7) code = P::MoveRookFromHCorner;
                if (fromRank == backRank && fromFile == 0) code = P::MoveRookFromACorner;
            }
            break;
        case P::Queen:
            if ((df == dr || (df == 0) != (dr == 0)) &&
                PathClear(board, fromFile, fromRank, toFile, toRank))
                code = P::MoveOrdinary;
            break;
        case P::King:
            if (df <= 1 && dr <= 1) code = P::MoveKing;
            break;
        default:
            Diagnostics::Write("check_general: piece unidentifiable.\n");
            return P::MoveImpossible;
    }
    return code;
}

// Both forms of check_general. `safety` may be null or gathered for the other
// colour; the king's bit sets are then gathered here, and only for a move
// the piece could make at all.
int Classify(int fromFile, int fromRank, int toFile, int toRank, const Position::Board& board,
             int epFile, const KingSafety* safety) {
    using P = Position;
    if (!P::OnBoard(fromFile, fromRank) || !P::OnBoard(toFile, toRank)) return P::MoveImpossible;
    const int piece = At(board, fromFile, fromRank);
    if (piece == 0) return P::MoveImpossible;
    const int colour = P::ColourOf(piece);
    const int target = At(board, toFile, toRank);
    if (target != 0 && P::ColourOf(target) == colour) return P::MoveImpossible;
    const int code =
        MoveShape(piece, colour, target, fromFile, fromRank, toFile, toRank, board, epFile);
    if (code == P::MoveImpossible) return P::MoveImpossible;
    // The board after the move is never built: the king test works on the
    // bit sets with the move's squares changed.
    const int victim = code == P::MoveEnPassant ? P::Index(toFile, fromRank) : -1;
    const int from = P::Index(fromFile, fromRank);
    const int to = P::Index(toFile, toRank);
    const bool attacked = (safety && safety->Colour() == colour)
                              ? safety->AttackedAfter(from, to, victim)
                              : KingSafety(board, colour).AttackedAfter(from, to, victim);
    return attacked ? P::MoveLeavesCheck : code;
}

}  // namespace

int Position::check_general(int fromFile, int fromRank, int toFile, int toRank, const Board& board,
                            int epFile) {
    return Classify(fromFile, fromRank, toFile, toRank, board, epFile, nullptr);
}

int Position::check_general(int fromFile, int fromRank, int toFile, int toRank, const Board& board,
                            int epFile, const KingSafety& safety) {
    return Classify(fromFile, fromRank, toFile, toRank, board, epFile, &safety);
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
