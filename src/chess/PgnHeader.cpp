// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "chess/PgnHeader.h"

#include "chess/BoardText.h"
#include "chess/PgnScan.h"

namespace {

std::string_view TagOr(const PgnGame& game, std::string_view name, std::string_view fallback) {
    const auto value = game.GetTag(name);
    return value ? *value : fallback;
}

// The rated letter of an "Event" such as "VCX w17 3 0 u" or "VCX 5 0 r".
char RatedLetter(std::string_view event) {
    char letter = 'r';
    char c = 0;
    PgnScan wildForm(event);
    if (wildForm.Literal("VCX w") && wildForm.SkipInt() && wildForm.Literal(" ") &&
        wildForm.SkipInt() && wildForm.Literal(" ") && wildForm.SkipInt() &&
        wildForm.Literal(" ") && wildForm.Char(c)) {
        letter = c;
    }
    PgnScan plainForm(event);
    if (plainForm.Literal("VCX ") && plainForm.SkipInt() && plainForm.Literal(" ") &&
        plainForm.SkipInt() && plainForm.Literal(" ") && plainForm.Char(c)) {
        letter = c;
    }
    return letter;
}

std::string Title(const PgnGame& game, std::string_view name) {
    const std::string_view title = TagOr(game, name, "");
    if (!title.empty() && title.front() == '-') return {};
    return std::string(title);
}

}  // namespace

PgnHeader::TimeControl PgnHeader::ReadTimeControl(const PgnGame& game) {
    TimeControl time;
    const auto tag = game.GetTag("TimeControl");
    if (!tag) return time;
    int base = 0;
    int increment = 0;
    PgnScan scan(*tag);
    if (scan.Int(base) && scan.Literal("+")) scan.Int(increment);
    // Negative times mean nothing; they are read as none.
    if (base < 0) base = 0;
    if (increment < 0) increment = 0;
    // "0+0" and an unreadable value mean "no clock"; only a real base under a
    // minute is raised to one minute.
    if (base > 0 && base < 60 && increment == 0) base = 60;
    time.minutes = base / 60;
    time.increment = increment;
    return time;
}

int PgnHeader::ReadWild(const PgnGame& game) {
    int wild = 0;
    if (const auto event = game.GetTag("Event")) {
        int number = 0;
        PgnScan plain(*event);
        if (plain.Literal("VCX w") && plain.Int(number)) wild = number;
        PgnScan tourney(*event);
        if (tourney.Literal("VCX tourney ") && tourney.SkipInt() && tourney.Literal(" (w") &&
            tourney.Int(number)) {
            wild = number;
        }
    }
    if (const auto variant = game.GetTag("Variant")) {
        int number = 0;
        PgnScan scan(*variant);
        if (scan.Literal("w") && scan.Int(number)) wild = number;
    }
    return wild;
}

std::string PgnHeader::PlacementToBoard(std::string_view fen) {
    std::string board;
    board.reserve(72);
    for (const char c : fen) {
        if (c == ' ' || board.size() > 64) break;
        if (c >= '0' && c <= '9') {
            board.append(static_cast<size_t>(c - '0'), '-');
        } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
            board.push_back(c);
        }
    }
    // A short placement would leave the record reading past its text; the
    // missing squares are empty instead.
    board.resize(64, '-');
    return board;
}

std::string_view PgnHeader::ResultText(int resultCode) {
    switch (resultCode) {
        case PgnGame::kWhiteWins:
            return "1-0";
        case PgnGame::kBlackWins:
            return "0-1";
        case PgnGame::kDraw:
            return "1/2-1/2";
        default:
            return "*";
    }
}

PgnHeader PgnHeader::Read(const PgnGame& game) {
    PgnHeader header;
    header.names[1] = TagOr(game, "White", "White");
    header.names[0] = TagOr(game, "Black", "Black");

    if (const auto event = game.GetTag("Event")) {
        if (RatedLetter(*event) == 'u') header.rated = false;
    }
    header.wild = ReadWild(game);
    header.time = ReadTimeControl(game);

    std::string variantName;
    if (const auto variant = game.GetTag("Variant")) {
        int number = 0;
        PgnScan scan(*variant);
        if (scan.Literal("w") && scan.Int(number) && scan.Literal(" (")) {
            scan.Word(80, variantName);
        }
    }
    if (!variantName.empty()) {
        header.ratingType = variantName;
    } else if (header.wild != 0) {
        header.ratingType = "w" + std::to_string(header.wild);
    } else {
        const long long weight = 3LL * header.time.minutes + 2LL * header.time.increment;
        header.ratingType = weight < 9 ? "Bullet" : weight < 45 ? "Blitz" : "Standard";
    }

    header.clockMillis = header.time.minutes == 0 ? 10000 : header.time.minutes * 60000LL;
    header.ratings[1] = PgnScan::LeadingInt(TagOr(game, "WhiteElo", ""));
    header.ratings[0] = PgnScan::LeadingInt(TagOr(game, "BlackElo", ""));
    header.titles[1] = Title(game, "WhiteTitle");
    header.titles[0] = Title(game, "BlackTitle");

    if (const auto fen = game.GetTag("FEN")) {
        header.hasFen = true;
        header.startBoard = PlacementToBoard(*fen);
        const size_t blank = fen->find(' ');
        header.blackToMove =
            blank != std::string_view::npos && blank + 1 < fen->size() && (*fen)[blank + 1] == 'b';
        // The fourth field, read as the converter reads it.
        std::string field;
        PgnScan scan(*fen);
        if (scan.Word(79, field) && scan.Word(3, field) && scan.Word(7, field) &&
            scan.Word(3, field) && field[0] >= 'a' && field[0] <= 'h') {
            header.epFile = field[0] - 'a';
        }
    } else {
        header.startBoard = BoardText::kStandard;
    }
    header.result = ResultText(game.ResultCode());
    return header;
}
