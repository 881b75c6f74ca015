// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// The PGN list on a real collection (tests/data/pgn/corpus-a.pgn, 8 MB,
// 11,334 games): filling the rows from a file already read, and sorting
// them by White the way a click on the heading does (the rows start in
// file order each time, as after opening). Run with
// --benchmark_repetitions=N to get the median of N runs.

#include <benchmark/benchmark.h>

#include <string>

#include "chess/PgnFile.h"
#include "lists/PgnListRows.h"

namespace {

const std::string kCorpus = std::string(KORDANE_SOURCE_DIR) + "/tests/data/pgn/corpus-a.pgn";

const PgnFile& Corpus() {
    static const PgnFile file = PgnFile::ReadPgnFile(kCorpus);
    return file;
}

void BM_RowsFill(benchmark::State& state) {
    const PgnFile& file = Corpus();
    if (file.Games().empty()) {
        state.SkipWithError("corpus-a.pgn gave no games");
        return;
    }
    CPgnListRows rows;
    for (auto _ : state) {
        rows.Fill(file.Games());
        benchmark::DoNotOptimize(rows.Count());
    }
}
BENCHMARK(BM_RowsFill)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RowsSortByWhite(benchmark::State& state) {
    const PgnFile& file = Corpus();
    if (file.Games().empty()) {
        state.SkipWithError("corpus-a.pgn gave no games");
        return;
    }
    CPgnListRows rows;
    for (auto _ : state) {
        state.PauseTiming();
        rows.Fill(file.Games());
        state.ResumeTiming();
        rows.ClickColumn(CPgnListRows::kWhite);
        benchmark::DoNotOptimize(rows.At(0).index);
    }
}
BENCHMARK(BM_RowsSortByWhite)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
