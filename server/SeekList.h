// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The open game offers ("seek") of the test server, each with the index that
// datagrams 50 and 51 and "play" name it by. SeekCommands makes and takes
// them; a person's seeks go when the person leaves or starts a game.
class SeekList {
  public:
    struct Seek {
        int index = 0;
        std::string handle;
        int minutes = 0;
        int increment = 0;
        bool rated = false;
        int wild = 0;
        int colour = -1;  // the seeker's: -1 either, 0 Black, 1 White
        int category = 2;
        // Only players rated minRating to maxRating in the category may
        // take it.
        int minRating = 0;
        int maxRating = 9999;
        bool manual = false;   // the seeker accepts by hand ("m")
        bool formula = false;  // the seeker's formula applies ("f")
    };
    static constexpr size_t kMaxPerPerson = 3;

    // Adds the seek with a new index and returns it.
    const Seek& Add(Seek seek);
    const Seek* Find(int index) const;
    const std::vector<Seek>& All() const { return m_seeks; }
    // Seeks taken out: one by index, or all of a person (index -1).
    std::vector<Seek> Take(std::string_view handle, int index);
    size_t CountOf(std::string_view handle) const;

  private:
    std::vector<Seek> m_seeks;
    int m_nextIndex = 1;
};
