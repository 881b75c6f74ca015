// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Arbitrary bytes as what the server reported (variables, notes, cached wild
// names) and as what the user typed into the offer dialogs. Whatever came in,
// every line the dialogs send must be exactly one command line, and the wild
// list must only offer names that were cached.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "app/OfferCommands.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

void CheckLines(const OfferCommands::Outcome& outcome) {
    for (const std::string& line : outcome.lines) {
        Check(!line.empty() && line.back() == '\n');
        Check(line.find_first_of("\r\n") == line.size() - 1);
    }
    if (!outcome.warning.empty()) {
        Check(outcome.warning.find_first_of("\r\n") == outcome.warning.size() - 1);
    }
}

// Splits the input at NUL bytes into the texts the server and the user give.
std::vector<std::string> Pieces(std::string_view data) {
    std::vector<std::string> pieces;
    for (;;) {
        const size_t end = data.find('\0');
        pieces.emplace_back(data.substr(0, end));
        if (end == std::string_view::npos) return pieces;
        data.remove_prefix(end + 1);
    }
}

std::string Piece(const std::vector<std::string>& pieces, size_t index) {
    return index < pieces.size() ? pieces[index] : std::string();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace OfferCommands;
    const std::vector<std::string> pieces =
        Pieces(std::string_view(reinterpret_cast<const char*>(data), size));

    ServerValues values;
    values.SetStringVariable(Piece(pieces, 0), Piece(pieces, 1));
    values.SetStringVariable("formula", Piece(pieces, 2));
    values.SetVariable(Piece(pieces, 3), ReadNumber(Piece(pieces, 4)));

    SeekChoice seek = SeekDefaults(values);
    seek.minRating = ReadNumber(Piece(pieces, 5));
    seek.maxRating = ReadNumber(Piece(pieces, 6));
    seek.manualAccept = size % 2 == 0;
    seek.saveValues = size % 3 == 0;
    const Outcome sought = Seek(seek, values);
    CheckLines(sought);
    Check(!sought.lines.empty() && sought.lines.back().rfind("Seek ", 0) == 0);

    MatchChoice match;
    match.opponent = Piece(pieces, 7);
    CheckLines(Match(match, values));

    FormulaChoice formula = FormulaDefaults(values);
    formula.sfilter = Piece(pieces, 8);
    CheckLines(Formula(formula, values));
    CheckLines(Variables(VariablesDefaults(values), values));

    std::array<std::string, ServerValues::kNoteCount> notes;
    for (size_t i = 0; i < notes.size(); ++i) notes[i] = Piece(pieces, 9 + i);
    CheckLines(Notes(notes, values));
    CheckLines(Question(Piece(pieces, 1)));

    const std::vector<WildEntry> entries = WildEntries(pieces);
    for (const WildEntry& entry : entries) {
        Check(entry.number >= 0 && static_cast<size_t>(entry.number) < pieces.size());
        Check(!pieces[static_cast<size_t>(entry.number)].empty());
    }
    const int selected = WildSelection(entries, ReadNumber(Piece(pieces, 4)));
    Check(entries.empty() ? selected == -1
                          : selected >= 0 && static_cast<size_t>(selected) < entries.size());
    return 0;
}
