// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/DialogAnswer.h"
#include "dialogs/DialogBytes.h"

namespace {

TEST(DialogBytes, DecodesPairsIntoTheAnnouncedBuffer) {
    struct Row {
        std::uint32_t announced;
        std::vector<std::string> chunks;
        std::vector<std::uint8_t> expected;  // the whole buffer
        bool lastOdd;
        std::size_t dropped;  // by the last chunk
    };
    const Row rows[] = {
        {2, {"AB", "PP"}, {0x01, 0xFF, 0, 0}, false, 0},
        // Codes are taken modulo 16: 'Q' is 'A' again, '1' is 0.
        {1, {"QA"}, {0x00, 0, 0, 0}, false, 0},
        // An odd string's last character pairs with a zero: (0 - 1) mod 16.
        {3, {"ABC"}, {0x01, 0x2F, 0, 0}, true, 0},
        // Beyond the rounded-up size nothing is written.
        {5, {"AAABACAD", "AEAFAGAHAIAJ"}, {0, 1, 2, 3, 4, 5, 6, 7}, false, 2},
        {0, {"AB"}, {}, false, 1},
    };
    for (const Row& row : rows) {
        CDialogBytes bytes(row.announced);
        CDialogBytes::AppendResult r;
        for (const std::string& chunk : row.chunks) r = bytes.Append(chunk);
        EXPECT_EQ(bytes.Buffer(), row.expected) << row.chunks.front();
        EXPECT_EQ(r.oddLength, row.lastOdd) << row.chunks.front();
        EXPECT_EQ(r.dropped, row.dropped) << row.chunks.front();
    }
    const CDialogBytes tooLarge(CDialogBytes::kMaxTemplateSize + 1);
    EXPECT_TRUE(tooLarge.TooLarge());
    EXPECT_TRUE(tooLarge.Buffer().empty());
}

TEST(DialogAnswer, FormatsEscapes) {
    SDialogValues v;
    v.texts = {"", "5", "", "", "two\r\nlines"};
    v.listSelections = {0, 0, 2, 0};
    v.checks = {0, 0, 0, 1};
    v.comboSelections = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7};
    SDialogValues none = v;
    none.listSelections[2] = 65535;
    struct Row {
        const char* tmpl;
        const SDialogValues* values;
        const char* expected;
        bool unknown;
    };
    const Row rows[] = {
        {"seek %1s %2l %3b", &v, "seek 5 2 1", false},
        {"seek %1s %2l %3b", &none, "seek 5 65535 1", false},
        {"100%% sure %", &v, "100%% sure %", false},
        {"%24c|%x|%1|%1234s", &v, "7|%x|%1|%1234s", false},
        {"tell %4s", &v, "tell two  lines", false},
        {"a%2zb", &v, "ab", true},
        // Controls with no collected value.
        {"%99s.%99b.%99l", &v, ".0.0", false},
        {"%3b%1s", &v, "15", false},
    };
    for (const Row& row : rows) {
        const SDialogAnswer a = FormatDialogAnswer(row.tmpl, *row.values);
        EXPECT_EQ(a.text, row.expected) << row.tmpl;
        EXPECT_EQ(a.unknownType, row.unknown) << row.tmpl;
    }
}

}  // namespace
