// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <cstdint>
#include <string_view>

// A square as the move strings carry it: the file letter in the low byte and
// the rank digit in the high byte, so that a square is read straight out of a
// move ("e2e4" holds e2 at 0 and e4 at 2). 0 is no square.
using SquareCode = uint16_t;

constexpr SquareCode kNoSquare = 0;

constexpr SquareCode MakeSquare(char file, char rank) {
    return static_cast<SquareCode>(static_cast<uint8_t>(file) | (static_cast<uint8_t>(rank) << 8));
}
constexpr char SquareFile(SquareCode square) {
    return static_cast<char>(square & 0xFF);
}
constexpr char SquareRank(SquareCode square) {
    return static_cast<char>(square >> 8);
}
constexpr bool IsSquare(SquareCode square) {
    return SquareFile(square) >= 'a' && SquareFile(square) <= 'h' && SquareRank(square) >= '1' &&
           SquareRank(square) <= '8';
}
// The square at `offset` of a move string, or none when it names no square.
constexpr SquareCode SquareAt(std::string_view move, size_t offset) {
    if (move.size() < offset + 2) {
        return kNoSquare;
    }
    const SquareCode square = MakeSquare(move[offset], move[offset + 1]);
    return IsSquare(square) ? square : kNoSquare;
}
// Index into a 64-character board text (rank 8 first).
constexpr int SquareIndex(SquareCode square) {
    return ('8' - SquareRank(square)) * 8 + (SquareFile(square) - 'a');
}
