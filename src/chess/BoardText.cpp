// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "chess/BoardText.h"

#include <algorithm>

BoardText::BoardText() {
    m_squares.fill(kEmpty);
}

BoardText BoardText::Standard() {
    return FromText(kStandard);
}

BoardText BoardText::FromText(std::string_view text) {
    BoardText board;
    const size_t n = std::min(text.size(), board.m_squares.size());
    std::copy_n(text.begin(), n, board.m_squares.begin());
    return board;
}

std::optional<int> BoardText::SquareIndex(char file, char rank) {
    if (file < 'a' || file > 'h' || rank < '1' || rank > '8') return std::nullopt;
    return Index(file - 'a', '8' - rank);
}

std::optional<int> BoardText::SquareIndex(std::string_view name) {
    if (name.size() < 2) return std::nullopt;
    return SquareIndex(name[0], name[1]);
}
