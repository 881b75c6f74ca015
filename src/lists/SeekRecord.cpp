// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "lists/SeekRecord.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "net/ServerMessage.h"

namespace {

std::string Bracketed(const std::string& titles) {
    return titles.empty() ? std::string() : "(" + titles + ")";
}

int CategoryIndex(const std::string& name, const std::vector<std::string>& categories) {
    for (size_t i = 0; i < categories.size(); ++i) {
        if (!categories[i].empty() && categories[i] == name) return static_cast<int>(i);
    }
    return 0;
}

std::string Format(const char* format, auto... values) {
    const int length = std::snprintf(nullptr, 0, format, values...);
    if (length <= 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, values...);
    text.resize(static_cast<size_t>(length));
    return text;
}

std::string RatingText(const SeekRecord& r) {
    if (r.unregistered) return {};
    return r.ratingKnown != 0 ? Format(" %d", r.rating) : std::string(" ----");
}

std::string CategoryText(const SeekRecord& r) {
    return r.wild != 0 ? Format("wild(%d)", r.wild) : r.category;
}

std::string ColourText(const SeekRecord& r) {
    if (r.colour == 1) return " white";
    if (r.colour == 0) return " black";
    return {};
}

}  // namespace

SeekRecord SeekRecord::FromSeek(const CServerMessage& m,
                                const std::vector<std::string>& categories) {
    SeekRecord r;
    r.formula = m.FieldInt(15) != 0;
    r.kind = Kind::Seek;
    r.id = m.FieldInt(1);
    r.name = m.Field(2);
    const std::string& titles = m.Field(3);
    r.titles = Bracketed(titles);
    r.computer = titles.starts_with('C') || titles.find(" C") != std::string::npos;
    r.unregistered = titles.starts_with('U');
    r.rating = m.FieldInt(4);
    r.ratingKnown = m.FieldInt(5);
    r.wild = m.FieldInt(6);
    r.colour = m.FieldInt(11);
    r.time1 = r.time2 = m.FieldInt(8);
    r.inc1 = r.inc2 = m.FieldInt(9);
    r.rated = m.FieldInt(10) != 0;
    r.minRating = m.FieldInt(12);
    r.maxRating = m.FieldInt(13);
    r.automatic = m.FieldInt(14) != 0;
    r.category = m.Field(7);
    r.categoryIndex = CategoryIndex(r.category, categories);
    return r;
}

SeekRecord SeekRecord::FromChallenge(const CServerMessage& m, int id,
                                     const std::vector<std::string>& categories) {
    SeekRecord r;
    r.kind = Kind::Challenge;
    r.id = id;
    r.name = m.Field(1);
    const std::string& titles = m.Field(4);
    r.titles = Bracketed(titles);
    r.computer = titles.starts_with('C');
    r.unregistered = titles.starts_with('U');
    r.rating = m.FieldInt(2);
    r.ratingKnown = m.FieldInt(3);
    r.wild = m.FieldInt(9);
    r.colour = m.FieldInt(17);
    r.time1 = m.FieldInt(15);
    r.inc1 = m.FieldInt(16);
    r.time2 = m.FieldInt(13);
    r.inc2 = m.FieldInt(14);
    r.rated = m.FieldInt(11) != 0;
    r.minRating = 0;
    r.maxRating = kNoRange;
    r.automatic = true;
    r.category = m.Field(10);
    r.categoryIndex = CategoryIndex(r.category, categories);
    r.adjourned = m.FieldInt(12) != 0;
    return r;
}

int SeekRecord::TimeKey() const {
    const long long key = 3LL * time1 + 2LL * inc1;
    return static_cast<int>(std::clamp<long long>(key, INT_MIN, INT_MAX));
}

std::string SeekRecord::Description() const {
    const std::string ratingText = RatingText(*this);
    const std::string categoryText = CategoryText(*this);
    const char* ratedText = rated ? "rated" : "unrated";
    if (kind == Kind::Challenge) {
        const std::string timeText = time1 == time2 && inc1 == inc2
                                         ? Format("%d %d", time1, inc1)
                                         : Format("%d %d vs %d %d", time1, inc1, time2, inc2);
        const std::string tail = adjourned ? std::string(" (adjourned)") : ColourText(*this);
        return Format("%s%s%s challenges you to %s %s %s%s", name.c_str(), titles.c_str(),
                      ratingText.c_str(), categoryText.c_str(), timeText.c_str(), ratedText,
                      tail.c_str());
    }
    const std::string rangeText = minRating > 0 || maxRating < kNoRange
                                      ? Format(" %4d-%4d", minRating, maxRating)
                                      : std::string();
    return Format("%d: %s%s%s seeks %s %d %d %s%s%s%s%s", id, name.c_str(), titles.c_str(),
                  ratingText.c_str(), categoryText.c_str(), time1, inc1, ratedText,
                  ColourText(*this).c_str(), rangeText.c_str(), automatic ? "" : " m",
                  formula ? " f" : "");
}
