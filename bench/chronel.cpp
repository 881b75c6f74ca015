// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Chronel throughput: the client's filter deciphering and decoding server
// output received in 4095-byte chunks (as the socket reads them), and the
// server's end encoding it. Bytes processed count the plain server output.
#include "net/Chronel.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "net/ChronelServerSession.h"

namespace {

class BenchHost : public IChronelHost {
  public:
    void SendRaw(std::string_view bytes) override { sent += bytes; }
    void ShowChronelText(std::string_view) override {}
    uint32_t TickCount() override { return 0; }
    bool StartAlarmTimer(uint32_t) override { return true; }
    void StopAlarmTimer() override {}
    bool TakeFilterOutput(std::string_view bytes) override {
        taken += bytes.size();
        return true;
    }
    std::string sent;
    size_t taken = 0;
};

// About 8 MB of typical server output.
std::string Plain() {
    std::ifstream in(KORDANE_SOURCE_DIR "/tests/data/chronel/server-sample.txt", std::ios::binary);
    std::ostringstream sample;
    sample << in.rdbuf();
    std::string plain;
    while (plain.size() < (8u << 20)) plain += sample.str();
    return plain;
}

// A client and a server session past their handshake.
struct Connection {
    Connection() : server(ChronelServerSession::FailAt::None, 1), client(host) {
        const std::string prompt = "login: ";
        client.Filter(prompt.data(), prompt.size());
        while (!host.sent.empty()) {
            std::string reply;
            server.Incoming(host.sent, reply);
            host.sent.clear();
            client.Filter(reply.data(), reply.size());
        }
    }
    BenchHost host;
    ChronelServerSession server;
    Chronel client;
};

void BM_ChronelDecode(benchmark::State& state) {
    const std::string plain = Plain();
    std::vector<std::string> chunks;
    size_t wireSize = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Connection connection;
        // The server writes what its commands produce, about 1 KB at a time.
        std::string wire;
        for (size_t at = 0; at < plain.size(); at += 1024)
            wire += connection.server.Outgoing(std::string_view(plain).substr(at, 1024));
        wireSize = wire.size();
        state.ResumeTiming();
        size_t out = 0;
        for (size_t at = 0; at < wire.size(); at += 4095) {
            const size_t length = std::min<size_t>(4095, wire.size() - at);
            out += connection.client.Filter(wire.data() + at, length).size();
        }
        benchmark::DoNotOptimize(out + connection.host.taken);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * plain.size()));
    state.counters["wire_MB_per_s"] = benchmark::Counter(
        static_cast<double>(state.iterations() * wireSize) / 1e6, benchmark::Counter::kIsRate);
    state.counters["ratio"] = static_cast<double>(wireSize) / static_cast<double>(plain.size());
}
BENCHMARK(BM_ChronelDecode)->Unit(benchmark::kMillisecond);

void BM_ChronelEncode(benchmark::State& state) {
    const std::string plain = Plain();
    for (auto _ : state) {
        Connection connection;
        size_t wire = 0;
        for (size_t at = 0; at < plain.size(); at += 1024)
            wire += connection.server.Outgoing(std::string_view(plain).substr(at, 1024)).size();
        benchmark::DoNotOptimize(wire);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * plain.size()));
}
BENCHMARK(BM_ChronelEncode)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
