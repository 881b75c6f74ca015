// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Reading PGN files from disk: the size limit, files that are not there or
// not files, and contents that hold no games.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "chess/PgnFile.h"

namespace {

namespace fs = std::filesystem;

// A scratch folder of its own per test, removed afterwards.
class PgnFileRead : public testing::Test {
  protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("kordane-pgnfile-" + std::to_string(::getpid()) + "-" +
                 testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string Write(const std::string& name, const std::string& content) {
        const fs::path path = m_dir / name;
        std::ofstream(path, std::ios::binary) << content;
        return path.string();
    }

    fs::path m_dir;
};

// A file of exactly `size` bytes: one game, then blanks.
std::string GameOfSize(size_t size) {
    std::string text = "[Event \"big\"]\n1. e4 e5 *\n";
    text.resize(size, ' ');
    return text;
}

TEST_F(PgnFileRead, EightMegabytesIsTheLimit) {
    const PgnFile atLimit = PgnFile::ReadPgnFile(Write("at.pgn", GameOfSize(PgnFile::kMaxSize)));
    EXPECT_EQ(atLimit.GetError(), PgnFile::Error::kNone);
    EXPECT_EQ(atLimit.Games().size(), 1u);
    EXPECT_EQ(atLimit.TextSize(), PgnFile::kMaxSize);

    const PgnFile over = PgnFile::ReadPgnFile(Write("over.pgn", GameOfSize(PgnFile::kMaxSize + 1)));
    EXPECT_EQ(over.GetError(), PgnFile::Error::kTooLarge);
    EXPECT_TRUE(over.Games().empty());

    // A caller may allow more (or less) than the client's limit.
    const std::string overPath = (m_dir / "over.pgn").string();
    EXPECT_EQ(PgnFile::ReadPgnFile(overPath, PgnFile::kMaxSize + 1).Games().size(), 1u);
    EXPECT_EQ(PgnFile::ReadPgnFile(overPath, 100).GetError(), PgnFile::Error::kTooLarge);
}

TEST_F(PgnFileRead, WhatIsNotAReadableFileGivesNoGames) {
    const std::string missing = (m_dir / "missing.pgn").string();
    EXPECT_EQ(PgnFile::ReadPgnFile(missing).GetError(), PgnFile::Error::kCannotOpen);
    EXPECT_EQ(PgnFile::ReadPgnFile(m_dir.string()).GetError(), PgnFile::Error::kCannotOpen);
    EXPECT_EQ(PgnFile::ReadPgnFile("").GetError(), PgnFile::Error::kCannotOpen);
    EXPECT_EQ(PgnFile::ReadPgnFile("/dev/null").GetError(), PgnFile::Error::kCannotOpen);
    // A link to a game file is read like the file.
    const std::string target = Write("target.pgn", "[a \"b\"] *");
    fs::create_symlink(target, m_dir / "link.pgn");
    EXPECT_EQ(PgnFile::ReadPgnFile((m_dir / "link.pgn").string()).Games().size(), 1u);
}

TEST_F(PgnFileRead, ContentsWithoutGames) {
    EXPECT_EQ(PgnFile::ReadPgnFile(Write("empty.pgn", "")).GetError(), PgnFile::Error::kNoGames);
    EXPECT_EQ(PgnFile::ReadPgnFile(Write("nobracket.pgn", "1. e4 e5 2. Nf3 Nc6 1-0\n")).GetError(),
              PgnFile::Error::kNoGames);
    // Brackets inside commentary start no game.
    EXPECT_EQ(PgnFile::ReadPgnFile(Write("commented.pgn", "{[a \"b\"]} ; [c \"d\"]\n")).GetError(),
              PgnFile::Error::kNoGames);
    // A NUL byte ends the text: a "[" after it is never seen.
    EXPECT_EQ(PgnFile::ReadPgnFile(Write("nul.pgn", std::string("e4\0[a \"b\"] *", 13))).GetError(),
              PgnFile::Error::kNoGames);
}

}  // namespace
