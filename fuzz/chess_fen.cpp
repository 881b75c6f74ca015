// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
// Reads arbitrary FEN fields (split at blanks) into a Position, checks that
// everything it holds is in range, and runs the rules on whatever position
// came out: no king, many kings, pawns on the back ranks.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "chess/Notation.h"
#include "chess/Position.h"

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string_view fields[5];
    for (std::string_view& field : fields) {
        const size_t blank = text.find(' ');
        field = text.substr(0, blank);
        text = blank == std::string_view::npos ? std::string_view() : text.substr(blank + 1);
    }
    Position pos;
    const int ply = pos.SetFromFen(fields[0], fields[1], fields[2], fields[3], fields[4]);
    Check(ply >= 0);
    Check(pos.epFile >= -1 && pos.epFile < 8);
    Check(pos.sideToMove == 0 || pos.sideToMove == 1);
    for (int c = 0; c < 2; ++c) Check(pos.kingHomeFile[c] >= 0 && pos.kingHomeFile[c] < 8);
    for (int8_t code : pos.board)
        Check(code == 0 || (code >= 1 && code <= 6) || (code >= 11 && code <= 16));

    for (int colour = 0; colour < 2; ++colour) {
        (void)Position::InCheck(colour, pos.board);
        (void)Position::CanCastleShort(colour, pos.board, pos.kingHomeFile[colour]);
        (void)Position::CanCastleLong(colour, pos.board, pos.kingHomeFile[colour]);
    }
    Position out;
    (void)Position::Castle(Position::CastleShort, pos, out);
    (void)Position::Castle(Position::CastleLong, pos, out);
    for (int from = 0; from < 64; from += 9)
        for (int to = 0; to < 64; to += 7)
            (void)Position::check_general(from / 8, from % 8, to / 8, to % 8, pos.board,
                                          pos.epFile);
    for (const char* move : {"e4", "exd6", "Nf3", "O-O", "O-O-O", "e8=Q", "bxc3", "Kxe2"}) {
        std::string san;
        std::string verbose;
        (void)ReadSan(move, pos, &san, &verbose, out);
        Position copy = pos;
        (void)algebraicToSmith(move, copy);
    }
    return 0;
}
