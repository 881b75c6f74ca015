// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

class PgnGame;

// The rows of a PGN list: one per game of the file, with the game's place in
// the file and the seven tags the list shows, kept in the order the user
// sorted them. CPGNListView shows them; it knows no widgets, so the sorting
// can be tested and timed on its own.
//
// The tag texts point into the file's text, like the games themselves: the
// rows are valid only while the PgnFile they were filled from lives.
class CPgnListRows {
  public:
    enum Column { kIndex, kWhite, kBlack, kEvent, kSite, kDate, kRound, kResult, kColumnCount };
    static constexpr int kTagColumns = kColumnCount - 1;
    // The tag each column after the index shows, in column order.
    static constexpr std::array<std::string_view, kTagColumns> kTagNames = {
        "White", "Black", "Event", "Site", "Date", "Round", "Result"};

    // Sort state 2c + 1 orders column c ascending, 2c descending; 0 is the
    // index descending, so a list that was never sorted is not in that state
    // but in file order (as filled).
    static constexpr int kUnsorted = 0;

    struct Row {
        const PgnGame* game = nullptr;
        int index = 0;
        // Empty where the game has no such tag.
        std::array<std::string_view, kTagColumns> tags;
    };

    // One row per game, in file order; the sort state goes back to 0.
    void Fill(const std::vector<PgnGame>& games);
    void Clear();

    int Count() const { return static_cast<int>(m_rows.size()); }
    const Row& At(int row) const { return m_rows[static_cast<size_t>(row)]; }
    // The cell as the list shows it: the index as "%d", a tag as it stands.
    std::string Text(int row, int column) const;
    std::string_view TagText(int row, int column) const;

    int SortState() const { return m_sortState; }
    // The state a click on `column` leads to: ascending first, then
    // descending, then ascending again.
    static int NextSortState(int state, int column);
    // A click on the heading of `column`: the next state, then the sort.
    void ClickColumn(int column);
    // Orders the rows by `state` (0..15; others leave the rows as they are).
    void Sort(int state);
    // Whether `a` comes before `b` in sort state `state` (0..15). Equal keys
    // fall back on the place in the file, so each state is one fixed order
    // and a descending one is the exact reverse of its ascending one.
    static bool Less(const Row& a, const Row& b, int state);

    // The column widths as "PGNListColumnWidths" holds them: up to eight
    // numbers, each followed by ","; the widths the text does not hold (it
    // ends, or something else than a number stands there) keep `defaults`.
    // A width is never negative nor wider than kMaxWidth.
    static constexpr int kMaxWidth = 4000;
    using Widths = std::array<int, kColumnCount>;
    static Widths ParseWidths(std::string_view text, const Widths& defaults);
    // Each width followed by ",", then "0" (what a later parse ignores).
    static std::string FormatWidths(const std::vector<int>& widths);

    // Text columns compare without regard to case (ASCII letters), as bytes
    // otherwise; < 0, 0 or > 0.
    static int CompareNoCase(std::string_view a, std::string_view b);

  private:
    std::vector<Row> m_rows;
    int m_sortState = kUnsorted;
};
