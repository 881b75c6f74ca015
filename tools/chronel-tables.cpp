// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// kd-chronel-tables: builds the two Chronel code trees from a sample of
// typical server output and writes src/net/ChronelTables.{h,cpp}, and the
// tables' appendix of docs/chronel.md when that file is named.
//
//   kd-chronel-tables SAMPLE OUTDIR [DOC]
//
// The sample is cut into symbols the way the encoder cuts what it sends
// (longest fixed string first), each counted in the context it is sent in;
// symbol 256 is counted once per line feed, since the server's writes mostly
// end lines. Every symbol's count gets one added, so symbols the sample
// lacks still get a code. A Huffman merge then builds each tree: the two
// lightest entries (ties: the older entry first, leaves in symbol order
// before the internal nodes in order of creation) become children 0 and 1
// of node k, k counting from 0, so the last node made, 303, is the root.
// Should a code come out longer than 24 bits, the counts are halved and the
// trees rebuilt.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <queue>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "net/ChronelDecoder.h"
#include "net/ChronelEncoder.h"

namespace {

constexpr int kNodes = 304;
constexpr int kSymbols = 305;
constexpr int kMaxCodeLength = 24;

// Symbols 257 to 304. 257 to 264 are what numbers typically follow (the
// decoder switches to its digit context after them); the rest are the
// protocol's own escapes and the most frequent pieces of the sample.
constexpr std::array<std::string_view, 48> kStrings = {
    "\x19(",                      // 257 datagram start, its number follows
    "\x19[",                      // 258 level-1 start, its number follows
    "Game ",                      // 259
    " (",                         // 260
    "\x19(24 ",                   // 261 a move: the game number follows
    " rating has changed from ",  // 262
    "\x19(56 ",                   // 263 a clock: the game number follows
    "\x19(15 ",                   // 264 a game start: the game number follows
    "\x19)",                      // 265
    "\x19]",                      // 266
    "\x19{",                      // 267
    "\r\n",                       // 268
    "\x19}",                      // 269
    "\x19<",                      // 270
    "\x19>",                      // 271
    "vcx% ",                      // 272
    " tells you: ",               // 273
    " shouts: ",                  // 274
    "\x19(31 ",                   // 275
    "\x19(32 ",                   // 276
    "\x19(28 ",                   // 277
    "\x19(64 ",                   // 278
    "\x19(51 ",                   // 279
    "\x19(50 ",                   // 280
    " blitz ",                    // 281
    " moves: ",                   // 282
    "Notification: ",             // 283
    " has arrived.",              // 284
    "Challenge: ",                // 285
    " rated ",                    // 286
    " games\r\n",                 // 287
    "(told ",                     // 288
    " resigns",                   // 289
    " the ",                      // 290
    " you ",                      // 291
    "ing ",                       // 292
    " and ",                      // 293
    "tion",                       // 294
    "\x19(73 ",                   // 295
    "\x19(16 ",                   // 296
    "\x19{\x19}",                 // 297 an empty quoted field
    " vs. ",                      // 298
    "2026.",                      // 299
    "Your ",                      // 300
    "  [ bu ",                    // 301
    " {} ",                       // 302
    " 0 ",                        // 303
    " 1 ",                        // 304
};

using Counts = std::array<uint64_t, kSymbols>;
using Tree = std::array<std::array<int, 2>, kNodes>;

std::array<Counts, 2> Count(std::string_view sample) {
    std::array<Counts, 2> counts{};
    int context = 0;
    while (!sample.empty()) {
        const int string = ChronelEncoder::LongestString(kStrings.data(), kStrings.size(), sample);
        int symbol;
        if (string >= 0) {
            symbol = 257 + string;
            sample.remove_prefix(kStrings[string].size());
        } else {
            symbol = static_cast<uint8_t>(sample.front());
            sample.remove_prefix(1);
        }
        ++counts[context][symbol];
        if (symbol == '\n' || symbol == 268 || symbol == 287) ++counts[context][256];
        context = ChronelDecoder::NextContext(context, symbol);
    }
    return counts;
}

// Children are stored as the tables hold them: a node index, or a symbol
// s as s - 305.
Tree Build(const Counts& weights) {
    struct Entry {
        uint64_t weight;
        int id;  // 0..304 leaves, 305 + k node k
        bool operator>(const Entry& other) const {
            return weight != other.weight ? weight > other.weight : id > other.id;
        }
    };
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> queue;
    for (int s = 0; s < kSymbols; ++s) queue.push({weights[s], s});
    Tree tree{};
    for (int k = 0; k < kNodes; ++k) {
        const Entry a = queue.top();
        queue.pop();
        const Entry b = queue.top();
        queue.pop();
        // A leaf id s becomes s - 305 (negative) and a node id 305 + k
        // becomes k: the same subtraction.
        tree[k][0] = a.id - kSymbols;
        tree[k][1] = b.id - kSymbols;
        queue.push({a.weight + b.weight, kSymbols + k});
    }
    return tree;
}

int Depth(const Tree& tree, int node) {
    int deepest = 0;
    for (int child : tree[node])
        deepest = std::max(deepest, child < 0 ? 1 : 1 + Depth(tree, child));
    return deepest;
}

Tree BuildLimited(Counts counts) {
    for (;;) {
        Counts weights;
        for (int s = 0; s < kSymbols; ++s) weights[s] = counts[s] + 1;
        Tree tree = Build(weights);
        if (Depth(tree, kNodes - 1) <= kMaxCodeLength) return tree;
        for (auto& c : counts) c /= 2;
    }
}

std::string CString(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        const auto u = static_cast<uint8_t>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (u < 0x20 || u > 0x7E) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\%03o", u);
            out += buf;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string Hex(std::string_view text) {
    std::string out;
    for (char c : text) {
        char buf[4];
        std::snprintf(buf, sizeof buf, "%s%02X", out.empty() ? "" : " ", static_cast<uint8_t>(c));
        out += buf;
    }
    return out;
}

constexpr std::string_view kHeader =
    "// SPDX-License-Identifier: GPL-3.0-or-later\n"
    "// SPDX-FileCopyrightText: 2026 The Kordane developers\n";

std::string HeaderFile() {
    std::ostringstream h;
    h << kHeader << R"(#pragma once

#include <cstdint>
#include <string_view>

// The code trees and fixed strings that the Chronel decoder (client) and
// encoder (server) share. Generated by kd-chronel-tables from
// tests/data/chronel/server-sample.txt; docs/chronel.md says how to
// regenerate them. A child >= 0 is a node index; a negative child ends a
// symbol, whose value is the child + 305.
class ChronelTables {
  public:
    static constexpr int kContexts = 2;
    static constexpr int kNodes = 304;
    static constexpr int kRoot = 303;
    static constexpr int kSymbols = 305;
    static constexpr int kLeafBias = 305;
    static constexpr int kEndByte = 256;
    static constexpr int kFirstString = 257;
    static constexpr int kStringCount = 48;

    static const int16_t kTree[kContexts][kNodes][2];
    static const std::string_view kStrings[kStringCount];
};
)";
    return h.str();
}

std::string SourceFile(const std::array<Tree, 2>& trees) {
    std::ostringstream c;
    c << kHeader << "// Generated by kd-chronel-tables; do not edit.\n"
      << "#include \"net/ChronelTables.h\"\n\n"
      << "// clang-format off\n"
      << "const std::string_view ChronelTables::kStrings[kStringCount] = {\n";
    for (size_t i = 0; i < kStrings.size(); ++i)
        c << "    " << CString(kStrings[i]) << ",  // " << 257 + i << "\n";
    c << "};\n\nconst int16_t ChronelTables::kTree[kContexts][kNodes][2] = {\n";
    for (int context = 0; context < 2; ++context) {
        c << "    {  // context " << context << "\n";
        for (int node = 0; node < kNodes; node += 6) {
            c << "       ";
            for (int n = node; n < std::min(node + 6, kNodes); ++n) {
                char buf[32];
                std::snprintf(buf, sizeof buf, " {%4d, %4d},", trees[context][n][0],
                              trees[context][n][1]);
                c << buf;
            }
            c << "  // " << node << "\n";
        }
        c << "    },\n";
    }
    c << "};\n// clang-format on\n";
    return c.str();
}

std::string DocAppendix(const std::array<Tree, 2>& trees) {
    std::ostringstream d;
    d << "<!-- chronel-tables:begin (written by kd-chronel-tables) -->\n"
      << "### The 48 strings\n\n| symbol | bytes (hex) | as C text |\n|---|---|---|\n";
    for (size_t i = 0; i < kStrings.size(); ++i)
        d << "| " << 257 + i << " | " << Hex(kStrings[i]) << " | `" << CString(kStrings[i])
          << "` |\n";
    for (int context = 0; context < 2; ++context) {
        d << "\n### Tree of context " << context
          << "\n\nEach entry is `node: child0 child1`.\n\n```\n";
        for (int node = 0; node < kNodes; ++node) {
            char buf[40];
            std::snprintf(buf, sizeof buf, "%3d: %4d %4d", node, trees[context][node][0],
                          trees[context][node][1]);
            d << buf << ((node % 6 == 5 || node == kNodes - 1) ? "\n" : "   ");
        }
        d << "```\n";
    }
    d << "<!-- chronel-tables:end -->";
    return d.str();
}

bool WriteFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::cerr << "usage: kd-chronel-tables SAMPLE OUTDIR [DOC]\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "kd-chronel-tables: cannot read " << argv[1] << "\n";
        return 1;
    }
    const std::string sample((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
    for (size_t i = 0; i < kStrings.size(); ++i) {
        if (sample.find(kStrings[i]) == std::string::npos)
            std::cerr << "kd-chronel-tables: note: string " << 257 + i << " is not in the sample\n";
    }
    const auto counts = Count(sample);
    const std::array<Tree, 2> trees = {BuildLimited(counts[0]), BuildLimited(counts[1])};

    const std::string dir = argv[2];
    if (!WriteFile(dir + "/ChronelTables.h", HeaderFile()) ||
        !WriteFile(dir + "/ChronelTables.cpp", SourceFile(trees))) {
        std::cerr << "kd-chronel-tables: cannot write into " << dir << "\n";
        return 1;
    }
    if (argc == 4) {
        std::ifstream docIn(argv[3], std::ios::binary);
        std::string doc((std::istreambuf_iterator<char>(docIn)), std::istreambuf_iterator<char>());
        const std::string begin = "<!-- chronel-tables:begin";
        const std::string end = "<!-- chronel-tables:end -->";
        const size_t b = doc.find(begin);
        const size_t e = doc.find(end);
        if (b == std::string::npos || e == std::string::npos || e < b) {
            std::cerr << "kd-chronel-tables: " << argv[3] << " has no tables markers\n";
            return 1;
        }
        doc.replace(b, e + end.size() - b, DocAppendix(trees));
        if (!WriteFile(argv[3], doc)) {
            std::cerr << "kd-chronel-tables: cannot write " << argv[3] << "\n";
            return 1;
        }
    }
    for (int context = 0; context < 2; ++context) {
        uint64_t total = 0;
        for (int s = 0; s < kSymbols; ++s) total += counts[context][s];
        std::cout << "context " << context << ": " << total
                  << " symbols in the sample, deepest code " << Depth(trees[context], kNodes - 1)
                  << " bits\n";
    }
    return 0;
}
