// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
// Applies arbitrary move strings (one per line) to a GameRecord. The first
// line, when it is 64 bytes long, is the starting board text (any bytes).
// A move may change only squares it names, browsing and taking back must
// give the boards seen on the way, and the legality walks must leave the
// board as they found it.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "chess/GameRecord.h"

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

// The squares a move string names, as the applier reads it: the two squares,
// and for castling the rook squares of the origin rank, for "E" the square
// beside the origin.
uint64_t NamedSquares(std::string_view move) {
    uint64_t named = 0;
    const auto square = [&](size_t at) -> int {
        if (at + 1 >= move.size()) return -1;
        const auto sq = BoardText::SquareIndex(move[at], move[at + 1]);
        return sq ? *sq : -1;
    };
    const int first = square(0);
    const int second = square(2);
    if (first >= 0) named |= uint64_t{1} << first;
    if (second >= 0) named |= uint64_t{1} << second;
    if (first >= 0 && second >= 0 && move.size() > 4) {
        const int row = first / 8;
        if (move.back() == 'c' || move.back() == 'C') {
            for (int file : {0, 2, 3, 4, 5, 7}) named |= uint64_t{1} << BoardText::Index(file, row);
        } else if (move.back() == 'E') {
            named |= uint64_t{1} << BoardText::Index(second % 8, row);
        }
    }
    return named;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    GameRecord record;
    const size_t firstEnd = text.find('\n');
    if (firstEnd == 64) {
        record.Reset(text.substr(0, 64), text.size() > 65 ? (text[65] & 1) : 0);
        text.remove_prefix(65);
    }
    std::vector<BoardText> boards{record.Board()};
    int lines = 0;
    while (!text.empty() && ++lines < 200) {
        const size_t end = text.find('\n');
        const std::string_view move = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);

        const BoardText before = record.Board();
        (void)record.IsLegalMove(move);
        Check(record.Board() == before);
        if (move.size() >= 2) {
            const int file = static_cast<unsigned char>(move[0]) % 10 - 1;
            const int row = static_cast<unsigned char>(move[1]) % 10 - 1;
            const GameRecord::Destinations d = record.CountLegalDestinations(file, row);
            Check(d.count >= 0 && d.count <= 2);
            if (d.count == 1) Check(BoardText::OnBoard(d.file, d.row));
            Check(record.Board() == before);
        }
        (void)record.MaterialSums();

        record.AddMove(move);
        const uint64_t named = NamedSquares(move);
        for (int i = 0; i < 64; ++i) {
            if (!((named >> i) & 1)) Check(record.Board()[i] == before[i]);
        }
        Check(record.EpFile() >= -1 && record.EpFile() < 8);
        boards.push_back(record.Board());
    }
    const int start = record.StartPly();
    for (int p = start; p <= record.Ply(); ++p)
        Check(record.BoardAtPly(p) == boards[static_cast<size_t>(p - start)]);
    Check(record.BoardAtPly(-1) == boards.front());
    if (record.Ply() > start) {
        record.TakeBack(1);
        Check(record.Board() == boards[boards.size() - 2]);
    }
    record.TakeBack(1 << 30);
    Check(record.Ply() == start && record.Board() == boards.front());
    return 0;
}
