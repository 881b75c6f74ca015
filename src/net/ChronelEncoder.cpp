// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "net/ChronelEncoder.h"

#include <algorithm>
#include <array>
#include <vector>

#include "net/ChronelDecoder.h"
#include "net/ChronelTables.h"

namespace {

using CodeTable = std::array<std::array<ChronelEncoder::Code, ChronelTables::kSymbols>, 2>;

void Walk(int context, int node, uint32_t bits, uint8_t length, CodeTable& table) {
    for (int bit = 0; bit < 2; ++bit) {
        const int child = ChronelTables::kTree[context][node][bit];
        const uint32_t next = bits | (static_cast<uint32_t>(bit) << length);
        if (child < 0) {
            table[context][child + ChronelTables::kLeafBias] = {next,
                                                                static_cast<uint8_t>(length + 1)};
        } else {
            Walk(context, child, next, static_cast<uint8_t>(length + 1), table);
        }
    }
}

const CodeTable& Codes() {
    static const CodeTable table = [] {
        CodeTable t{};
        for (int context = 0; context < 2; ++context) Walk(context, ChronelTables::kRoot, 0, 0, t);
        return t;
    }();
    return table;
}

// For each first byte, the fixed strings that start with it, longest first:
// the encoder looks at a handful of strings per position instead of all 48.
using Buckets = std::array<std::vector<uint8_t>, 256>;

const Buckets& StringsByFirstByte() {
    static const Buckets buckets = [] {
        Buckets b;
        for (int i = 0; i < ChronelTables::kStringCount; ++i)
            b[static_cast<uint8_t>(ChronelTables::kStrings[i][0])].push_back(
                static_cast<uint8_t>(i));
        for (auto& list : b) {
            std::stable_sort(list.begin(), list.end(), [](uint8_t x, uint8_t y) {
                return ChronelTables::kStrings[x].size() > ChronelTables::kStrings[y].size();
            });
        }
        return b;
    }();
    return buckets;
}

int LongestTableString(std::string_view text) {
    for (uint8_t i : StringsByFirstByte()[static_cast<uint8_t>(text.front())]) {
        const std::string_view candidate = ChronelTables::kStrings[i];
        if (text.substr(0, candidate.size()) == candidate) return i;
    }
    return -1;
}

}  // namespace

ChronelEncoder::Code ChronelEncoder::CodeOf(int context, int symbol) {
    return Codes()[context][symbol];
}

int ChronelEncoder::LongestString(const std::string_view* strings, size_t count,
                                  std::string_view text) {
    int best = -1;
    size_t bestLength = 0;
    for (size_t i = 0; i < count; ++i) {
        if (strings[i].size() > bestLength && text.substr(0, strings[i].size()) == strings[i]) {
            best = static_cast<int>(i);
            bestLength = strings[i].size();
        }
    }
    return best;
}

void ChronelEncoder::Put(int symbol, std::string& out) {
    const Code code = Codes()[m_context][symbol];
    m_bits |= static_cast<uint64_t>(code.bits) << m_count;
    m_count += code.length;
    while (m_count >= 8) {
        out += static_cast<char>(m_bits & 0xFF);
        m_bits >>= 8;
        m_count -= 8;
    }
    m_context = ChronelDecoder::NextContext(m_context, symbol);
}

void ChronelEncoder::Encode(std::string_view plain, std::string& out) {
    while (!plain.empty()) {
        const int string = LongestTableString(plain);
        if (string >= 0) {
            Put(ChronelTables::kFirstString + string, out);
            plain.remove_prefix(ChronelTables::kStrings[string].size());
        } else {
            Put(static_cast<uint8_t>(plain.front()), out);
            plain.remove_prefix(1);
        }
    }
    if (m_count == 0) return;
    // The decoder skips the rest of the byte in which symbol 256 ends, so
    // after it the unused bits may be anything; we send zeros.
    Put(ChronelTables::kEndByte, out);
    if (m_count > 0) out += static_cast<char>(m_bits & 0xFF);
    m_bits = 0;
    m_count = 0;
}
