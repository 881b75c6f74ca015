// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <string>
#include <vector>

class CServerMessage;

// One open offer on the seek graph: a seek that anyone may take (datagram
// 50) or a challenge addressed to the user (datagram 29). Built from the
// datagram's fields; CSeekGrid places it and CSeekFilter decides whether the
// user may take it. Seeks carry the server's index as their id, challenges a
// negative id of the graph's own (see CSeekGrid).
struct SeekRecord {
    enum class Kind { Seek, Challenge };

    // Seek datagrams name their rating category; the filter letters look at
    // these three by the index the server's category list gives them.
    static constexpr int kBlitzIndex = 1;
    static constexpr int kStandardIndex = 2;
    static constexpr int kBulletIndex = 3;
    static constexpr int kNoRange = 9999;

    // `categories` is the connection's list of rating-category names, by
    // category number.
    static SeekRecord FromSeek(const CServerMessage& m, const std::vector<std::string>& categories);
    static SeekRecord FromChallenge(const CServerMessage& m, int id,
                                    const std::vector<std::string>& categories);

    // The line shown on the status line while the offer is hovered.
    std::string Description() const;
    // 3 x minutes + 2 x increment: the quantity the time axis and the "fast"
    // warning use (held within int for any numbers a datagram may carry).
    int TimeKey() const;
    bool IsChallenge() const { return kind == Kind::Challenge; }

    bool formula = false;
    Kind kind = Kind::Seek;
    int id = 0;
    std::string name;
    std::string titles;
    bool computer = false;
    bool unregistered = false;
    int rating = 0;
    int ratingKnown = 0;
    int wild = 0;
    int colour = -1;
    int time1 = 0;
    int inc1 = 0;
    int time2 = 0;
    int inc2 = 0;
    bool rated = false;
    int minRating = 0;
    int maxRating = kNoRange;
    bool automatic = true;
    std::string category;
    int categoryIndex = 0;
    bool adjourned = false;
    // The cell it is drawn in once placed; while it waits, the cell it wants.
    int column = 0;
    int row = 0;
    bool placed = false;
    bool eligible = true;
};
