// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// The settings profile against real files in a scratch folder: what the
// classic private-profile functions read, and what survives our writes.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "net/Profile.h"

namespace fs = std::filesystem;

namespace {

class ProfileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("kordane-profile-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        m_path = (m_dir / "settings.ini").string();
    }
    void TearDown() override {
        fs::permissions(m_dir, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(m_dir);
    }

    void Put(const std::string& text) {
        std::ofstream out(m_path, std::ios::binary | std::ios::trunc);
        out << text;
    }
    std::string Contents() const {
        std::ifstream in(m_path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    ino_t Inode() const {
        struct stat st {};
        return ::stat(m_path.c_str(), &st) == 0 ? st.st_ino : 0;
    }

    fs::path m_dir;
    std::string m_path;
};

TEST_F(ProfileTest, MissingFileReadsAsEmpty) {
    CProfile profile(m_path);
    EXPECT_EQ(profile.GetString("Play Options", "PieceSet", "fallback"), "fallback");
    EXPECT_EQ(profile.GetString("Play Options", "PieceSet"), "");
    EXPECT_EQ(profile.GetInt("Play Options", "PieceSet", 2), 2);
    EXPECT_TRUE(profile.DeleteKey("Play Options", "PieceSet"));
    EXPECT_FALSE(fs::exists(m_path));
}

TEST_F(ProfileTest, ReadsNamesWithoutCaseAndValuesRaw) {
    Put("; written by hand\n"
        "[Layout]\n"
        "  Conn_1 =  0,1,-1,-1,-1,-1,-2,0,703,436  \n"
        "Quoted=\"a b\" , 'c'\n"
        "Empty=\n"
        "Equals=a=b=c\n"
        "\t[ DNS Cache ]\t\n"
        "chess.example.net=10.0.0.7\n");
    CProfile profile(m_path);
    struct Row {
        const char* section;
        const char* key;
        const char* expected;
    } rows[] = {
        {"Layout", "Conn_1", "0,1,-1,-1,-1,-1,-2,0,703,436"},
        {" layout ", " CONN_1 ", "0,1,-1,-1,-1,-1,-2,0,703,436"},
        {"Layout", "Quoted", "\"a b\" , 'c'"},
        {"Layout", "Empty", ""},
        {"Layout", "Equals", "a=b=c"},
        {"dns cache", "CHESS.example.NET", "10.0.0.7"},
        {"Layout", "chess.example.net", "<missing>"},
        {"DNS Cache", "Conn_1", "<missing>"},
        {"; written by hand", "x", "<missing>"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(profile.GetString(row.section, row.key, "<missing>"), row.expected)
            << row.section << "/" << row.key;
    }
}

TEST_F(ProfileTest, CrlfAndLfFilesReadAlike) {
    for (const char* eol : {"\n", "\r\n"}) {
        Put(std::string("[A]") + eol + "k=v" + eol + "n = 12 " + eol + "[B]" + eol + "k=w");
        CProfile profile(m_path);
        EXPECT_EQ(profile.GetString("A", "k"), "v");
        EXPECT_EQ(profile.GetInt("A", "n", 0), 12);
        EXPECT_EQ(profile.GetString("B", "k"), "w") << "last line without a line break";
    }
}

TEST_F(ProfileTest, FirstSectionAndFirstKeyWin) {
    Put("[A]\nk=first\nk=second\n[a]\nk=third\nonly=in-second\n");
    CProfile profile(m_path);
    EXPECT_EQ(profile.GetString("A", "K"), "first");
    // Like the classic functions, a repeated section is not merged into the first.
    EXPECT_EQ(profile.GetString("A", "only", "<missing>"), "<missing>");
    ASSERT_TRUE(profile.WriteString("a", "k", "new"));
    EXPECT_EQ(Contents(), "[A]\nk=new\nk=second\n[a]\nk=third\nonly=in-second\n");
}

TEST_F(ProfileTest, GetIntReadsTheLeadingDecimalNumber) {
    struct Row {
        const char* value;
        int expected;
    } rows[] = {
        {"42", 42},
        {"-7", -7},
        {"12abc", 12},
        {"abc", 0},
        {"0x10", 0},
        {"", 99},  // an empty value counts as missing
        {"2147483648", INT_MAX},
        {"99999999999999999999999", INT_MAX},
        {"-99999999999999999999999", INT_MIN},
    };
    for (const Row& row : rows) {
        Put(std::string("[S]\nk=") + row.value + "\n");
        EXPECT_EQ(CProfile(m_path).GetInt("S", "k", 99), row.expected) << row.value;
    }
}

TEST_F(ProfileTest, WritesKeepCommentsOrderAndUnknownLines) {
    Put("; Kordane settings\n"
        "stray line before any section\n"
        "[Play Options]\n"
        "PieceSet=2\n"
        "# not a comment here, just an unknown line\n"
        "\n"
        "[Board Colors]\n"
        "LightSquare=c0c0c0\n");
    CProfile profile(m_path);
    ASSERT_TRUE(profile.WriteString("PLAY OPTIONS", "pieceset", "3"));
    ASSERT_TRUE(profile.WriteInt("Play Options", "AnimateTime", 400));
    ASSERT_TRUE(profile.WriteString("Start Windows", "GameViews", "1"));
    ASSERT_TRUE(profile.WriteString("Board Colors", "DarkSquare", "808080"));
    EXPECT_EQ(Contents(),
              "; Kordane settings\n"
              "stray line before any section\n"
              "[Play Options]\n"
              "PieceSet=3\n"
              "# not a comment here, just an unknown line\n"
              "AnimateTime=400\n"
              "\n"
              "[Board Colors]\n"
              "LightSquare=c0c0c0\n"
              "DarkSquare=808080\n"
              "\n"
              "[Start Windows]\n"
              "GameViews=1\n");
}

TEST_F(ProfileTest, CreatesTheFileAndKeepsCrlfStyle) {
    CProfile profile(m_path);
    ASSERT_TRUE(profile.WriteString("Layout", "Kordane", "0,1,-1,-1,-1,-1,0,0,800,600"));
    EXPECT_EQ(Contents(), "[Layout]\nKordane=0,1,-1,-1,-1,-1,0,0,800,600\n");

    Put("[A]\r\nk=v\r\n");
    ASSERT_TRUE(profile.WriteString("A", "k2", "w"));
    EXPECT_EQ(Contents(), "[A]\r\nk=v\r\nk2=w\r\n");
}

TEST_F(ProfileTest, WrittenValueIsTrimmedAndReadBackExactly) {
    CProfile profile(m_path);
    const std::string channels = "272:f9b499 1:8587e4 2:8abc14 ";
    ASSERT_TRUE(profile.WriteString("Text Colors", "Channels", channels));
    EXPECT_EQ(profile.GetString("Text Colors", "Channels"), "272:f9b499 1:8587e4 2:8abc14");
}

TEST_F(ProfileTest, UnchangedValueDoesNotRewriteTheFile) {
    Put("[DNS Cache]\nhost=1.2.3.4\n");
    const ino_t before = Inode();
    CProfile profile(m_path);
    ASSERT_TRUE(profile.WriteString("dns cache", "HOST", "1.2.3.4"));
    EXPECT_EQ(Inode(), before);
    ASSERT_TRUE(profile.WriteString("dns cache", "HOST", "1.2.3.5"));
    EXPECT_NE(Inode(), before) << "a change replaces the file in one rename";
    EXPECT_EQ(Contents(), "[DNS Cache]\nhost=1.2.3.5\n");
}

TEST_F(ProfileTest, RefusesNamesAndValuesThatWouldForgeLines) {
    Put("[A]\nk=v\n");
    CProfile profile(m_path);
    struct Row {
        const char* section;
        const char* key;
        const char* value;
    } rows[] = {
        {"A", "k", "v\n[Layout]\nKordane=1"},
        {"A", "k", "v\rx"},
        {"A", "k=x", "v"},
        {"A", "", "v"},
        {"A", "   ", "v"},
        {"A", "[B]", "v"},
        {"A", ";k", "v"},
        {"A]", "k", "v"},
        {"", "k", "v"},
        {"A\nB", "k", "v"},
    };
    for (const Row& row : rows) {
        EXPECT_FALSE(profile.WriteString(row.section, row.key, row.value))
            << row.section << "/" << row.key << "/" << row.value;
    }
    EXPECT_EQ(Contents(), "[A]\nk=v\n");
}

TEST_F(ProfileTest, DeleteKeyRemovesOnlyThatLine) {
    Put("[A]\nkeep=1\nGone=2\nkeep2=3\n[B]\ngone=4\n");
    CProfile profile(m_path);
    ASSERT_TRUE(profile.DeleteKey("a", "gone"));
    EXPECT_EQ(Contents(), "[A]\nkeep=1\nkeep2=3\n[B]\ngone=4\n");
    const ino_t before = Inode();
    ASSERT_TRUE(profile.DeleteKey("A", "never-there"));
    EXPECT_EQ(Inode(), before);
}

TEST_F(ProfileTest, FailedWriteLeavesNothingBehind) {
    CProfile inMissingFolder((m_dir / "no-such-folder" / "settings.ini").string());
    EXPECT_FALSE(inMissingFolder.WriteString("A", "k", "v"));
    EXPECT_FALSE(fs::exists(m_dir / "no-such-folder"));

    fs::create_directory(m_path);  // a folder where the file should be
    CProfile onFolder(m_path);
    EXPECT_FALSE(onFolder.WriteString("A", "k", "v"));
    EXPECT_EQ(onFolder.GetString("A", "k", "<missing>"), "<missing>");
}

TEST_F(ProfileTest, RewriteKeepsPermissionsAndSymlinks) {
    const fs::path real = m_dir / "real.ini";
    {
        std::ofstream out(real);
        out << "[A]\nk=v\n";
    }
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("real.ini", m_path);
    CProfile profile(m_path);
    ASSERT_TRUE(profile.WriteString("A", "k", "w"));
    EXPECT_TRUE(fs::is_symlink(m_path));
    EXPECT_EQ(CProfile(real.string()).GetString("A", "k"), "w");
    EXPECT_EQ(fs::status(real).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    // No temporary file is left next to it.
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 2);
}

TEST_F(ProfileTest, OddBytesAreKeptAsTheyAre) {
    const std::string odd("[A]\nbin=a\0b\xff\nnoeq\n=novalue\n[unterminated\n", 41);
    Put(odd);
    CProfile profile(m_path);
    EXPECT_EQ(profile.GetString("A", "bin"), std::string("a\0b\xff", 4));
    EXPECT_EQ(profile.GetString("A", "noeq", "<missing>"), "<missing>");
    ASSERT_TRUE(profile.WriteString("A", "new", "1"));
    // "[unterminated" is no header, so the new key still belongs to [A].
    EXPECT_EQ(Contents(), odd + "new=1\n");
}

}  // namespace
