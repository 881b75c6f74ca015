// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "chess/PgnConverter.h"

#include "chess/Notation.h"
#include "chess/PgnScan.h"

PgnConverter::PgnConverter(const PgnGame& game) : m_game(game), m_position(StartPosition(game)) {}

Position PgnConverter::StartPosition(const PgnGame& game) {
    Position position;
    const auto fen = game.GetTag("FEN");
    if (!fen) {
        position.SetStandard();
        return position;
    }
    // Fields the tag does not hold read as White to move, no castling, no
    // en-passant square and move one, rather than as leftovers.
    std::string placement;
    std::string colour = "w";
    std::string castling = "-";
    std::string enPassant = "-";
    std::string moveNumber = "1";
    PgnScan scan(*fen);
    if (scan.Word(79, placement) && scan.Word(3, colour) && scan.Word(7, castling) &&
        scan.Word(3, enPassant)) {
        scan.Word(4, moveNumber);
    }
    position.SetFromFen(placement, colour, castling, enPassant, moveNumber);
    return position;
}

std::optional<std::string> PgnConverter::Step() {
    // One result object, made by the converter itself and returned on every
    // path, so the Smith text is never copied on its way to the caller.
    const bool done = Done();
    std::optional<std::string> smith =
        done ? std::optional<std::string>() : algebraicToSmith(m_game.MoveText(m_next), m_position);
    if (smith) {
        ++m_next;
    } else if (!done) {
        m_stopped = true;
        // The converter gives no reason; the SAN reader on the same text does.
        Position ignored;
        const int code = ReadSan(m_game.MoveText(m_next), m_position, nullptr, nullptr, ignored);
        m_reason = code == SanOk ? kUnreadable : code;
    }
    return smith;
}

PgnConverter::Result PgnConverter::PgnToSmith(const PgnGame& game, std::vector<std::string>& out) {
    out.clear();
    out.reserve(static_cast<size_t>(game.MoveCount()));
    PgnConverter converter(game);
    while (!converter.Done()) {
        std::optional<std::string> smith = converter.Step();
        if (!smith) break;
        out.push_back(std::move(*smith));
    }
    Result result;
    result.converted = static_cast<int>(out.size());
    result.stopped = converter.Stopped();
    result.reason = converter.Reason();
    return result;
}

std::string PgnConverter::WrittenSan(std::string_view smith, const Position& before,
                                     const Position& after) {
    if (smith.size() < 4 || smith[1] == '@') return std::string(smith);
    const char last = smith.back();
    if (smith.size() > 4 && (last == 'c' || last == 'C')) {
        std::string san = last == 'c' ? "O-O" : "O-O-O";
        if (Position::InCheck(after.sideToMove, after.board)) san += '+';
        return san;
    }
    return build_pretty_move(smith[0] - 'a', smith[1] - '1', smith[2] - 'a', smith[3] - '1', before,
                             after);
}

std::string_view PgnConverter::ReasonText(int reason) {
    switch (reason) {
        case SanNoMove:
            return "illegal";
        case SanAmbiguous:
            return "ambiguous";
        case SanLeavesCheck:
            return "check";
        default:
            return "unreadable";
    }
}
