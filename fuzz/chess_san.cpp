// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
// Feeds arbitrary move text to the SAN reader and the Smith converter, one
// word at a time, starting from one of a set of positions chosen by the first
// byte. Whenever a move is read, the Smith move applied to board text must
// give the same board as the numeric position, and the SAN the writer made
// must read back to the same position.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "chess/GameRecord.h"
#include "chess/Notation.h"

namespace {

constexpr const char* kPositions[][5] = {
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", "w", "KQkq", "-", "1"},
    {"r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R", "w", "KQkq", "-", "1"},
    {"r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R", "b", "KQkq", "-", "1"},
    {"r2k3r/pppppppp/8/8/8/8/PPPPPPPP/R2K3R", "w", "KQkq", "-", "1"},
    {"4k3/8/8/3pP3/8/8/8/4K3", "w", "-", "d6", "30"},
    {"r3k3/1P6/8/8/8/8/6p1/4K2R", "w", "K", "-", "40"},
    {"r3k3/1P6/8/8/8/8/6p1/4K2R", "b", "K", "-", "40"},
    {"4k3/8/8/8/8/5N2/8/1N2K3", "w", "-", "-", "1"},
    {"k7/8/8/8/8/2Q1Q3/8/2Q4K", "w", "-", "-", "1"},
    {"4k3/8/8/8/8/2n5/1P1B4/4K3", "w", "-", "-", "1"},
    {"4r1k1/8/8/8/8/8/4B3/4K3", "w", "-", "-", "1"},
    {"8/8/8/8/8/8/8/8", "w", "KQkq", "e3", "1"},
};

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const auto& fen = kPositions[data[0] % (sizeof kPositions / sizeof kPositions[0])];
    Position pos;
    pos.SetFromFen(fen[0], fen[1], fen[2], fen[3], fen[4]);
    GameRecord record;
    record.Reset(pos.DebugBoardText(), pos.sideToMove == Position::White ? 0 : 1, pos.epFile);

    std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    while (!text.empty()) {
        const size_t space = text.find(' ');
        const std::string_view word = text.substr(0, space);
        text = space == std::string_view::npos ? std::string_view() : text.substr(space + 1);

        (void)ResolveSan(word, pos);
        Position after;
        std::string san;
        std::string verbose;
        const int result = ReadSan(word, pos, &san, &verbose, after);
        Check(result >= -3 && result <= 0);
        const Position before = pos;
        const std::optional<std::string> smith = algebraicToSmith(word, pos);
        if (!smith) {
            Check(pos.DebugBoardText() == before.DebugBoardText());
            continue;
        }
        Check(smith->size() >= 4 && smith->size() <= 6);
        record.AddMove(*smith);
        Check(record.Board().View() == pos.DebugBoardText());
        if (result == SanOk && (*smith)[1] != '@') {
            Position again;
            Check(ReadSan(san, before, nullptr, nullptr, again) == SanOk);
            Check(again.DebugBoardText() == after.DebugBoardText());
        }
    }
    return 0;
}
