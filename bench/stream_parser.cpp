// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Parser and dispatch throughput on a generated 50 MB server stream: plain
// text, level-1 blocks with tags and embedded datagrams, and the datagrams of
// busy sessions (moves, clocks, tells, shouts, channel lines), handed over in
// 4095-byte pieces as the socket delivers them.
#include <benchmark/benchmark.h>

#include <deque>
#include <random>
#include <string>

#include "net/ConnectionParams.h"
#include "net/MainDispatch.h"
#include "net/ServerValues.h"
#include "net/StreamParser.h"

namespace {

std::string MakeStream(size_t target) {
    std::mt19937 rng(20261206);
    const std::string e = "\x19";
    const char* names[] = {"alice", "bob", "Carla", "dmitri", "GuestXKCD", "zz9"};
    const char* words[] = {"the",   "knight", "tournament", "starts", "at",
                           "blitz", "rated",  "anyone",     "for",    "a",
                           "game?", "3",      "0",          "thanks", "gg"};
    auto pick = [&rng](auto& array) { return array[rng() % std::size(array)]; };
    auto sentence = [&] {
        std::string s;
        const int n = 3 + rng() % 10;
        for (int i = 0; i < n; ++i) s += std::string(i ? " " : "") + pick(words);
        return s;
    };
    std::string out;
    out.reserve(target + 4096);
    int tag = 1;
    while (out.size() < target) {
        switch (rng() % 8) {
            case 0:
            case 1:
                out += sentence() + "\n" + sentence() + "\n";
                break;
            case 2: {
                out += e + "[" + std::to_string(rng() % 200) + " * " + std::to_string(tag++ % 40) +
                       "\n";
                for (int i = 0; i < 6; ++i) out += "  " + sentence() + "\n";
                out += e + "(62 " + pick(names) + e + ")";
                out += "  " + sentence() + "\n" + e + "]";
                break;
            }
            case 3:
                out += e + "(24 " + std::to_string(rng() % 500) + " Nf3 g1f3" + e + ")";
                out += e + "(56 " + std::to_string(rng() % 500) + " 1 " +
                       std::to_string(rng() % 300000) + " 1" + e + ")";
                break;
            case 4:
                out +=
                    e + "(31 " + std::string(pick(names)) + " {} {" + sentence() + "} 1" + e + ")";
                break;
            case 5:
                out += e + "(32 " + std::string(pick(names)) + " {GM} 0 " + e + "{" + sentence() +
                       " {with braces}" + e + "}" + e + ")";
                break;
            case 6:
                out += e + "(28 " + std::to_string(rng() % 300) + " " + pick(names) + " {} {" +
                       sentence() + "} 0" + e + ")";
                break;
            default:
                out += e + "<" + e + ">";
                break;
        }
    }
    return out;
}

const std::string& Stream() {
    static const std::string stream = MakeStream(50u << 20);
    return stream;
}

class BenchHost : public IStreamParserHost, public IMainConsoleHost, public IServerMessageSink {
  public:
    bool IsConnected() const override { return true; }
    void SendToServer(std::string_view) override {}
    void ShowStatus(StatusText) override {}
    void PostMessage(std::unique_ptr<CServerMessage> m) override { queue.push_back(std::move(m)); }
    void ShowConsoleText(std::string_view text) override { shownBytes += text.size(); }
    bool LogsInAutomatically() const override { return true; }
    // A game window stand-in: keeps the game datagrams of its game.
    int Receive(std::unique_ptr<CServerMessage>& m) override {
        if (m->kind != CServerMessage::Datagram || (m->number != 24 && m->number != 56)) return 0;
        ++gameDatagrams;
        m.reset();
        return 1;
    }
    std::deque<std::unique_ptr<CServerMessage>> queue;
    size_t shownBytes = 0;
    size_t gameDatagrams = 0;
};

void BM_ParseOnly(benchmark::State& state) {
    const std::string& stream = Stream();
    for (auto _ : state) {
        BenchHost host;
        CStreamParser parser(host);
        size_t messages = 0;
        for (size_t i = 0; i < stream.size(); i += 4095) {
            parser.ProcessBytes(stream.data() + i, std::min<size_t>(4095, stream.size() - i));
            messages += host.queue.size();
            host.queue.clear();
        }
        benchmark::DoNotOptimize(messages);
        state.counters["messages"] = static_cast<double>(messages);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * stream.size()));
}
BENCHMARK(BM_ParseOnly)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

void BM_ParseAndDispatch(benchmark::State& state) {
    const std::string& stream = Stream();
    for (auto _ : state) {
        BenchHost host;
        CStreamParser parser(host);
        ConnectionParams params;
        ServerValues values;
        CMainDispatch dispatch(host, parser, params, values);
        parser.SetMainSink(&dispatch);
        parser.AddSink(&host);
        for (size_t i = 0; i < stream.size(); i += 4095) {
            parser.ProcessBytes(stream.data() + i, std::min<size_t>(4095, stream.size() - i));
            while (!host.queue.empty()) {
                auto m = std::move(host.queue.front());
                host.queue.pop_front();
                parser.Dispatch(std::move(m));
            }
        }
        benchmark::DoNotOptimize(host.shownBytes);
        state.counters["shown_MB"] = static_cast<double>(host.shownBytes) / (1 << 20);
        state.counters["game_datagrams"] = static_cast<double>(host.gameDatagrams);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * stream.size()));
}
BENCHMARK(BM_ParseAndDispatch)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
