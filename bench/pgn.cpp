// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Reading a real PGN collection (tests/data/pgn/corpus-a.pgn, 8 MB, 11,334
// games, 858,933 moves) on one core: the whole job a PGN list and its game
// windows ask for (read, tokenize, parse, convert every move to Smith
// notation), and the reading part alone. Run with
// --benchmark_repetitions=N to get the median of N runs.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "chess/PgnConverter.h"
#include "chess/PgnFile.h"

namespace {

const std::string kCorpus = std::string(KORDANE_SOURCE_DIR) + "/tests/data/pgn/corpus-a.pgn";

void CountMoves(benchmark::State& state, long long movesPerRun) {
    state.counters["moves/s"] = benchmark::Counter(static_cast<double>(movesPerRun),
                                                   benchmark::Counter::kIsIterationInvariantRate);
}

// Read the file, parse it and convert every game.
void BM_ReadAndConvertCorpus(benchmark::State& state) {
    long long moves = 0;
    std::vector<std::string> smith;
    for (auto _ : state) {
        const PgnFile file = PgnFile::ReadPgnFile(kCorpus);
        if (file.Games().empty()) {
            state.SkipWithError("corpus-a.pgn gave no games");
            return;
        }
        moves = 0;
        for (const PgnGame& game : file.Games()) {
            moves += PgnConverter::PgnToSmith(game, smith).converted;
        }
        benchmark::DoNotOptimize(moves);
    }
    CountMoves(state, moves);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 8388575);
}
BENCHMARK(BM_ReadAndConvertCorpus)->Unit(benchmark::kMillisecond)->UseRealTime();

// Only read and parse: the share of the job that is the PGN reader itself.
void BM_ReadAndParseCorpus(benchmark::State& state) {
    long long moves = 0;
    for (auto _ : state) {
        const PgnFile file = PgnFile::ReadPgnFile(kCorpus);
        moves = 0;
        for (const PgnGame& game : file.Games()) moves += game.MoveCount();
        benchmark::DoNotOptimize(moves);
    }
    CountMoves(state, moves);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 8388575);
}
BENCHMARK(BM_ReadAndParseCorpus)->Unit(benchmark::kMillisecond)->UseRealTime();

// Parse text already in memory (no file system), copying it first as the
// reader cuts its buffer in place.
void BM_ParseInMemory(benchmark::State& state) {
    std::ifstream in(kCorpus, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    const std::string text = buffer.str();
    for (auto _ : state) {
        const PgnFile file = PgnFile::FromText(text);
        benchmark::DoNotOptimize(file.Games().data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ParseInMemory)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
