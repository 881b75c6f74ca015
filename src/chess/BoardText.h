// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <array>
#include <optional>
#include <string_view>

// The 64-character board a game window keeps: rank 8 first, each rank from a
// to h, "PNBRQK" for White, "pnbrqk" for Black and "-" for an empty square.
// GameRecord stores its boards in this form, the board window paints from it,
// and the server sends whole boards in it. A board read from outside may hold
// any byte; everything that walks it only ever indexes the 64 squares.
class BoardText {
  public:
    static constexpr std::string_view kStandard =
        "rnbqkbnrpppppppp--------------------------------PPPPPPPPRNBQKBNR";
    static constexpr char kEmpty = '-';

    // An empty board (64 times "-").
    BoardText();
    static BoardText Standard();
    // The first 64 characters of text; a shorter text leaves the rest empty.
    static BoardText FromText(std::string_view text);

    // Index of (file 0..7, row 0..7), row 0 being rank 8.
    static constexpr int Index(int file, int row) { return row * 8 + file; }
    static constexpr bool OnBoard(int file, int row) {
        return file >= 0 && file < 8 && row >= 0 && row < 8;
    }
    // "e4" -> index; none unless the file is "a".."h" and the rank "1".."8".
    static std::optional<int> SquareIndex(char file, char rank);
    static std::optional<int> SquareIndex(std::string_view name);

    // Colour number of a non-empty square character: 0 for lower case (Black),
    // 1 otherwise. Test for kEmpty first.
    static int ColourOf(char piece) { return (piece >= 'a' && piece <= 'z') ? 0 : 1; }

    char operator[](int index) const { return m_squares[static_cast<size_t>(index)]; }
    char& operator[](int index) { return m_squares[static_cast<size_t>(index)]; }
    char At(int file, int row) const { return m_squares[static_cast<size_t>(Index(file, row))]; }
    std::string_view View() const { return {m_squares.data(), m_squares.size()}; }

    bool operator==(const BoardText& other) const { return m_squares == other.m_squares; }
    bool operator!=(const BoardText& other) const { return !(*this == other); }

  private:
    std::array<char, 64> m_squares;
};
