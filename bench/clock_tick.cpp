// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// One step of the shared clock timer across 100 game windows' clocks (200
// visible clocks, one running in each window) with the paints processed.
// Tenths are shown and every step waits past a tenth, so every running clock
// redraws: the worst case of a step. The last line reads
// "tick_100_windows median_ms=X".
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "game/ClockWnd.h"
#include "game/GameShared.h"

namespace {

constexpr int kWindows = 100;
constexpr int kSteps = 25;
double g_median = 0;
double g_drawsPerStep = 0;

void BM_ClockTick(benchmark::State& state) {
    CGameShared shared;
    CBoardOptions o = shared.Options();
    o.showTenthsAlways = true;
    shared.SetOptions(o);
    QWidget frame;
    frame.resize(1000, 1000);
    // Each game window holds its own two clocks, as in the program.
    std::vector<std::unique_ptr<CClockWnd>> clocks;
    for (int w = 0; w < kWindows; ++w) {
        auto* window = new QWidget(&frame);
        window->setGeometry((w % 10) * 100, (w / 10) * 100, 100, 60);
        for (int side = 0; side < 2; ++side) {
            auto clock =
                std::make_unique<CClockWnd>(shared, side ? "WhiteClock" : "BlackClock", window);
            clock->setGeometry(0, side * 30, 100, 24);
            clock->Set(180000 + w * 1000, side == 1);
            clocks.push_back(std::move(clock));
        }
    }
    frame.show();
    QApplication::processEvents();
    for (auto _ : state) {
        std::vector<double> samples;
        int draws = 0;
        for (int i = 0; i < kSteps; ++i) {
            QThread::msleep(101);
            int before = 0;
            for (const auto& c : clocks) before += c->DrawCount();
            QElapsedTimer t;
            t.start();
            shared.Tick();
            QApplication::processEvents();
            samples.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
            int after = 0;
            for (const auto& c : clocks) after += c->DrawCount();
            draws += after - before;
        }
        std::sort(samples.begin(), samples.end());
        g_median = samples[samples.size() / 2];
        g_drawsPerStep = static_cast<double>(draws) / kSteps;
        state.counters["median_ms"] = g_median;
        state.counters["draws_per_step"] = g_drawsPerStep;
    }
}
BENCHMARK(BM_ClockTick)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (!std::getenv("XDG_RUNTIME_DIR")) setenv("XDG_RUNTIME_DIR", "/tmp", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("draws_per_step=%.1f\n", g_drawsPerStep);
    std::printf("tick_100_windows median_ms=%.3f\n", g_median);
    return 0;
}
