// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

class KingSafety;

// The numeric position that the SAN reader and writer and the PGN converter
// work on (see Notation.h). It is a plain record: the notation functions copy
// it, change the copy and hand it back. It is independent of GameRecord's
// board text; the two only meet through Smith move strings.
//
// Board index = file * 8 + rank index (a1 = 0, a2 = 1, ..., h8 = 63). A piece
// code is colour offset + type: White 1..6, Black 11..16, 0 empty. Colour
// numbers are 1 White, 0 Black; per-side arrays are indexed by colour number.
struct Position {
    using Board = std::array<int8_t, 64>;

    enum PieceType : int {
        None = 0,
        Pawn = 1,
        Knight = 2,
        Bishop = 3,
        Rook = 4,
        Queen = 5,
        King = 6
    };
    enum Colour : int { Black = 0, White = 1 };
    // Codes of check_general.
    enum MoveCode : int {
        MoveImpossible = 0,
        MoveLeavesCheck = -1,
        MoveOrdinary = 1,
        MoveRookFromHCorner = 2,
        MoveRookFromACorner = 3,
        MovePawnDouble = 4,
        MovePawnSingle = 5,
        MoveEnPassant = 6,
        MoveKing = 7,
    };
    // Castle kinds and results.
    enum CastleKind : int { CastleShort = 1, CastleLong = 2 };
    enum CastleResult : int { CastleDone = 0, CastleImpossible = -1, CastleInCheck = -3 };

    // Colour offset indexed by colour number: [Black] 10, [White] 0.
    static constexpr int kColourOffset[2] = {10, 0};

    Board board{};
    int32_t epFile = -1;
    int32_t kingHomeFile[2] = {4, 4};
    int32_t sideToMove = White;
    uint8_t shortRookMoved[2] = {0, 0};
    uint8_t longRookMoved[2] = {0, 0};
    uint8_t kingMoved[2] = {0, 0};

    static constexpr int Index(int file, int rank) { return file * 8 + rank; }
    static constexpr bool OnBoard(int file, int rank) {
        return file >= 0 && file < 8 && rank >= 0 && rank < 8;
    }
    static constexpr int MakePiece(int colour, int type) {
        return kColourOffset[colour & 1] + type;
    }
    // Colour number of a non-empty code: below 10 is White.
    static constexpr int ColourOf(int code) { return code < 10 ? White : Black; }
    // Piece type of a code (may be outside 1..6 for a corrupt code).
    static constexpr int TypeOf(int code) { return code >= 10 ? code - 10 : code; }

    int PieceAt(int file, int rank) const { return board[static_cast<size_t>(Index(file, rank))]; }

    // The standard start: epFile -1, both king home files 4, White to move,
    // every castling flag clear.
    void SetStandard();

    // Sets the position from the FEN fields as separate texts (placement,
    // active colour, castling, en-passant square, move number). Returns the ply
    // index: moveNumber * 2 - 2 with White to move, moveNumber * 2 - 1 with
    // Black. Never fails: squares past the board are ignored, an en-passant
    // field that names no file gives -1, and a move number that is missing,
    // not a number or below 1 counts as 1.
    int SetFromFen(std::string_view placement, std::string_view activeColour,
                   std::string_view castling, std::string_view enPassant,
                   std::string_view moveNumber);

    // "PNBRQK" (either case) -> 1..6; anything else writes a diagnostic and
    // yields 1 (pawn).
    static int letter_to_piece(char letter);
    // 1..6 -> "PNBRQK"; anything else "$".
    static char PieceLetter(int type);

    // True if that colour's king is attacked, or if it has no king. The first
    // king found (a1, a2, ..., h8) is the one tested.
    static bool InCheck(int colour, const Board& board);

    // Classifies the move (origin file/rank -> destination file/rank) on the
    // board; the mover's colour comes from the piece on the origin. Returns a
    // MoveCode. Squares off the board give MoveImpossible.
    static int check_general(int fromFile, int fromRank, int toFile, int toRank, const Board& board,
                             int epFile);
    // The same with the king test done on `safety`, gathered from the same
    // board: callers that classify many moves of one side on one board (the
    // SAN resolver) gather it once. A `safety` of the other colour than the
    // mover's is not used.
    static int check_general(int fromFile, int fromRank, int toFile, int toRank, const Board& board,
                             int epFile, const KingSafety& safety);

    // Square-and-attack tests of castling only (no castling flags), for the
    // king on kingHomeFile (4 = e-file, 3 = d-file; any other file gives
    // false).
    static bool CanCastleShort(int colour, const Board& board, int kingHomeFile);
    static bool CanCastleLong(int colour, const Board& board, int kingHomeFile);

    // Castles the side to move of `in` (kind CastleShort or CastleLong). On
    // CastleDone, `out` is the position after castling with the other side to
    // move; on failure `out` is left untouched. `in` and `out` may be the same.
    static int Castle(int kind, const Position& in, Position& out);

    // The board as 64-character board text (rank 8 first). For tests and
    // diagnostics that compare this model with GameRecord.
    std::string DebugBoardText() const;
};
