// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "chess/BoardText.h"

// One game as a game window keeps it: the starting board text and the Smith
// moves played since (Notation.h), with the current board. The game window
// applies every server move here as it comes (the server is the referee), asks
// for the board at any earlier ply while the user browses, checks the user's
// drags with IsLegalMove / CountLegalDestinations before they are sent, and
// counts material. A game that starts with Black to move begins at ply 1 with
// no move stored at index 0; such a record never reads a move below its start
// ply.
class GameRecord {
  public:
    struct Material {
        int white = 0;
        int black = 0;
    };
    struct Destinations {
        int count = 0;  // 0, 1, or 2 meaning two or more
        int file = -1;  // the single destination when count is 1
        int row = -1;
    };

    // Starts at the standard position.
    GameRecord();

    // Starts again from board text (its first 64 characters; a short text is
    // padded with empty squares). startPly 1 makes Black the side to move
    // with no move stored before it; values below 0 count as 0. epFile is the
    // file of a pawn that has just made a double step (from a FEN's en-passant
    // field), so that the first move may take it; -1 (or any value outside
    // 0..7) for none.
    void Reset(std::string_view boardText, int startPly = 0, int epFile = -1);
    void ResetToStandard();

    // Applies a Smith move without any legality test and stores it at index
    // Ply(). A malformed move changes only squares it names validly.
    void AddMove(std::string_view smith);
    // Replaces the current board (the server's whole-board update, a set-up
    // edit); the moves and the ply stay.
    void SetBoard(const BoardText& board) { m_board = board; }
    // Takes back n moves (not below the start ply) by replaying the rest.
    void TakeBack(int n);
    // The board after p moves, p clamped to StartPly()..Ply().
    BoardText BoardAtPly(int p) const;

    // Checks a Smith move (or a drop "N@f3") against the current board.
    // Castling rights are not looked at: the server decides those.
    bool IsLegalMove(std::string_view smith) const;
    // Legal destinations of the piece on (file, row), row 0 being rank 8.
    Destinations CountLegalDestinations(int file, int row) const;

    Material MaterialSums() const { return MaterialSums(m_board); }
    static Material MaterialSums(const BoardText& board);

    int Ply() const { return m_ply; }
    int StartPly() const { return m_startPly; }
    int EpFile() const { return m_epFile; }
    const BoardText& InitialBoard() const { return m_initialBoard; }
    const BoardText& Board() const { return m_board; }
    // The move that was played at ply p (0-based), or empty when there is
    // none: before the start ply or at/after Ply().
    std::string_view MoveAt(int p) const;
    // The last move played, or empty when no move has been played.
    std::string_view LastMove() const { return MoveAt(m_ply - 1); }
    // Moves indexed by ply; entries below StartPly() are empty.
    const std::vector<std::string>& Moves() const { return m_moves; }

    // Two free text slots for the game window; Reset clears them.
    const std::string& TextSlot(int slot) const { return m_text[slot & 1]; }
    void SetTextSlot(int slot, std::string text) { m_text[slot & 1] = std::move(text); }

    // Applies a Smith move to a board (as AddMove does) with `ply` deciding the
    // colour of a dropped piece; returns the new en-passant file or -1.
    static int ApplySmith(BoardText& board, std::string_view smith, int ply);

  private:
    int m_ply = 0;
    int m_epFile = -1;
    BoardText m_initialBoard;
    BoardText m_board;
    std::vector<std::string> m_moves;
    std::string m_text[2];
    int m_startPly = 0;
    int m_startEpFile = -1;
};
