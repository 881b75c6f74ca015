// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
// Throughput of the SAN reader and the Smith converter on positions from real
// games (the test data's games, replayed once up front), and of the board-text
// legality check that runs on every drag.
#include "chess/Notation.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "chess/GameRecord.h"

namespace {

struct Game {
    Position start;
    std::vector<std::string> moves;
};

struct Sample {
    Position before;
    std::string san;
    BoardText board;
    int epFile = -1;
    std::string smith;
};

struct Data {
    std::vector<Game> games;
    std::vector<Sample> samples;
    size_t moves = 0;
};

const Data& LoadData() {
    static const Data data = [] {
        Data d;
        std::ifstream in(KORDANE_SOURCE_DIR "/tests/chess/data/real-games.txt");
        std::string line;
        while (std::getline(in, line)) {
            const size_t bar = line.find('|');
            if (bar == std::string::npos) continue;
            Game game;
            game.start.SetStandard();
            if (bar > 0) {
                std::istringstream fen(line.substr(0, bar));
                std::string f[6];
                for (std::string& field : f) fen >> field;
                game.start.SetFromFen(f[0], f[1], f[2], f[3], f[5]);
            }
            std::istringstream moves(line.substr(bar + 1));
            std::string move;
            while (moves >> move) game.moves.push_back(move);
            d.games.push_back(game);
        }
        for (const Game& game : d.games) {
            Position pos = game.start;
            GameRecord record;
            record.Reset(pos.DebugBoardText(), pos.sideToMove == Position::White ? 0 : 1,
                         pos.epFile);
            for (const std::string& move : game.moves) {
                Sample sample{pos, move, record.Board(), record.EpFile(), {}};
                const std::optional<std::string> smith = algebraicToSmith(move, pos);
                if (!smith) break;
                sample.smith = *smith;
                record.AddMove(*smith);
                d.samples.push_back(std::move(sample));
                ++d.moves;
            }
        }
        return d;
    }();
    return data;
}

void ConvertWholeGames(benchmark::State& state) {
    const Data& data = LoadData();
    for (auto _ : state) {
        for (const Game& game : data.games) {
            Position pos = game.start;
            for (const std::string& move : game.moves) {
                std::optional<std::string> smith = algebraicToSmith(move, pos);
                benchmark::DoNotOptimize(smith);
                if (!smith) break;
            }
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(data.moves));
}
BENCHMARK(ConvertWholeGames)->Unit(benchmark::kMillisecond);

void ReadSanVerbose(benchmark::State& state) {
    const Data& data = LoadData();
    std::string verbose;
    Position out;
    for (auto _ : state) {
        for (const Sample& s : data.samples) {
            benchmark::DoNotOptimize(ReadSan(s.san, s.before, nullptr, &verbose, out));
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(data.samples.size()));
}
BENCHMARK(ReadSanVerbose)->Unit(benchmark::kMillisecond);

// With the writer: every move is also written back as the shortest SAN.
void ReadSanWithWriter(benchmark::State& state) {
    const Data& data = LoadData();
    std::string san;
    Position out;
    for (auto _ : state) {
        for (const Sample& s : data.samples) {
            benchmark::DoNotOptimize(ReadSan(s.san, s.before, &san, nullptr, out));
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(data.samples.size()));
}
BENCHMARK(ReadSanWithWriter)->Unit(benchmark::kMillisecond);

void BoardTextLegality(benchmark::State& state) {
    const Data& data = LoadData();
    std::vector<GameRecord> records;
    records.reserve(data.samples.size());
    for (const Sample& s : data.samples) {
        GameRecord record;
        record.Reset(s.board.View(), 0, s.epFile);
        records.push_back(std::move(record));
    }
    for (auto _ : state) {
        for (size_t i = 0; i < records.size(); ++i) {
            benchmark::DoNotOptimize(records[i].IsLegalMove(data.samples[i].smith));
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(records.size()));
}
BENCHMARK(BoardTextLegality)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
