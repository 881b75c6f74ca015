// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// The PGN list on a real collection (tests/data/pgn/corpus-a.pgn, 8 MB,
// 11,334 games), offscreen. The window as the user meets it: opening the
// file in a list (read, parse, fill, first paint of a 900 x 600 window) and
// a click on "White" (sort and repaint). Then the rows alone, without
// widgets: filled from a file already read, and sorted by White from file
// order. Run with --benchmark_repetitions=N to get the median of N runs;
// the machine is shared, so the CPU time is reported next to the real time.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QHeaderView>
#include <QTreeView>
#include <cstdlib>
#include <memory>
#include <string>

#include "chess/PgnFile.h"
#include "lists/PGNListView.h"
#include "lists/PgnListRows.h"
#include "net/Profile.h"
#include "net/qt/Kordane2Doc.h"

namespace {

const std::string kCorpus = std::string(KORDANE_SOURCE_DIR) + "/tests/data/pgn/corpus-a.pgn";

const PgnFile& Corpus() {
    static const PgnFile file = PgnFile::ReadPgnFile(kCorpus);
    return file;
}

// A connection that never connects, for the windows to belong to.
CKordane2Doc& Doc() {
    static CProfile profile("/tmp/kordane-bench-list-pgn.ini");
    static CKordane2Doc doc(profile);
    return doc;
}

// Paints the whole window now, as its first showing does.
void Paint(CPGNListView& view) {
    QApplication::processEvents();
    benchmark::DoNotOptimize(view.grab());
}

void BM_OpenCorpusInList(benchmark::State& state) {
    for (auto _ : state) {
        PgnFile file = PgnFile::ReadPgnFile(kCorpus);
        if (file.Games().empty()) {
            state.SkipWithError("corpus-a.pgn gave no games");
            return;
        }
        auto view = std::make_unique<CPGNListView>(Doc(), std::move(file));
        view->resize(900, 600);
        view->show();
        Paint(*view);
        state.PauseTiming();
        view.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenCorpusInList)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SortListByWhite(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto view = std::make_unique<CPGNListView>(Doc(), PgnFile::ReadPgnFile(kCorpus));
        view->resize(900, 600);
        view->show();
        Paint(*view);
        state.ResumeTiming();
        view->SortByColumn(CPgnListRows::kWhite);
        Paint(*view);
        state.PauseTiming();
        if (view->SortState() != 3) state.SkipWithError("not sorted by White");
        view.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SortListByWhite)->Unit(benchmark::kMillisecond)->UseRealTime();

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

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (!std::getenv("XDG_RUNTIME_DIR")) setenv("XDG_RUNTIME_DIR", "/tmp", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
