// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
// Throughput of the SAN reader and the Smith converter on positions from real
// games (the PGN test collection's first games, replayed once up front), and of the board-text
// legality check that runs on every drag.
#include "chess/Notation.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "chess/GameRecord.h"
#include "chess/PgnConverter.h"
#include "chess/PgnFile.h"

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

// The first games of the PGN test collection: the same mix of real games,
// annotated ones and games from a FEN as the collection.
constexpr size_t kGames = 150;

const Data& LoadData() {
    static const Data data = [] {
        Data d;
        const PgnFile file =
            PgnFile::ReadPgnFile(KORDANE_SOURCE_DIR "/tests/data/pgn/corpus-a.pgn");
        for (const PgnGame& pgn : file.Games()) {
            if (d.games.size() == kGames) break;
            Game game;
            game.start = PgnConverter::StartPosition(pgn);
            for (int i = 0; i < pgn.MoveCount(); ++i) game.moves.emplace_back(pgn.MoveText(i));
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
