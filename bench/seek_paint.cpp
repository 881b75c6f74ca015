// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// A visible 800 x 600 seek graph (offscreen platform) holding 500 seeks of
// every kind (rated and unrated, variants, computers, ineligible ones, a
// share left waiting for a free cell), repainted whole. The last line reads
// "seek repaint median_ms=X cpu_median_ms=Y" over all repaints (wall clock
// and the thread's own processor time, which a busy machine does not
// inflate); the target is under 5 ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "lists/SeekView.h"
#include "net/Profile.h"
#include "net/ServerMessage.h"
#include "net/qt/Kordane2Doc.h"

namespace {

constexpr int kSeeks = 500;
std::vector<double> g_samples;
std::vector<double> g_cpuSamples;

double ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

std::unique_ptr<CServerMessage> SeekDatagram(int i) {
    auto m = std::make_unique<CServerMessage>(CServerMessage::Datagram, 50);
    const int minutes = 1 + (i * 7) % 60;
    const int rating = 800 + (i * 37) % 1900;
    const bool ranged = i % 5 == 0;
    for (const std::string& field :
         {std::string("50"), std::to_string(i), "Player" + std::to_string(i % 40),
          std::string(i % 9 == 0 ? "C" : ""), std::to_string(rating), std::string("2"),
          std::to_string(i % 11 == 0 ? 23 : 0), std::string(i % 3 == 0 ? "Standard" : "Blitz"),
          std::to_string(minutes), std::to_string(i % 4), std::string(i % 2 ? "1" : "0"),
          std::string("-1"), std::string(ranged ? "1800" : "0"),
          std::string(ranged ? "2200" : "9999"), std::string("1"), std::string("0")}) {
        m->AppendField(field);
    }
    return m;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

void BM_SeekRepaint(benchmark::State& state) {
    QTemporaryDir dir;
    CProfile profile(dir.filePath("settings.ini").toStdString());
    CKordane2Doc doc(profile);
    doc.Values().categoryNames = {"", "Blitz", "Standard", "Bullet"};
    doc.Values().ratings = {1500, 1500, 1500};
    CSeekView view(doc);
    view.resize(800, 600);
    view.show();
    for (int i = 0; i < kSeeks; ++i) {
        auto m = SeekDatagram(i);
        view.Receive(m);
    }
    QApplication::processEvents();
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        const double cpu = ThreadCpuMs();
        view.repaint();
        g_cpuSamples.push_back(ThreadCpuMs() - cpu);
        g_samples.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
    }
    state.counters["median_ms"] = Median(g_samples);
    state.counters["cpu_median_ms"] = Median(g_cpuSamples);
}
BENCHMARK(BM_SeekRepaint)->Iterations(200)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("seek repaint median_ms=%.3f cpu_median_ms=%.3f\n", Median(g_samples),
                Median(g_cpuSamples));
    return 0;
}
