// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Arbitrary bytes as the stored PGN list column widths: every width read
// stays within bounds, and the widths written back read as the same widths.
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "lists/PgnListRows.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    constexpr CPgnListRows::Widths kDefaults = {15, 50, 50, 50, 50, 50, 15, 50};
    const CPgnListRows::Widths widths = CPgnListRows::ParseWidths(text, kDefaults);
    for (const int width : widths) {
        if (width < 0 || width > CPgnListRows::kMaxWidth) std::abort();
    }
    const std::string again =
        CPgnListRows::FormatWidths(std::vector<int>(widths.begin(), widths.end()));
    if (CPgnListRows::ParseWidths(again, {}) != widths) std::abort();
    return 0;
}
