// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// A visible 800 x 800 board (offscreen platform) repainted whole, for every
// piece set on every board style, with a middle-game position, the last-move
// highlight, a circle and an arrow. One line per set reads
// "paint SET median_ms=X" (the median over all styles' repaints). Then a
// 400 ms slide runs with the event loop turning freely; the last line reads
// "animation fps=X": slide frames actually painted per second.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "BenchBoardHost.h"
#include "game/BoardWnd.h"

namespace {

constexpr int kRepaints = 21;
std::vector<double> g_setMedians(CBoardOptions::kPieceSets, 0.0);
std::vector<double> g_styleMedians(CBoardOptions::kBoardStyles, 0.0);
double g_fps = 0;

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

void SetUpPosition(BenchBoardHost& host, CBoardWnd& board) {
    for (const char* move : {"e2e4", "e7e5", "g1f3", "b8c6", "f1b5", "a7a6", "b5a4", "g8f6"})
        host.record.AddMove(move);
    board.SetLastMove("g8f6");
    board.AddCircle(MakeSquare('e', '5'));
    board.AddArrow(MakeSquare('f', '3'), MakeSquare('e', '5'));
}

void BM_BoardPaint(benchmark::State& state) {
    CGameShared shared;
    BenchBoardHost host(shared);
    CBoardWnd board(host, shared);
    board.resize(800, 800);
    board.show();
    SetUpPosition(host, board);
    QApplication::processEvents();
    for (auto _ : state) {
        std::vector<std::vector<double>> perStyle(CBoardOptions::kBoardStyles);
        for (int set = 0; set < CBoardOptions::kPieceSets; ++set) {
            std::vector<double> samples;
            for (int style = 0; style < CBoardOptions::kBoardStyles; ++style) {
                CBoardOptions o = shared.Options();
                o.pieceSet = set;
                o.boardStyle = style;
                o.drawCoords = true;
                shared.SetOptions(o);
                board.RecomputeGeometry();
                board.repaint();  // the first paint at a new size fills caches
                for (int i = 0; i < kRepaints; ++i) {
                    QElapsedTimer t;
                    t.start();
                    board.repaint();
                    const double ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
                    samples.push_back(ms);
                    perStyle[static_cast<size_t>(style)].push_back(ms);
                }
            }
            g_setMedians[static_cast<size_t>(set)] = Median(samples);
        }
        for (size_t s = 0; s < perStyle.size(); ++s) g_styleMedians[s] = Median(perStyle[s]);
    }
}
BENCHMARK(BM_BoardPaint)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_Animation(benchmark::State& state) {
    CGameShared shared;
    BenchBoardHost host(shared);
    CBoardWnd board(host, shared);
    board.resize(800, 800);
    board.show();
    CBoardOptions o = shared.Options();
    o.animateTime = 400;
    o.animateMoves = true;
    shared.SetOptions(o);
    board.RecomputeGeometry();
    QApplication::processEvents();
    for (auto _ : state) {
        host.record.ResetToStandard();
        board.repaint();
        QElapsedTimer t;
        t.start();
        board.StartAnimation("b1c3");
        while (board.Animating()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        const double seconds = static_cast<double>(t.nsecsElapsed()) / 1e9;
        g_fps = board.AnimationFrames() / seconds;
        state.counters["frames"] = board.AnimationFrames();
        state.counters["fps"] = g_fps;
    }
}
BENCHMARK(BM_Animation)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (!std::getenv("XDG_RUNTIME_DIR")) setenv("XDG_RUNTIME_DIR", "/tmp", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (size_t s = 0; s < g_styleMedians.size(); ++s)
        std::printf("style %zu median_ms=%.3f\n", s, g_styleMedians[s]);
    for (size_t s = 0; s < g_setMedians.size(); ++s)
        std::printf("paint %zu median_ms=%.3f\n", s, g_setMedians[s]);
    std::printf("animation fps=%.1f\n", g_fps);
    return 0;
}
