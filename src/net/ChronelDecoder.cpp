// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "net/ChronelDecoder.h"

#include <array>
#include <cstring>

#include "net/ChronelTables.h"

namespace {

// The walk of four bits from one node of one context, worked out in
// advance: a received byte then costs two look-ups instead of eight
// dependent, hard-to-predict branches.
struct NibbleStep {
    uint16_t symbols[4];
    uint8_t count;
    uint8_t context;
    uint16_t node;
    bool endOfByte;  // symbol 256 was among them: the byte's other bits go unread
};

using NibbleTable = std::array<std::array<std::array<NibbleStep, 16>, ChronelTables::kNodes>, 2>;

NibbleStep Walk(int context, int node, int nibble) {
    NibbleStep step{};
    for (int bit = 0; bit < 4; ++bit) {
        const int child = ChronelTables::kTree[context][node][(nibble >> bit) & 1];
        if (child >= 0) {
            node = child;
            continue;
        }
        const int symbol = child + ChronelTables::kLeafBias;
        step.symbols[step.count++] = static_cast<uint16_t>(symbol);
        node = ChronelTables::kRoot;
        context = ChronelDecoder::NextContext(context, symbol);
        if (symbol == ChronelTables::kEndByte) {
            step.endOfByte = true;
            break;
        }
    }
    step.context = static_cast<uint8_t>(context);
    step.node = static_cast<uint16_t>(node);
    return step;
}

const NibbleTable& Steps() {
    static const NibbleTable* table = [] {
        auto* t = new NibbleTable;
        for (int context = 0; context < 2; ++context)
            for (int node = 0; node < ChronelTables::kNodes; ++node)
                for (int nibble = 0; nibble < 16; ++nibble)
                    (*t)[context][node][nibble] = Walk(context, node, nibble);
        return t;
    }();
    return *table;
}

}  // namespace

size_t ChronelDecoder::Decode(uint8_t byte, uint16_t* symbols) {
    const NibbleTable& steps = Steps();
    const NibbleStep& low = steps[m_context][m_node][byte & 0x0F];
    std::memcpy(symbols, low.symbols, sizeof low.symbols);
    size_t count = low.count;
    m_context = low.context;
    m_node = low.node;
    if (low.endOfByte) return count;
    const NibbleStep& high = steps[m_context][m_node][byte >> 4];
    // At most four symbols came from the low half, so four more still fit.
    std::memcpy(symbols + count, high.symbols, sizeof high.symbols);
    count += high.count;
    m_context = high.context;
    m_node = high.node;
    return count;
}
