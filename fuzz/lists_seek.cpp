// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Arbitrary lines as seek-graph datagrams: "50 ..." a seek, "51 <id>" its
// end, "29 ..." a challenge, "30 <name>" its end, fields split at blanks, the
// last line read as a seek filter. After each one the grid must agree with
// its records: every placed record sits in its own cell, nothing else is in
// the grid, and every description can be made.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "lists/SeekFilter.h"
#include "lists/SeekGrid.h"
#include "lists/SeekRecord.h"
#include "net/ServerMessage.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

const std::vector<std::string> kCategories = {"", "Blitz", "Standard", "Bullet"};

CServerMessage Split(std::string_view line) {
    CServerMessage m(CServerMessage::Datagram, 0);
    size_t start = 0;
    while (start <= line.size()) {
        const size_t end = std::min(line.find(' ', start), line.size());
        m.AppendField(line.substr(start, end - start));
        start = end + 1;
    }
    m.number = m.FieldInt(0);
    return m;
}

void CheckGrid(const CSeekGrid& grid) {
    size_t placed = 0;
    for (const SeekRecord& r : grid.Records()) {
        (void)r.Description();
        if (!r.placed) continue;
        ++placed;
        Check(grid.IdAt(r.column, r.row) == r.id);
    }
    size_t used = 0;
    for (int c = 0; c < CSeekGrid::kColumns; ++c) {
        for (int row = 0; row < CSeekGrid::kRows; ++row)
            used += grid.IdAt(c, row) != CSeekGrid::kFree;
    }
    Check(used == placed);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CSeekGrid grid;
    std::string_view last;
    size_t start = 0;
    int lines = 0;
    while (start < bytes.size() && lines++ < 2000) {
        const size_t end = std::min(bytes.find('\n', start), bytes.size());
        const std::string_view line = bytes.substr(start, end - start);
        start = end + 1;
        last = line;
        const CServerMessage m = Split(line);
        switch (m.number) {
            case 50: {
                SeekRecord r = SeekRecord::FromSeek(m, kCategories);
                if (r.id < 0) break;
                grid.Add(std::move(r));
                break;
            }
            case 51:
                if (m.FieldInt(1) >= 0) grid.RemoveId(m.FieldInt(1));
                break;
            case 29:
                grid.Add(SeekRecord::FromChallenge(m, grid.NewChallengeId(), kCategories));
                break;
            case 30:
                grid.RemoveChallenge(m.Field(1));
                break;
            default:
                break;
        }
        CheckGrid(grid);
    }
    const CSeekFilter filter(last);
    const std::vector<int> ratings = {1500, -3, 99999};
    grid.RecheckEligibility([&](const SeekRecord& r) { return filter.Eligible(r, ratings); });
    CheckGrid(grid);
    return 0;
}
