// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Whole PGN files into the reader, then every game through everything the
// client does with one: conversion to Smith moves, the header reading of a
// game window and the upload lines. No input may crash, hang or overrun;
// every upload line must stay one command line, every start board 64
// squares, and no game may convert more moves than it holds.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "chess/PgnConverter.h"
#include "chess/PgnFile.h"
#include "chess/PgnHeader.h"
#include "chess/PgnUpload.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const PgnFile file = PgnFile::FromText(text);
    if ((file.GetError() == PgnFile::Error::kNone) == file.Games().empty()) __builtin_trap();
    std::vector<std::string> smith;
    for (const PgnGame& game : file.Games()) {
        for (int i = 0; i < game.MoveCount(); ++i) {
            if (game.MoveText(i).empty()) __builtin_trap();
        }
        const PgnConverter::Result result = PgnConverter::PgnToSmith(game, smith);
        if (result.converted > game.MoveCount() ||
            result.converted != static_cast<int>(smith.size()))
            __builtin_trap();
        const PgnHeader header = PgnHeader::Read(game);
        if (header.startBoard.size() != 64) __builtin_trap();
        for (const std::string& line : PgnUpload::Lines(game, "user\nname", smith, true)) {
            if (line.empty() || line.back() != '\n') __builtin_trap();
            for (size_t i = 0; i + 1 < line.size(); ++i) {
                const auto byte = static_cast<unsigned char>(line[i]);
                if (byte < 0x20 || byte == 0x7f) __builtin_trap();
            }
        }
    }
    return 0;
}
