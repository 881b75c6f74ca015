// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "lists/SeekFilter.h"
#include "lists/SeekGrid.h"
#include "lists/SeekRecord.h"
#include "net/ServerMessage.h"

namespace {

// The connection's categories as the test server numbers them.
const std::vector<std::string> kCategories = {"", "Bullet", "Blitz", "Standard", "Wild"};

CServerMessage Datagram(int number, std::vector<std::string> fields) {
    CServerMessage m(CServerMessage::Datagram, number);
    m.fields.push_back(std::to_string(number));
    for (std::string& field : fields) m.fields.push_back(std::move(field));
    return m;
}

struct SeekOffer {
    int id = 1;
    std::string name = "Judit";
    std::string titles = "";
    int rating = 1500;
    int minutes = 5;
    int increment = 0;
    bool rated = true;
    int wild = 0;
    std::string category = "Blitz";
    int minRating = 0;
    int maxRating = 9999;
    int automatic = 1;
    int formula = 0;
    int colour = -1;
};

CServerMessage SeekDatagram(const SeekOffer& s) {
    return Datagram(50, {std::to_string(s.id), s.name, s.titles, std::to_string(s.rating), "2",
                         std::to_string(s.wild), s.category, std::to_string(s.minutes),
                         std::to_string(s.increment), s.rated ? "1" : "0", std::to_string(s.colour),
                         std::to_string(s.minRating), std::to_string(s.maxRating),
                         std::to_string(s.automatic), std::to_string(s.formula)});
}

SeekRecord Seek(const SeekOffer& offer) {
    return SeekRecord::FromSeek(SeekDatagram(offer), kCategories);
}

CServerMessage ChallengeDatagram(const std::string& name, int mine, int theirs) {
    // 1 name, 2 rating, 3 state, 4 titles, 5-8 unused here, 9 wild,
    // 10 category, 11 rated, 12 adjourned, 13-14 theirs, 15-16 mine, 17 colour.
    return Datagram(29, {name, "1600", "2", "", "", "", "", "", "0", "Blitz", "1", "0",
                         std::to_string(theirs), "0", std::to_string(mine), "0", "1"});
}

// Each row is a seek arriving on an empty graph: where it lands, whether the
// filter lets the user take it, and what the status line says about it.
TEST(SeekGraphTest, OffersLandInTheirCellsAndAreJudgedByTheFilter) {
    struct Row {
        const char* what;
        SeekOffer seek;
        std::string filter;
        std::vector<int> ratings;  // the user's, by category number - 1
        int column;
        int row;
        bool eligible;
        const char* description;
    } rows[] = {
        {"3 0 is column 7", {.minutes = 3}, "m", {}, 7, 17, true, nullptr},
        {"2 12 is column 28", {.minutes = 2, .increment = 12}, "m", {}, 28, 17, true, nullptr},
        {"15 0 is column 34", {.minutes = 15}, "m", {}, 34, 17, true, nullptr},
        {"120 0 is column 45", {.minutes = 120}, "m", {}, 45, 17, true, nullptr},
        {"0 1 is the first column", {.minutes = 0, .increment = 1}, "m", {}, 0, 17, true, nullptr},
        {"beyond the table is the last", {.minutes = 600}, "m", {}, 49, 17, true, nullptr},
        {"2700 is the top row", {.rating = 2700}, "m", {}, 13, 0, true, nullptr},
        {"1499 is row 18", {.rating = 1499}, "m", {}, 13, 18, true, nullptr},
        {"negative is the bottom row", {.rating = -40}, "m", {}, 13, 29, true, nullptr},
        // Blitz is category 2 on this server: the user's rating is ratings[1].
        {"range excludes 1750",
         {.minRating = 1800, .maxRating = 2200},
         "m",
         {1000, 1750},
         13,
         17,
         false,
         "1: Judit 1500 seeks Blitz 5 0 rated 1800-2200"},
        {"range includes 1800",
         {.minRating = 1800, .maxRating = 2200},
         "m",
         {0, 1800},
         13,
         17,
         true,
         nullptr},
        {"no rating reads as 0",
         {.minRating = 1, .maxRating = 9999},
         "m",
         {},
         13,
         17,
         false,
         nullptr},
        {"guest filter refuses rated",
         {},
         CSeekFilter::TextFor(false, true, "c"),
         {},
         13,
         17,
         false,
         nullptr},
        {"guest filter allows unrated",
         {.rated = false},
         CSeekFilter::TextFor(false, true, "c"),
         {},
         13,
         17,
         true,
         "1: Judit 1500 seeks Blitz 5 0 unrated"},
        {"own filter: computers only",
         {.name = "Botty", .titles = "C", .rated = false},
         CSeekFilter::TextFor(true, false, "c"),
         {},
         13,
         17,
         true,
         "1: Botty(C) 1500 seeks Blitz 5 0 unrated"},
        {"own filter refuses a person",
         {},
         CSeekFilter::TextFor(true, false, "c"),
         {},
         13,
         17,
         false,
         nullptr},
        {"two minus signs cancel", {}, "--r", {}, 13, 17, true, nullptr},
        {"near: 300 above is too far", {.rating = 1800}, "n", {0, 1500}, 13, 11, false, nullptr},
        {"near: not tested without a rating", {.rating = 1800}, "-n", {}, 13, 11, true, nullptr},
        {"category letters go by index: 1 is b",
         {.category = "Bullet"},
         "b",
         {},
         13,
         17,
         true,
         nullptr},
        {"variant, manual, formula, colour",
         {.id = 7, .titles = "GM", .wild = 23, .automatic = 0, .formula = 1, .colour = 1},
         "-w",
         {},
         13,
         17,
         false,
         "7: Judit(GM) 1500 seeks wild(23) 5 0 rated white m f"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        CSeekGrid grid;
        SeekRecord record = Seek(row.seek);
        record.eligible = CSeekFilter(row.filter).Eligible(record, row.ratings);
        const SeekRecord& placed = grid.Add(std::move(record));
        EXPECT_TRUE(placed.placed);
        EXPECT_EQ(placed.column, row.column);
        EXPECT_EQ(placed.row, row.row);
        EXPECT_EQ(grid.IdAt(row.column, row.row), placed.id);
        EXPECT_EQ(placed.eligible, row.eligible);
        if (row.description) {
            EXPECT_EQ(placed.Description(), row.description);
        }
    }
}

TEST(SeekGraphTest, ACrowdFillsItsNeighbourhoodAndAFreedCellGoesToTheOneWaiting) {
    CSeekGrid grid;
    std::vector<std::pair<int, int>> changed;
    grid.SetCellChanged([&](int column, int row) { changed.emplace_back(column, row); });
    // An unplaced offer far away must not be handed a cell near the crowd.
    std::set<std::pair<int, int>> cells;
    for (int id = 0; id < 22; ++id) {
        const SeekRecord& r = grid.Add(Seek({.id = id, .rating = 1800, .minutes = 5}));
        if (id < 21) {
            ASSERT_TRUE(r.placed) << id;
            cells.emplace(r.column, r.row);
            EXPECT_LE(std::abs(r.column - 13), 2);
            EXPECT_LE(std::abs(r.row - 11), 2);
        } else {
            EXPECT_FALSE(r.placed);
            EXPECT_EQ(r.column, 13);
            EXPECT_EQ(r.row, 11);
        }
    }
    EXPECT_EQ(cells.size(), 21U);
    EXPECT_EQ(changed.size(), 21U);
    // The second seek took the first neighbour, one column to the right
    // (5 0 is column 13).
    EXPECT_EQ(grid.IdAt(14, 11), 1);

    // A seek that reappears with the same id is replaced, not doubled; its
    // cell goes to the one waiting, and the newcomer waits in turn.
    const SeekRecord* second = grid.Find(1);
    ASSERT_NE(second, nullptr);
    grid.Add(Seek({.id = 1, .rating = 1800, .minutes = 5}));
    EXPECT_EQ(grid.Records().size(), 22U);
    EXPECT_EQ(grid.IdAt(14, 11), 21);
    EXPECT_TRUE(grid.Find(21)->placed);
    EXPECT_FALSE(grid.Find(1)->placed);

    // A removal hands the cell over.
    changed.clear();
    ASSERT_TRUE(grid.RemoveId(20));
    EXPECT_EQ(grid.Find(20), nullptr);
    const SeekRecord* moved = grid.Find(1);
    ASSERT_TRUE(moved->placed);
    EXPECT_EQ(grid.IdAt(moved->column, moved->row), 1);
    ASSERT_EQ(changed.size(), 1U);
    EXPECT_EQ(changed[0], std::make_pair(moved->column, moved->row));

    // A cell freed far from any waiting offer stays free.
    grid.Add(Seek({.id = 40, .rating = 800, .minutes = 60}));
    grid.Add(Seek({.id = 41, .rating = 1800, .minutes = 5}));  // waits at (13, 11)
    const SeekRecord* far = grid.Find(40);
    const int farColumn = far->column;
    const int farRow = far->row;
    ASSERT_TRUE(grid.RemoveId(40));
    EXPECT_EQ(grid.IdAt(farColumn, farRow), CSeekGrid::kFree);
    EXPECT_FALSE(grid.Find(41)->placed);
    EXPECT_FALSE(grid.RemoveId(40));
}

TEST(SeekGraphTest, ChallengesTakeTheirOwnIdsAndGoByNameOneAtATime) {
    CSeekGrid grid;
    grid.Add(Seek({.id = 3, .name = "Magnus"}));
    std::set<int> ids;
    for (int i = 0; i < 3; ++i) {
        const int id = grid.NewChallengeId();
        EXPECT_LE(id, -10);
        EXPECT_GE(id, -9999);
        const SeekRecord& r = grid.Add(
            SeekRecord::FromChallenge(ChallengeDatagram("Magnus", 5, 5 + i), id, kCategories));
        EXPECT_TRUE(r.eligible);
        ids.insert(r.id);
    }
    EXPECT_EQ(ids.size(), 3U);
    // The first challenge is the one with equal times.
    EXPECT_EQ(grid.Records()[1].Description(),
              "Magnus 1600 challenges you to Blitz 5 0 rated white");
    EXPECT_EQ(grid.Records()[2].Description(),
              "Magnus 1600 challenges you to Blitz 5 0 vs 6 0 rated white");

    // The seek of the same name stays; only the first challenge goes.
    ASSERT_TRUE(grid.RemoveChallenge("Magnus"));
    ASSERT_EQ(grid.Records().size(), 3U);
    EXPECT_EQ(grid.Records()[0].id, 3);
    EXPECT_EQ(grid.Records()[1].time2, 6);
    EXPECT_FALSE(grid.RemoveChallenge("Judit"));

    // Challenges are never filtered; seeks are judged again.
    EXPECT_TRUE(grid.RecheckEligibility([](const SeekRecord&) { return false; }));
    EXPECT_FALSE(grid.Find(3)->eligible);
    EXPECT_TRUE(grid.Records()[1].eligible);
    EXPECT_FALSE(grid.RecheckEligibility([](const SeekRecord&) { return false; }));
}

}  // namespace
