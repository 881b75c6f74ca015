// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "lists/SeekGrid.h"

#include <algorithm>
#include <cstdlib>

namespace {

// The right edge of each time column, as 3 x minutes + 2 x increment; past
// the last one everything shares column 49.
constexpr std::array<int, 49> kTimes = {
    2,  3,  4,  5,  6,  7,   8,   9,   10,  11,  12,  13,  14,  15,   16,  17, 18,
    19, 20, 21, 22, 23, 24,  25,  26,  27,  28,  29,  30,  32,  34,   37,  40, 44,
    52, 60, 70, 80, 90, 100, 120, 140, 170, 200, 300, 500, 800, 1100, 1600};

// The lowest rating of each row, top row first.
constexpr std::array<int, 30> kRatings = {
    2700, 2550, 2430, 2320, 2240, 2160, 2080, 2010, 1950, 1900, 1850, 1800, 1750, 1700, 1650,
    1600, 1550, 1500, 1440, 1370, 1290, 1200, 1100, 1000, 900,  800,  650,  500,  300,  0};

struct Offset {
    int row;
    int column;
};
// Neighbours nearest first, sideways before up and down: a crowd of equal
// offers spreads along its time control before it spreads across ratings.
constexpr std::array<Offset, 20> kNeighbours = {
    {{0, 1}, {0, -1}, {1, 0}, {-1, 0}, {1, 1},  {1, -1},  {-1, -1}, {-1, 1}, {0, 2},  {0, -2},
     {2, 0}, {-2, 0}, {1, 2}, {1, -2}, {-1, 2}, {-1, -2}, {2, 1},   {2, -1}, {-2, 1}, {-2, -1}}};

constexpr int kFirstChallengeId = -10;
constexpr int kChallengeIds = 9990;
constexpr int kIdDraws = 100;
// How far (exclusive) a waiting offer's own cell may be from a freed cell
// for the offer to move in.
constexpr int kHandOverReach = 3;

bool Inside(int column, int row) {
    return column >= 0 && column < CSeekGrid::kColumns && row >= 0 && row < CSeekGrid::kRows;
}

}  // namespace

int CSeekGrid::ColumnFor(int timeKey) {
    const auto* it = std::lower_bound(kTimes.begin(), kTimes.end(), timeKey);
    return static_cast<int>(it - kTimes.begin());
}

int CSeekGrid::RowFor(int rating) {
    for (size_t row = 0; row < kRatings.size(); ++row) {
        if (rating >= kRatings[row]) return static_cast<int>(row);
    }
    return kRows - 1;
}

const SeekRecord& CSeekGrid::Add(SeekRecord record) {
    if (!record.IsChallenge()) RemoveId(record.id);
    Place(record);
    m_records.push_back(std::move(record));
    return m_records.back();
}

bool CSeekGrid::Place(SeekRecord& record) {
    record.column = ColumnFor(record.TimeKey());
    record.row = RowFor(record.rating);
    record.placed = false;
    for (size_t i = 0; i <= kNeighbours.size(); ++i) {
        const int column = record.column + (i == 0 ? 0 : kNeighbours[i - 1].column);
        const int row = record.row + (i == 0 ? 0 : kNeighbours[i - 1].row);
        if (!Inside(column, row) || Cell(column, row) != kFree) continue;
        Cell(column, row) = record.id;
        record.column = column;
        record.row = row;
        record.placed = true;
        Changed(column, row);
        return true;
    }
    return false;
}

bool CSeekGrid::RemoveId(int id) {
    const auto it = std::find_if(m_records.begin(), m_records.end(),
                                 [id](const SeekRecord& r) { return r.id == id; });
    if (it == m_records.end()) return false;
    Remove(it);
    return true;
}

bool CSeekGrid::RemoveChallenge(const std::string& name) {
    const auto it = std::find_if(m_records.begin(), m_records.end(), [&name](const SeekRecord& r) {
        return r.id < -1 && r.name == name;
    });
    if (it == m_records.end()) return false;
    Remove(it);
    return true;
}

void CSeekGrid::Remove(std::vector<SeekRecord>::iterator it) {
    const bool placed = it->placed;
    const int column = it->column;
    const int row = it->row;
    m_records.erase(it);
    if (!placed) return;
    Cell(column, row) = kFree;
    // A waiting offer keeps the cell it wanted, so "near" is measured from
    // there.
    for (SeekRecord& waiting : m_records) {
        if (waiting.placed || std::abs(waiting.column - column) >= kHandOverReach ||
            std::abs(waiting.row - row) >= kHandOverReach) {
            continue;
        }
        Cell(column, row) = waiting.id;
        waiting.column = column;
        waiting.row = row;
        waiting.placed = true;
        break;
    }
    Changed(column, row);
}

int CSeekGrid::NewChallengeId() {
    int id = kFirstChallengeId;
    for (int draw = 0; draw < kIdDraws; ++draw) {
        id = kFirstChallengeId - static_cast<int>(m_random() % kChallengeIds);
        if (Find(id) == nullptr) break;
    }
    return id;
}

bool CSeekGrid::RecheckEligibility(const std::function<bool(const SeekRecord&)>& eligible) {
    bool any = false;
    for (SeekRecord& record : m_records) {
        if (record.IsChallenge()) continue;
        const bool now = eligible(record);
        if (now == record.eligible) continue;
        record.eligible = now;
        any = true;
    }
    return any;
}

int CSeekGrid::IdAt(int column, int row) const {
    if (!Inside(column, row)) return kFree;
    return m_cells[static_cast<size_t>(column * kRows + row)];
}

const SeekRecord* CSeekGrid::Find(int id) const {
    for (const SeekRecord& record : m_records) {
        if (record.id == id) return &record;
    }
    return nullptr;
}

void CSeekGrid::Changed(int column, int row) const {
    if (m_cellChanged) m_cellChanged(column, row);
}
