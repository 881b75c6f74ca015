// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "lists/SeekFilter.h"

#include <algorithm>
#include <cstdlib>

#include "lists/SeekRecord.h"

namespace {

constexpr int kNearRange = 200;
constexpr int kMaxRating = 9999;

}  // namespace

std::string CSeekFilter::TextFor(bool useSfilter, bool guest, std::string_view sfilter) {
    if (useSfilter) return std::string(sfilter);
    return guest ? "-rm" : "m";
}

CSeekFilter::CSeekFilter(std::string_view text) {
    m_required.fill(-1);
    bool negate = false;
    for (char c : text) {
        int letter = -1;
        switch (c) {
            case '-':
                negate = !negate;
                continue;
            case 'r':
                letter = kRated;
                break;
            case 'c':
                letter = kComputer;
                break;
            case 'b':
                letter = kBlitz;
                break;
            case 's':
                letter = kStandard;
                break;
            case 'B':
                letter = kBullet;
                break;
            case 'w':
                letter = kWild;
                break;
            case 'm':
                letter = kMine;
                break;
            case 'n':
                letter = kNear;
                break;
            default:
                continue;
        }
        m_required[static_cast<size_t>(letter)] = negate ? 0 : 1;
        negate = false;
    }
}

bool CSeekFilter::Eligible(const SeekRecord& r, const std::vector<int>& ratings) const {
    const auto index = static_cast<size_t>(r.categoryIndex - 1);
    const int own = r.categoryIndex >= 1 && index < ratings.size() ? ratings[index] : 0;
    std::array<int, kLetters> actual{};
    actual[kRated] = r.rated;
    actual[kComputer] = r.computer;
    actual[kBlitz] = r.categoryIndex == SeekRecord::kBlitzIndex;
    actual[kStandard] = r.categoryIndex == SeekRecord::kStandardIndex;
    actual[kBullet] = r.categoryIndex == SeekRecord::kBulletIndex;
    actual[kWild] = r.wild != 0;
    const int clamped = std::clamp(own, 0, kMaxRating);
    actual[kMine] = clamped >= r.minRating && clamped <= r.maxRating;
    actual[kNear] = std::abs(static_cast<long>(r.rating) - own) <= kNearRange;
    for (size_t i = 0; i < kLetters; ++i) {
        // Without a rating of one's own there is nothing to be near to.
        if (i == kNear && own < 1) continue;
        if (m_required[i] >= 0 && m_required[i] != actual[i]) return false;
    }
    return true;
}
