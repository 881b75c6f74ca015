// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "chess/Diagnostics.h"
#include "chess/Position.h"

// Helpers shared by the rules and notation tests: positions and board texts
// written as FEN, and a capture of the diagnostic channel.
namespace rules_test {

inline Position FromFen(const std::string& fen) {
    std::istringstream in(fen);
    std::string placement, colour, castling, ep, halfmove, number;
    in >> placement >> colour >> castling >> ep >> halfmove >> number;
    Position pos;
    pos.SetFromFen(placement, colour, castling, ep, number);
    return pos;
}

// The board text of a FEN placement (rank 8 first, "-" for empty).
inline std::string BoardFromFen(const std::string& placement) {
    std::string board;
    for (char c : placement) {
        if (c == '/') continue;
        if (c >= '1' && c <= '8') {
            board.append(static_cast<size_t>(c - '0'), '-');
        } else {
            board += c;
        }
    }
    return board;
}

// Collects everything written to the diagnostic channel while it lives.
class DiagnosticsCapture {
  public:
    DiagnosticsCapture() {
        Diagnostics::SetSink([this](std::string_view text) { lines.emplace_back(text); });
    }
    ~DiagnosticsCapture() { Diagnostics::SetSink({}); }
    DiagnosticsCapture(const DiagnosticsCapture&) = delete;
    DiagnosticsCapture& operator=(const DiagnosticsCapture&) = delete;

    std::vector<std::string> lines;
};

}  // namespace rules_test
