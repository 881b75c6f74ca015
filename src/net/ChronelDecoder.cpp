// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "net/ChronelDecoder.h"

#include "net/ChronelTables.h"

size_t ChronelDecoder::Decode(uint8_t byte, uint16_t* symbols) {
    size_t count = 0;
    for (int bit = 0; bit < 8; ++bit) {
        const int child = ChronelTables::kTree[m_context][m_node][(byte >> bit) & 1];
        if (child >= 0) {
            m_node = child;
            continue;
        }
        const int symbol = child + ChronelTables::kLeafBias;
        m_node = ChronelTables::kRoot;
        m_context = NextContext(m_context, symbol);
        symbols[count++] = static_cast<uint16_t>(symbol);
        if (symbol == ChronelTables::kEndByte) break;
    }
    return count;
}
