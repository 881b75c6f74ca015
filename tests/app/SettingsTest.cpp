// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// The settings facade against a real settings file: everything it keeps
// survives a save and a fresh load, and damaged values fall back.
#include <gtest/gtest.h>

#include "app/ScratchFolder.h"
#include "app/Settings.h"
#include "net/Profile.h"

namespace {

using Option = CSettings::Option;

// A valid value other than the default for every option.
int Other(const CSettings::OptionRow& row) {
    if (row.flag) return row.setting.fallback ? 0 : 1;
    return row.setting.fallback + 1 <= row.high ? row.setting.fallback + 1 : row.low;
}

TEST(SettingsTest, EveryValueSurvivesSaveAndLoad) {
    ScratchFolder scratch("settings-round-trip");
    CProfile profile(scratch.File("settings.ini"));
    CSettings settings;
    for (const CSettings::OptionRow& row : CSettings::Options()) {
        ASSERT_TRUE(settings.Set(row.option, Other(row))) << row.setting.key;
    }
    uint32_t colour = 0x010203;
    for (const CSettings::ColourRow& row : CSettings::BoardColours()) {
        settings.SetColour(row.colour, colour += 0x0a0b0c);
    }
    for (int i = 0; i < CSettings::kUserButtons; ++i) {
        settings.SetUserButton(i, "tell %teller hi " + std::to_string(i));
    }
    int count = 2;
    for (const CSettings::StartRow& row : CSettings::StartWindows()) {
        settings.SetStartCount(row.kind, count++);
    }
    settings.SetColumnWidths(CSettings::ListColumns::History, "40,50,60");
    settings.SetColumnWidths(CSettings::ListColumns::PgnList, "1,2");
    ASSERT_TRUE(settings.Save(profile));
    ASSERT_TRUE(settings.SaveStartWindows(profile));

    CSettings loaded;
    loaded.Load(profile);
    for (const CSettings::OptionRow& row : CSettings::Options()) {
        // Qsuggest belongs to the server's suggestions and is never written.
        const int expected = row.written ? Other(row) : row.setting.fallback;
        EXPECT_EQ(loaded.Value(row.option), expected) << row.setting.key;
    }
    for (const CSettings::ColourRow& row : CSettings::BoardColours()) {
        EXPECT_EQ(loaded.Colour(row.colour), settings.Colour(row.colour)) << row.key;
    }
    for (int i = 0; i < CSettings::kUserButtons; ++i) {
        EXPECT_EQ(loaded.UserButton(i), settings.UserButton(i)) << i;
    }
    for (const CSettings::StartRow& row : CSettings::StartWindows()) {
        EXPECT_EQ(loaded.StartCount(row.kind), settings.StartCount(row.kind)) << row.key;
    }
    EXPECT_EQ(loaded.ColumnWidths(CSettings::ListColumns::History), "40,50,60");
    EXPECT_EQ(loaded.ColumnWidths(CSettings::ListColumns::GameList), "");
    EXPECT_EQ(loaded.ColumnWidths(CSettings::ListColumns::PgnList), "1,2");
    EXPECT_EQ(profile.GetString("Play Options", "ShowTenthsWhenLow"), "0") << "flags as 0 or 1";
    EXPECT_EQ(profile.GetString("Newbie Mode", "Qsuggest"), "");
}

TEST(SettingsTest, DamagedValuesFallBackToTheDefaults) {
    ScratchFolder scratch("settings-damaged");
    CProfile profile(scratch.File("settings.ini"));
    struct Row {
        const char* section;
        const char* key;
        const char* value;
    } rows[] = {
        {"Play Options", "AnimateTime", "0"},     {"Play Options", "PieceSet", "9"},
        {"Play Options", "BoardStyle", "-1"},     {"Play Options", "DragMove", "0"},
        {"Play Options", "ConfirmResign", "7"},   {"Board Colors", "Highlight", "zz"},
        {"Start Windows", "GameViews", "100000"}, {"Start Windows", "SeekViews", "-3"},
    };
    for (const Row& row : rows) ASSERT_TRUE(profile.WriteString(row.section, row.key, row.value));
    ASSERT_TRUE(profile.WriteString("User Buttons", "Button_C", std::string(498, 'x')));
    ASSERT_TRUE(profile.WriteString("User Buttons", "Button_D", std::string(497, 'y')));

    CSettings settings;
    settings.Load(profile);
    EXPECT_EQ(settings.Value(Option::AnimateTime), 400);
    EXPECT_EQ(settings.Value(Option::PieceSet), 2);
    EXPECT_EQ(settings.Value(Option::BoardStyle), 0);
    EXPECT_EQ(settings.Value(Option::DragType), 1) << "no DragType: 1 when DragMove is 0";
    EXPECT_EQ(settings.Value(Option::ConfirmResign), 1) << "any non-zero flag is on";
    EXPECT_EQ(settings.Colour(CSettings::BoardColour::Highlight), 0xffu);
    EXPECT_EQ(settings.StartCount(CSettings::StartWindow::GameViews), 1);
    EXPECT_EQ(settings.StartCount(CSettings::StartWindow::SeekViews), 1);
    EXPECT_EQ(settings.UserButton(2), "") << "498 characters read as missing";
    EXPECT_EQ(settings.UserButton(3), std::string(497, 'y'));
    EXPECT_FALSE(settings.Set(Option::AnimateTime, -5));
    EXPECT_EQ(settings.Value(Option::AnimateTime), 400);
}

}  // namespace
