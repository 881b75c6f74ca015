// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Cuts one client's incoming byte stream into lines at "\n" for the session
// logic. A line may arrive over any number of reads. Memory per client is
// bounded: a line longer than the cap is cut there, the rest of it up to the
// next "\n" is discarded, and the line is flagged so the session can refuse it.
class LineSplitter {
  public:
    static constexpr size_t kMaxLine = 4096;

    struct Line {
        std::string text;  // without the "\n"; a "\r" before it is kept
        bool tooLong = false;
    };

    explicit LineSplitter(size_t maxLine = kMaxLine);

    // Appends every line completed by these bytes to `out`.
    void Feed(std::string_view bytes, std::vector<Line>& out);
    // Bytes of an unfinished line held back.
    size_t Pending() const { return m_current.size(); }

  private:
    size_t m_maxLine;
    std::string m_current;
    bool m_overflow = false;
};
