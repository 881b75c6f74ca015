// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "chess/PgnUpload.h"

#include "chess/PgnConverter.h"
#include "chess/PgnHeader.h"

namespace {

// The tags an upload keeps, in the order they are sent.
constexpr std::string_view kKeptTags[] = {"Event",    "Site",     "Round",      "Date",
                                          "WhiteElo", "BlackElo", "WhiteTitle", "BlackTitle"};

}  // namespace

std::string PgnUpload::CommandValue(std::string_view value, size_t maxLength) {
    std::string clean;
    clean.reserve(value.size() < maxLength ? value.size() : maxLength);
    for (const char c : value) {
        if (clean.size() >= maxLength) break;
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) continue;
        clean.push_back(c);
    }
    return clean;
}

std::string PgnUpload::MoveCommand(std::string_view smith) {
    std::string line(smith.substr(0, 4));
    if (smith.size() > 4) {
        const char last = smith.back();
        if (last == 'Q' || last == 'N' || last == 'R' || last == 'B') {
            line.push_back('=');
            line.push_back(last);
        }
    }
    return CommandValue(line);
}

std::vector<std::string> PgnUpload::Lines(const PgnGame& game, std::string_view handle,
                                          bool toLibrary) {
    std::vector<std::string> smith;
    PgnConverter::PgnToSmith(game, smith);
    return Lines(game, handle, smith, toLibrary);
}

std::vector<std::string> PgnUpload::Lines(const PgnGame& game, std::string_view handle,
                                          const std::vector<std::string>& smithMoves,
                                          bool toLibrary) {
    std::vector<std::string> lines;
    const std::string user = CommandValue(handle);
    const std::string wild = "w" + std::to_string(PgnHeader::ReadWild(game));
    const PgnHeader::TimeControl time = PgnHeader::ReadTimeControl(game);
    if (time.minutes == 0 && time.increment == 0) {
        lines.push_back("Match " + user + " " + wild + "\n");
    } else {
        lines.push_back("Match " + user + " " + std::to_string(time.minutes) + " " +
                        std::to_string(time.increment) + " " + wild + "\n");
    }

    if (const auto fen = game.GetTag("FEN"))
        lines.push_back("Loadfen " + CommandValue(*fen) + "\n");
    if (const auto white = game.GetTag("White")) {
        lines.push_back("Setwhitename " + CommandValue(*white) + "\n");
    }
    if (const auto black = game.GetTag("Black")) {
        lines.push_back("Setblackname " + CommandValue(*black) + "\n");
    }

    for (const std::string& move : smithMoves) lines.push_back(MoveCommand(move) + "\n");

    if (game.ResultCode() != PgnGame::kUnknown) {
        if (const auto result = game.GetTag("VCXResult")) {
            lines.push_back("Result " + CommandValue(*result) + "\n");
        } else {
            lines.push_back("Result " + std::string(PgnHeader::ResultText(game.ResultCode())) +
                            "\n");
        }
    }

    for (const std::string_view name : kKeptTags) {
        if (const auto value = game.GetTag(name)) {
            lines.push_back("Tag " + CommandValue(name, 20) + " " + CommandValue(*value, 270) +
                            "\n");
        }
    }
    if (toLibrary) lines.push_back("Libkeepexam\n");
    return lines;
}
