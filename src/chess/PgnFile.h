// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "chess/PgnGame.h"

// A PGN file read whole into memory together with its games. The games point
// into the file's text, so both live and die together: dropping the PgnFile
// frees everything (there is no separate "free" step). The PGN list window
// owns one while it is open; the converter tool and the tests use it too.
//
// Reading never throws and never crashes on bad input: a missing file, a
// directory, a file over the size limit or a file without games gives a
// PgnFile with no games and an error the caller can report.
class PgnFile {
  public:
    enum class Error {
        kNone,
        kCannotOpen,  // missing, unreadable, or not a regular file
        kTooLarge,    // more than kMaxSize bytes
        kNoMemory,    // no room to hold the text
        kNoGames,     // read, but no "[" starts a game
    };

    // The largest file accepted, in bytes (8 MB).
    static constexpr size_t kMaxSize = 8388608;
    // What the PGN list shows when a file gives no games.
    static constexpr std::string_view kOpenErrorText =
        "Error opening PGN file!\n(Bad format, Insufficient memory, or size > 8MB)";

    // maxSize is the client's limit unless a caller (the converter tool)
    // means to read larger files.
    static PgnFile ReadPgnFile(const std::string& path, size_t maxSize = kMaxSize);
    // The same parse on text already in memory (it is copied). No size limit.
    static PgnFile FromText(std::string_view text);

    PgnFile() = default;
    PgnFile(PgnFile&&) noexcept = default;
    PgnFile& operator=(PgnFile&&) noexcept = default;
    PgnFile(const PgnFile&) = delete;
    PgnFile& operator=(const PgnFile&) = delete;

    Error GetError() const { return m_error; }
    const std::vector<PgnGame>& Games() const { return m_games; }
    size_t TextSize() const { return m_size; }
    // The file's text as the reader left it (texts cut off with NULs). Its
    // offsets are those of the file, which lets a caller find where a move
    // or tag stood.
    const char* Text() const { return m_text.get(); }

  private:
    void Parse();

    std::unique_ptr<char[]> m_text;
    size_t m_size = 0;
    std::vector<PgnGame> m_games;
    Error m_error = Error::kNone;
};
