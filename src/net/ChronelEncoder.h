// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The server-side Chronel encoder: turns plain server output into the bit
// codes that `ChronelDecoder` reads, using the same trees, strings and
// context rule (ChronelTables). Each Encode call ends on a byte boundary so
// that the client can decode every chunk as it arrives.
class ChronelEncoder {
  public:
    // Appends the codes of `plain` to `out`: at every position the longest
    // fixed string that matches, else the byte itself; then, unless the
    // bits already end a byte, symbol 256 and zero bits up to the boundary.
    void Encode(std::string_view plain, std::string& out);

    // The longest of `strings` that `text` starts with: its index, or -1.
    // Shared with the table generator so that it counts what we send.
    static int LongestString(const std::string_view* strings, size_t count, std::string_view text);

    // The code of a symbol in a context: bit i is the i-th branch taken from
    // the root. Every code of the trees is at most 32 bits long.
    struct Code {
        uint32_t bits;
        uint8_t length;
    };
    static Code CodeOf(int context, int symbol);

  private:
    void Put(int symbol, std::string& out);

    uint64_t m_bits = 0;
    int m_count = 0;
    int m_context = 0;
};
