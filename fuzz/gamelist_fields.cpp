// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// The texts a game list makes from server fields and the column widths it
// reads from the settings file, on arbitrary input.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "lists/GameListText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    (void)CGameListText::Rating(text);
    (void)CGameListText::ColumnWidths(text, 10);
    int numbers[6] = {};
    for (size_t i = 0; i < 6 && i * 4 + 4 <= size; ++i) {
        numbers[i] = static_cast<int>(static_cast<uint32_t>(data[i * 4]) |
                                      static_cast<uint32_t>(data[i * 4 + 1]) << 8 |
                                      static_cast<uint32_t>(data[i * 4 + 2]) << 16 |
                                      static_cast<uint32_t>(data[i * 4 + 3]) << 24);
    }
    (void)CGameListText::ResultCode(numbers[0], numbers[1], numbers[2]);
    (void)CGameListText::Result(numbers[0], numbers[1], numbers[2]);
    (void)CGameListText::ResultMark(numbers[0], numbers[2], numbers[3]);
    (void)CGameListText::StoredMarks(numbers[4] != 0, numbers[1], numbers[2], numbers[3]);
    (void)CGameListText::ResultOrder(numbers[0], numbers[2]);
    const std::vector<std::string> wild = {"Standard", std::string(text.substr(0, 8))};
    (void)CGameListText::TimeControls(numbers[3], numbers[4], numbers[5], text, numbers[0] & 1,
                                      wild);
    return 0;
}
