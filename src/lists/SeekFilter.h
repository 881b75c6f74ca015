// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

struct SeekRecord;

// Which seeks the user may take, from a filter text of letters ("m",
// "-rm", or the user's own server-side seek filter): each letter names a
// condition, '-' asks for it to be false. CSeekGrid asks it for every seek;
// challenges are never filtered.
class CSeekFilter {
  public:
    // The filter the graph uses: the user's own when `useSfilter` is on,
    // else "-rm" for a guest and "m" for everyone else.
    static std::string TextFor(bool useSfilter, bool guest, std::string_view sfilter);

    explicit CSeekFilter(std::string_view text = "m");

    // `ratings` are the user's, by category number - 1.
    bool Eligible(const SeekRecord& record, const std::vector<int>& ratings) const;

  private:
    enum Letter { kRated, kComputer, kBlitz, kStandard, kBullet, kWild, kMine, kNear, kLetters };
    // -1: the letter was not given; else the truth value it asks for.
    std::array<int, kLetters> m_required{};
};
