// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <cstddef>
#include <cstdint>

// The incoming Chronel decoder: walks the bits of each deciphered byte
// through the code tree of the current context and yields the symbols they
// complete. `Chronel` expands the symbols (bytes, fixed strings) and feeds
// them to its command step; `ChronelEncoder` is its server-side mirror.
class ChronelDecoder {
  public:
    // A byte has 8 bits and every code is at least one bit long.
    static constexpr size_t kMaxSymbolsPerByte = 8;

    // Reads `byte` least significant bit first and writes the symbols it
    // completes to `symbols` (room for kMaxSymbolsPerByte); returns how
    // many. A partial code carries over to the next byte; symbol 256 ends
    // the byte, so the bits after it are skipped.
    size_t Decode(uint8_t byte, uint16_t* symbols);

    // The context after `symbol` was decoded in `context`: from 0 a digit
    // or one of the symbols 257 to 264 leads to 1; from 1 only a digit
    // stays in 1; everything else leads to 0.
    static int NextContext(int context, int symbol) {
        const bool digit = symbol >= '0' && symbol <= '9';
        if (context == 0) return digit || (symbol >= 257 && symbol <= 264) ? 1 : 0;
        return digit ? 1 : 0;
    }

    int Context() const { return m_context; }
    int Node() const { return m_node; }

  private:
    int m_context = 0;
    int m_node = 303;
};
