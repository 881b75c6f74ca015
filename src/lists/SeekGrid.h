// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <array>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "lists/SeekRecord.h"

// The offers of the seek graph and the cells they sit in: 50 columns of time
// control (fast on the left) by 30 rows of rating (high at the top). An offer
// takes its own cell or the first free neighbour; one that finds none waits,
// undrawn, until a nearby offer goes and hands it that cell. CSeekView feeds
// it from the datagrams and paints what it holds; it knows no widgets, so the
// placement can be tested and measured on its own.
class CSeekGrid {
  public:
    static constexpr int kColumns = 50;
    static constexpr int kRows = 30;
    static constexpr int kFree = -1;

    // The cell an offer would like, from 3 x minutes + 2 x increment and
    // from the offerer's rating.
    static int ColumnFor(int timeKey);
    static int RowFor(int rating);

    // Told of every cell whose content changed, so that only it is redrawn.
    using CellChanged = std::function<void(int column, int row)>;
    void SetCellChanged(CellChanged changed) { m_cellChanged = std::move(changed); }

    // Places the offer and appends it. A seek first replaces any offer with
    // the same id.
    const SeekRecord& Add(SeekRecord record);
    // The first offer with the id; false when there is none.
    bool RemoveId(int id);
    // The first challenge from `name`.
    bool RemoveChallenge(const std::string& name);
    // An id for a new challenge, -10 to -9999, unlike every current id.
    int NewChallengeId();
    // Sets each seek's eligibility from `eligible`; true when any changed.
    bool RecheckEligibility(const std::function<bool(const SeekRecord&)>& eligible);

    // kFree, or the id of the offer drawn in the cell; outside the grid kFree.
    int IdAt(int column, int row) const;
    const SeekRecord* Find(int id) const;
    const std::vector<SeekRecord>& Records() const { return m_records; }

  private:
    int& Cell(int column, int row) { return m_cells[static_cast<size_t>(column * kRows + row)]; }
    bool Place(SeekRecord& record);
    void Remove(std::vector<SeekRecord>::iterator it);
    void Changed(int column, int row) const;

    std::vector<SeekRecord> m_records;  // in arrival order
    std::array<int, kColumns* kRows> m_cells = MakeFreeCells();
    CellChanged m_cellChanged;
    std::minstd_rand m_random{std::random_device{}()};

    static std::array<int, kColumns * kRows> MakeFreeCells() {
        std::array<int, kColumns * kRows> cells{};
        cells.fill(kFree);
        return cells;
    }
};
