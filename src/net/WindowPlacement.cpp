// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Parsed by hand rather than with sscanf: "%d" accepts overflowing numbers
// with undefined results and cannot tell nine numbers and junk from ten.
#include "net/WindowPlacement.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <limits>

namespace {

// One number of the list: optional blanks and sign, then at least one digit,
// then optional blanks. Its value must fit [low, high].
std::optional<int64_t> ReadNumber(std::string_view field, int64_t low, int64_t high) {
    size_t i = 0;
    while (i < field.size() && (field[i] == ' ' || field[i] == '\t')) ++i;
    bool negative = false;
    if (i < field.size() && (field[i] == '-' || field[i] == '+')) negative = field[i++] == '-';
    const size_t digitsAt = i;
    int64_t value = 0;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
        // Twelve digits are beyond every field's range; stop before int64 overflows.
        if (i - digitsAt >= 12) return std::nullopt;
        value = value * 10 + (field[i] - '0');
    }
    if (i == digitsAt) return std::nullopt;
    while (i < field.size() && (field[i] == ' ' || field[i] == '\t')) ++i;
    if (i != field.size()) return std::nullopt;
    if (negative) value = -value;
    if (value < low || value > high) return std::nullopt;
    return value;
}

}  // namespace

std::optional<WindowPlacement> WindowPlacement::Parse(std::string_view text) {
    std::array<int64_t, 10> numbers{};
    size_t count = 0;
    size_t start = 0;
    for (;;) {
        const size_t comma = text.find(',', start);
        const std::string_view field = text.substr(
            start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
        if (count == numbers.size()) return std::nullopt;
        // The first two are unsigned in the stored format.
        const bool isUnsigned = count < 2;
        const std::optional<int64_t> n =
            ReadNumber(field, isUnsigned ? 0 : std::numeric_limits<int32_t>::min(),
                       isUnsigned ? std::numeric_limits<uint32_t>::max()
                                  : std::numeric_limits<int32_t>::max());
        if (!n) return std::nullopt;
        numbers[count++] = *n;
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    if (count != numbers.size()) return std::nullopt;
    WindowPlacement p;
    p.flags = static_cast<unsigned>(numbers[0]);
    p.showCommand = static_cast<unsigned>(numbers[1]);
    p.minX = static_cast<int>(numbers[2]);
    p.minY = static_cast<int>(numbers[3]);
    p.maxX = static_cast<int>(numbers[4]);
    p.maxY = static_cast<int>(numbers[5]);
    p.left = static_cast<int>(numbers[6]);
    p.top = static_cast<int>(numbers[7]);
    p.right = static_cast<int>(numbers[8]);
    p.bottom = static_cast<int>(numbers[9]);
    return p;
}

std::string WindowPlacement::Format() const {
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d", flags, showCommand, minX,
                  minY, maxX, maxY, left, top, right, bottom);
    return buffer;
}
