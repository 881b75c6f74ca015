// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// "Text Colors" as hand-edited or damaged settings files hold it, and what
// the styles write back.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "net/Profile.h"
#include "net/TextStyles.h"

namespace fs = std::filesystem;

namespace {

struct Loaded {
    CTextStyles styles;
    std::string path;
};

Loaded Load(const std::string& name, const std::string& section) {
    const fs::path dir =
        fs::temp_directory_path() / ("kordane-styles-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    Loaded out;
    out.path = (dir / (name + ".ini")).string();
    std::ofstream(out.path) << "[Text Colors]\n" << section;
    out.styles.Load(CProfile(out.path));
    return out;
}

TEST(TextStyles, ReadsWhatTheSettingsFileHolds) {
    {
        const CTextStyles styles = Load("absent", "").styles;
        EXPECT_EQ(styles.Channels().size(), 18u);
        EXPECT_EQ(styles.ChannelColour(166), 0xbb0acu);
        EXPECT_EQ(styles.ChannelColour(3), 0x80bedfu) << "no colour of its own";
        EXPECT_FALSE(styles.Font()) << "no Logfont: the platform's font";
    }
    {
        const CTextStyles styles = Load("edited",
                                        "Channels=7:ff stray 9:zz 7:1000080 -3:0X10 8:\n"
                                        "Shout=zz\nSShout= 0xFF00\nWarning=fffffffff\n"
                                        "Logfont=-13 0 0 0 700 0 1 0 0 0 0 0 305\nLogfontName=\n")
                                       .styles;
        EXPECT_EQ(styles.Channels(), (std::map<int, uint32_t>{{-3, 0x10}, {7, 0x1000080}}));
        EXPECT_EQ(styles.Colour(TextClass::Shout), 0xffff00u) << "unreadable keeps the default";
        EXPECT_EQ(styles.Colour(TextClass::SShout), 0xff00u);
        EXPECT_EQ(styles.Colour(TextClass::Warning), 0x3ffffffu) << "only style bits are kept";
        ASSERT_TRUE(styles.Font());
        EXPECT_EQ(styles.Font()->height, -13);
        EXPECT_EQ(styles.Font()->weight, 700);
        EXPECT_EQ(styles.Font()->underline, 1);
        EXPECT_EQ(styles.Font()->pitchAndFamily, 305 & 0xff);
        EXPECT_EQ(styles.Font()->faceName, "Fixedsys");
    }
    {
        const CTextStyles styles =
            Load("emptied", "Channels=\nLogfont=1 2 3 4 5 6 7 8 9 10 11 12\n").styles;
        EXPECT_TRUE(styles.Channels().empty()) << "present but empty: no channel colours";
        EXPECT_FALSE(styles.Font()) << "twelve numbers are not a font";
    }
}

TEST(TextStyles, WrittenValuesReadBackTheSame) {
    Loaded loaded = Load("written", "");
    CTextStyles& styles = loaded.styles;
    styles.SetColour(TextClass::Kibitz, 0x2123456);
    styles.SetChannels({{5, 0x80bedf}, {24, 0x10000ff}, {300, 0xabcdef}});
    EXPECT_EQ(styles.Channels().size(), 2u) << "a channel in the default style drops out";
    CTextStyles::LogFont font;
    font.height = -16;
    font.faceName = std::string(40, 'F');
    styles.SetFont(font);
    CProfile profile(loaded.path);
    ASSERT_TRUE(styles.SaveColoursAndFont(profile));
    ASSERT_TRUE(styles.SaveChannels(profile));
    EXPECT_EQ(profile.GetString("Text Colors", "Kibitz"), "2123456");
    EXPECT_EQ(profile.GetString("Text Colors", "Channels").rfind("24:10000ff 300:abcdef", 0), 0u);

    CTextStyles again;
    again.Load(profile);
    EXPECT_EQ(again.Colour(TextClass::Kibitz), 0x2123456u);
    EXPECT_EQ(again.Channels(), styles.Channels());
    ASSERT_TRUE(again.Font());
    EXPECT_EQ(again.Font()->height, -16);
    EXPECT_EQ(again.Font()->faceName, std::string(31, 'F'));
}

}  // namespace
