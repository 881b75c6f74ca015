// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "lists/PgnListRows.h"

#include <algorithm>

#include "chess/PgnGame.h"

namespace {

unsigned char Lower(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) return false;
    }
    return true;
}

bool Before(const CPgnListRows::Row& a, const CPgnListRows::Row& b, int column) {
    if (column != CPgnListRows::kIndex) {
        const size_t tag = static_cast<size_t>(column - 1);
        const int order = CPgnListRows::CompareNoCase(a.tags[tag], b.tags[tag]);
        if (order != 0) return order < 0;
    }
    return a.index < b.index;
}

}  // namespace

int CPgnListRows::CompareNoCase(std::string_view a, std::string_view b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const unsigned char x = Lower(a[i]);
        const unsigned char y = Lower(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

void CPgnListRows::Fill(const std::vector<PgnGame>& games) {
    m_rows.clear();
    m_rows.reserve(games.size());
    m_sortState = kUnsorted;
    int index = 0;
    for (const PgnGame& game : games) {
        Row& row = m_rows.emplace_back();
        row.game = &game;
        row.index = index++;
        // One pass over the game's tags: the first tag of each name counts,
        // as GetTag would find it.
        std::array<bool, kTagColumns> found{};
        for (int t = 0; t < game.TagCount(); ++t) {
            const std::string_view name = game.TagName(t);
            for (size_t c = 0; c < kTagNames.size(); ++c) {
                if (!found[c] && EqualNoCase(name, kTagNames[c])) {
                    found[c] = true;
                    row.tags[c] = game.TagValue(t);
                    break;
                }
            }
        }
    }
}

void CPgnListRows::Clear() {
    m_rows.clear();
    m_sortState = kUnsorted;
}

std::string_view CPgnListRows::TagText(int row, int column) const {
    if (column <= kIndex || column >= kColumnCount) return {};
    return At(row).tags[static_cast<size_t>(column - 1)];
}

std::string CPgnListRows::Text(int row, int column) const {
    if (column == kIndex) return std::to_string(At(row).index);
    return std::string(TagText(row, column));
}

int CPgnListRows::NextSortState(int state, int column) {
    const int ascending = 2 * column + 1;
    return state == ascending ? 2 * column : ascending;
}

void CPgnListRows::ClickColumn(int column) {
    if (column < 0 || column >= kColumnCount) return;
    Sort(NextSortState(m_sortState, column));
}

bool CPgnListRows::Less(const Row& a, const Row& b, int state) {
    const int column = state / 2;
    return state % 2 == 1 ? Before(a, b, column) : Before(b, a, column);
}

void CPgnListRows::Sort(int state) {
    if (state < 0 || state >= 2 * kColumnCount) return;
    m_sortState = state;
    std::sort(m_rows.begin(), m_rows.end(),
              [state](const Row& a, const Row& b) { return Less(a, b, state); });
}

CPgnListRows::Widths CPgnListRows::ParseWidths(std::string_view text, const Widths& defaults) {
    Widths widths = defaults;
    size_t at = 0;
    for (size_t column = 0; column < widths.size(); ++column) {
        // As "%d," reads: blanks, a sign, digits; then the comma must follow
        // for the next number to be read.
        while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
        bool negative = false;
        if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
        const size_t digits = at;
        long value = 0;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
            if (value <= kMaxWidth) value = value * 10 + (text[at] - '0');
            ++at;
        }
        if (at == digits) break;
        // A negative or absurd width from a damaged file would hide a column
        // or push the others out of reach.
        widths[column] = negative ? 0 : static_cast<int>(std::min<long>(value, kMaxWidth));
        if (at >= text.size() || text[at] != ',') break;
        ++at;
    }
    return widths;
}

std::string CPgnListRows::FormatWidths(const std::vector<int>& widths) {
    std::string text;
    for (const int width : widths) {
        text += std::to_string(width);
        text += ',';
    }
    text += '0';
    return text;
}
