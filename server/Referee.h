// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The test server's rules of chess: one position with castling rights, the
// en-passant square and the move counters, its legal moves, and the two
// notations the server sends (SAN and Smith). The client's chess library
// checks single moves for a game window; a referee must list every legal move
// (for mate, stalemate and reading any move a person types), so the server
// keeps its own generator here, checked by perft counts in the tests.
//
// Squares are numbered rank * 8 + file (a1 = 0, h8 = 63). Pieces are the
// board-text letters: "PNBRQK" White, "pnbrqk" Black, '-' empty.
//
// With drops on (crazyhouse), a captured piece goes to the capturer's hand, a
// promoted piece going back as a pawn, and a move may put a piece from the
// hand on any empty square (a pawn not on the first or last rank).
class Referee {
  public:
    enum Flag : uint8_t {
        kCapture = 1,
        kEnPassant = 2,
        kCastleShort = 4,
        kCastleLong = 8,
        kDoubleStep = 16,
    };
    struct Move {
        int8_t from = 0;
        int8_t to = 0;
        char promotion = 0;  // 'N', 'B', 'R' or 'Q'; 0 for none
        uint8_t flags = 0;
        // A drop: the piece from the hand, 'P', 'N', 'B', 'R' or 'Q'; `from`
        // is then the target square too. 0 for a board move.
        char drop = 0;
        bool operator==(const Move& other) const = default;
    };
    enum class Ending { None, Checkmate, Stalemate, FiftyMoves, Insufficient };
    static constexpr int kWhite = 1;
    static constexpr int kBlack = 0;
    static constexpr std::string_view kStartFen =
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

    // The standard start.
    Referee();
    // A position from FEN; nothing when the placement is not 8 ranks of 8
    // squares or a side has no king or more than one. Holdings in brackets
    // after the placement ("...RNBQKBNR[Pn] w") turn drops on.
    static std::optional<Referee> FromFen(std::string_view fen);
    std::string Fen() const;
    // The position without the move counters: equal keys are a repetition.
    std::string Key() const;
    // 64 characters, rank 8 first.
    std::string BoardText() const;

    // Crazyhouse rules from now on; the hands start empty.
    void EnableDrops() { m_drops = true; }
    bool Drops() const { return m_drops; }
    // The pieces in a side's hand as upper-case letters in "PNBRQ" order
    // ("PNN"), empty when none.
    std::string Holdings(int colour) const;

    int SideToMove() const { return m_side; }
    int FullMoveNumber() const { return m_fullMove; }
    char At(int square) const { return m_board[static_cast<size_t>(square)]; }

    std::vector<Move> LegalMoves() const;
    bool InCheck() const;
    // Plays a move from LegalMoves().
    void Play(const Move& move);
    // What the position means for the game: mate, stalemate, the fifty-move
    // rule, or material with which nobody can mate.
    Ending Status() const;

    // "Nbd7", "exd6", "O-O", "e8=Q+", "Qh5#", "N@f3" for a legal move.
    std::string San(const Move& move) const;
    // "e2e4", "e5d6E", "e1g1c", "e7d8rQ", "g1f3"; a drop "N@f3" with the
    // piece in upper case for either side.
    static std::string Smith(const Move& move, char captured);
    std::string Smith(const Move& move) const;
    // A legal move typed as coordinates ("e2e4", "e7e8=N", "e7e8n") or as
    // SAN ("Nf3", "exd5", "O-O", "0-0-0", "e8=Q+"), or a drop "N@f3" or
    // "n@f3" (the letter in either case); nothing otherwise.
    std::optional<Move> ReadMove(std::string_view text) const;

    // Set-up edits for an examined game: puts `piece` (or '-') on the square
    // and leaves the side to move; castling rights whose king or rook left
    // their squares are dropped.
    void SetSquare(int square, char piece);
    void SetSideToMove(int side) { m_side = side; }

    // Leaf nodes of the move tree `depth` plies deep.
    uint64_t Perft(int depth) const;

    static std::string SquareName(int square);
    static int SquareFrom(std::string_view name);  // -1 unless "a1".."h8"

  private:
    bool Attacked(int square, int byColour) const;
    int KingSquare(int colour) const;
    void PseudoMoves(std::vector<Move>& out) const;
    void AddPawnMoves(int from, std::vector<Move>& out) const;
    void AddDrops(std::vector<Move>& out) const;
    static int HandIndex(char type);  // 0..4 for "PNBRQ", -1 otherwise
    void DropBrokenCastlingRights();

    std::array<char, 64> m_board;
    int m_side = kWhite;
    // Castling rights: bit 0 White short, 1 White long, 2 Black short, 3 Black long.
    int m_castling = 15;
    int m_epSquare = -1;  // the square a pawn skipped, or -1
    int m_halfMoves = 0;
    int m_fullMove = 1;
    bool m_drops = false;
    // [colour][HandIndex]: pieces in hand.
    std::array<std::array<uint8_t, 5>, 2> m_hand{};
    // Squares holding a promoted piece (bit per square), which a capture
    // sends back to the hand as a pawn.
    uint64_t m_promoted = 0;
};
