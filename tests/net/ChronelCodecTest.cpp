// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "net/ChronelDecoder.h"
#include "net/ChronelEncoder.h"
#include "net/ChronelTables.h"

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Decodes a whole stream into symbols, expanding nothing.
std::vector<int> Symbols(ChronelDecoder& decoder, std::string_view encoded) {
    std::vector<int> out;
    uint16_t symbols[ChronelDecoder::kMaxSymbolsPerByte];
    for (char c : encoded) {
        const size_t n = decoder.Decode(static_cast<uint8_t>(c), symbols);
        out.insert(out.end(), symbols, symbols + n);
    }
    return out;
}

std::string Expand(const std::vector<int>& symbols) {
    std::string out;
    for (int s : symbols) {
        if (s < 256) out += static_cast<char>(s);
        if (s > 256) out += ChronelTables::kStrings[s - ChronelTables::kFirstString];
    }
    return out;
}

// Their bytes are pinned by the document check and the stream vectors, as
// are the trees, the longest-string-first cut and the digit context.
TEST(ChronelTables, FixedStringsFitTheFilter) {
    for (const auto& s : ChronelTables::kStrings) {
        EXPECT_GE(s.size(), 2u);
        EXPECT_LE(s.size(), 32u);
        // The client passes a string on whole outside a timing command.
        EXPECT_EQ(s.find_first_of("\x9C\x9D\x9E"), std::string_view::npos) << s;
    }
}

TEST(ChronelCodec, EncodedChunksDecodeToTheirInput) {
    std::mt19937 random(7);
    // Every byte after a non-digit and after a digit, so that the codes of
    // both trees are read; the sample holds the fixed strings.
    std::string allBytes;
    for (int i = 0; i < 256; ++i)
        allBytes += {'x', static_cast<char>(i), '7', static_cast<char>(i)};
    std::string noise(5000, '\0');
    for (char& c : noise) c = static_cast<char>(random());
    const std::string sample = ReadFile(KORDANE_TEST_DATA "/chronel/server-sample.txt");
    ASSERT_GT(sample.size(), 10000u);
    const std::vector<std::string> inputs = {
        "", "0", "\x19(\x19(\x19(", allBytes, noise, sample,
    };
    for (size_t chunk : {1u, 7u, 1000u, 100000u}) {
        ChronelEncoder encoder;
        ChronelDecoder decoder;
        for (const std::string& input : inputs) {
            for (size_t at = 0; at < input.size() || at == 0; at += chunk) {
                const std::string piece = input.substr(at, chunk);
                std::string encoded;
                encoder.Encode(piece, encoded);
                // Each chunk stands alone: decoded on its own, it ends at the root.
                EXPECT_EQ(Expand(Symbols(decoder, encoded)), piece) << chunk;
                EXPECT_EQ(decoder.Node(), ChronelTables::kRoot);
                if (input.empty()) break;
            }
        }
    }
}

TEST(ChronelCodec, SampleCompressesWell) {
    const std::string sample = ReadFile(KORDANE_TEST_DATA "/chronel/server-sample.txt");
    ChronelEncoder encoder;
    std::string encoded;
    encoder.Encode(sample, encoded);
    // The trees are built from this sample: well under half its size.
    EXPECT_LT(encoded.size() * 2, sample.size());
}

// Symbol 256 ends the byte it ends in: whatever bits follow in that byte
// are not read, whichever values they have.
TEST(ChronelCodec, EndOfByteSkipsTheRestOfTheByte) {
    const auto end = ChronelEncoder::CodeOf(0, 256);
    ASSERT_LT(end.length, 8);
    for (int filler = 0; filler < (1 << (8 - end.length)); ++filler) {
        ChronelDecoder decoder;
        const auto byte = static_cast<char>(end.bits | (filler << end.length));
        EXPECT_EQ(Symbols(decoder, std::string(1, byte)), std::vector<int>{256});
        EXPECT_EQ(decoder.Node(), ChronelTables::kRoot);
    }
}

}  // namespace
