// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "dialogs/DialogTemplate.h"

namespace {

std::vector<std::uint8_t> ReadRes(const std::string& name) {
    std::ifstream in(std::string(KORDANE_TEST_DATA "/dialogs/") + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool IsClass(const SResourceId& id, DialogControlClass c) {
    return id.kind == SResourceId::Kind::Ordinal && id.ordinal == static_cast<std::uint16_t>(c);
}

void Put16(std::vector<std::uint8_t>& b, std::size_t at, std::uint16_t v) {
    b.at(at) = static_cast<std::uint8_t>(v);
    b.at(at + 1) = static_cast<std::uint8_t>(v >> 8);
}

TEST(DialogTemplate, ReadsClassicDialogWithInitialStrings) {
    const std::vector<std::uint8_t> res = ReadRes("seek.res");
    ASSERT_FALSE(res.empty());
    CDialogTemplate t;
    ASSERT_EQ(CDialogTemplate::Parse(res, t), DialogTemplateError::None);
    EXPECT_FALSE(t.extended);
    EXPECT_EQ(t.style, 0x80C800C8u);
    EXPECT_EQ(t.x, 10);
    EXPECT_EQ(t.cy, 120);
    EXPECT_EQ(t.title, u"Seek a game");
    EXPECT_TRUE(t.hasFont);
    EXPECT_EQ(t.pointSize, 8);
    EXPECT_EQ(t.face, u"MS Sans Serif");

    struct Row {
        std::uint32_t id;
        DialogControlClass cls;
        std::int16_t x, y, cx, cy;
        std::u16string title;
    };
    const Row rows[] = {
        {1001, DialogControlClass::Button, 4, 4, 172, 40, u"Time"},
        {1002, DialogControlClass::Button, 8, 16, 60, 10, u"Rated"},
        {1003, DialogControlClass::Button, 8, 28, 40, 10, u"White"},
        {1004, DialogControlClass::Button, 52, 28, 40, 10, u"Black"},
        {1005, DialogControlClass::Edit, 100, 16, 30, 12, u""},
        {1006, DialogControlClass::ListBox, 4, 48, 80, 40, u""},
        {1007, DialogControlClass::ComboBox, 90, 48, 86, 60, u""},
        {1, DialogControlClass::Button, 40, 100, 50, 14, u"OK"},
        {2, DialogControlClass::Button, 96, 100, 50, 14, u"Cancel"},
    };
    ASSERT_EQ(t.items.size(), std::size(rows));
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const SDialogItem& item = t.items[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(item.id, rows[i].id);
        EXPECT_TRUE(IsClass(item.windowClass, rows[i].cls));
        EXPECT_EQ(item.x, rows[i].x);
        EXPECT_EQ(item.y, rows[i].y);
        EXPECT_EQ(item.cx, rows[i].cx);
        EXPECT_EQ(item.cy, rows[i].cy);
        EXPECT_EQ(item.title.text, rows[i].title);
        EXPECT_TRUE(item.creationData.empty());
    }
    EXPECT_EQ(t.items[6].style, 0x50210003u);  // child and visible added by the compiler

    ASSERT_EQ(t.initEntries.size(), 4u);
    EXPECT_EQ(t.initEntries[0].controlId, 1006);
    EXPECT_EQ(t.initEntries[0].message, CDialogTemplate::kListBoxAddString);
    EXPECT_EQ(t.initEntries[0].data, "Blitz");
    EXPECT_EQ(t.initEntries[1].data, "Standard");
    EXPECT_EQ(t.initEntries[2].controlId, 1007);
    EXPECT_EQ(t.initEntries[2].message, CDialogTemplate::kComboBoxAddString);
    // The older message number, and a Windows-1252 byte kept as it is.
    EXPECT_EQ(t.initEntries[3].message, CDialogTemplate::kComboBoxAddString);
    EXPECT_EQ(t.initEntries[3].data, "Caf\xe9");
}

TEST(DialogTemplate, ReadsExtendedDialogWithFontAndOwnClass) {
    CDialogTemplate t;
    ASSERT_EQ(CDialogTemplate::Parse(ReadRes("fontex.res"), t), DialogTemplateError::None);
    EXPECT_TRUE(t.extended);
    EXPECT_EQ(t.helpId, 77u);
    EXPECT_EQ(t.exStyle, 1u);
    EXPECT_EQ(t.cx, 160);
    EXPECT_EQ(t.title, u"Tourney");
    EXPECT_EQ(t.pointSize, 9);
    EXPECT_EQ(t.weight, 700);
    EXPECT_TRUE(t.italic);
    EXPECT_EQ(t.charset, 0xEE);
    EXPECT_EQ(t.face, u"Segoe UI");
    ASSERT_EQ(t.items.size(), 3u);
    EXPECT_EQ(t.items[0].windowClass.kind, SResourceId::Kind::Text);
    EXPECT_EQ(t.items[0].windowClass.text, u"KDROUNDVIEW");
    EXPECT_EQ(t.items[0].title.text, u"Round");
    EXPECT_EQ(t.items[0].exStyle, 0x200u);
    EXPECT_EQ(t.items[0].helpId, 55u);
    EXPECT_EQ(t.items[0].cy, 30);
    EXPECT_EQ(t.items[1].id, 2002u);
    EXPECT_TRUE(IsClass(t.items[1].windowClass, DialogControlClass::Static));
    EXPECT_EQ(t.items[1].title.text, u"Pairings");
    EXPECT_EQ(t.items[2].id, 1u);
    EXPECT_TRUE(t.initEntries.empty());
}

// Every cut of a real template is refused, except a cut between whole
// entries, which leaves a shorter but sound sequence.
TEST(DialogTemplate, EveryTruncationIsRefusedOrEndsOnAnEntry) {
    for (const char* name : {"seek.res", "fontex.res"}) {
        const std::vector<std::uint8_t> res = ReadRes(name);
        std::vector<SResourceEntry> entries;
        ASSERT_EQ(CDialogTemplate::ReadEntries(res, entries), DialogTemplateError::None);
        ASSERT_GE(entries.size(), 2u);
        for (std::size_t n = 0; n < res.size(); ++n) {
            // A copy of exactly n bytes, so that the sanitizers see any overrun.
            const std::vector<std::uint8_t> cut(res.begin(),
                                                res.begin() + static_cast<std::ptrdiff_t>(n));
            CDialogTemplate t;
            const DialogTemplateError e = CDialogTemplate::Parse(cut, t);
            bool onEntry = false;
            for (const SResourceEntry& entry : entries) onEntry = onEntry || entry.end == n;
            const bool dialogWhole = n >= entries[1].end;
            SCOPED_TRACE(std::string(name) + " cut at " + std::to_string(n));
            if (onEntry && dialogWhole)
                EXPECT_EQ(e, DialogTemplateError::None);
            else
                EXPECT_NE(e, DialogTemplateError::None);
        }
    }
}

TEST(DialogTemplate, RefusesMalformedSizes) {
    const std::vector<std::uint8_t> res = ReadRes("seek.res");
    // Offsets in seek.res: dialog entry at 0x20 (data at 0x40, control count
    // at 0x48), initialisation entry at 0x1B8 (data at 0x1D8).
    struct Row {
        std::size_t at;
        std::uint16_t value;
        DialogTemplateError expected;
    };
    const Row rows[] = {
        {0x48, 0xFFFF, DialogTemplateError::BadItemCount},
        {0x48, 10, DialogTemplateError::Truncated},         // one control more than sent
        {0x24, 0x22, DialogTemplateError::Misaligned},      // header size
        {0x24, 0x08, DialogTemplateError::BadEntryHeader},  // header size
        {0x22, 0x7FFF, DialogTemplateError::Truncated},     // data size
        {0x1DC, 0x7000, DialogTemplateError::BadInitData},  // first string's length
        {0x2A, 0x0006, DialogTemplateError::NoDialog},      // the dialog's type
    };
    for (const Row& row : rows) {
        std::vector<std::uint8_t> bad = res;
        Put16(bad, row.at, row.value);
        CDialogTemplate t;
        EXPECT_EQ(CDialogTemplate::Parse(bad, t), row.expected) << std::hex << row.at;
    }
}

}  // namespace
