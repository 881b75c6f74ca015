// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// kd-pgnconv: reads PGN files and prints what the client makes of each game,
// so the reader and the move conversion can be checked and timed from the
// shell and compared with other tools.
//
//   kd-pgnconv [--tags] [--quiet] FILE...
//
// Per game: "GAME <index from 1> <moves converted> <result code>", with
// --tags the tags as "[Name "Value"]" lines, then one line per converted move
// "<move text as stored> <Smith move> <SAN as the client writes it>", and
// "STOP <move text> <reason>" when a move could not be converted. --quiet
// converts everything but prints only the summary line
// "games <n> moves <n> stopped <n>". Exit status 0, or 1 when a file gives no
// games (its error goes to standard error), 2 for bad arguments. Files of any
// size are read; the client itself refuses those over 8 MB.

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "chess/PgnConverter.h"
#include "chess/PgnFile.h"

namespace {

// Output is built in one buffer and written in large pieces: per-line stdio
// calls would cost more than the conversion itself.
class Output {
  public:
    ~Output() { Flush(); }
    std::string& Buffer() { return m_buffer; }
    void MaybeFlush() {
        if (m_buffer.size() > (1u << 16)) Flush();
    }
    void Flush() {
        std::fwrite(m_buffer.data(), 1, m_buffer.size(), stdout);
        m_buffer.clear();
    }

  private:
    std::string m_buffer;
};

struct Totals {
    long long games = 0;
    long long moves = 0;
    long long stopped = 0;
};

void ConvertGame(const PgnGame& game, bool tags, bool quiet, Totals& totals, Output& out) {
    ++totals.games;
    PgnConverter converter(game);
    if (quiet) {
        while (converter.Step()) {
        }
        totals.moves += converter.NextIndex();
        if (converter.Stopped()) ++totals.stopped;
        return;
    }
    std::string lines;
    while (!converter.Done()) {
        const Position before = converter.Current();
        const std::optional<std::string> smith = converter.Step();
        if (!smith) break;
        lines += game.MoveText(converter.NextIndex() - 1);
        lines += ' ';
        lines += *smith;
        lines += ' ';
        lines += PgnConverter::WrittenSan(*smith, before, converter.Current());
        lines += '\n';
    }
    totals.moves += converter.NextIndex();
    std::string& buffer = out.Buffer();
    buffer += "GAME " + std::to_string(totals.games) + " " + std::to_string(converter.NextIndex()) +
              " " + std::to_string(game.ResultCode()) + "\n";
    if (tags) buffer += game.DisplayTags();
    buffer += lines;
    if (converter.Stopped()) {
        ++totals.stopped;
        buffer += "STOP ";
        buffer += game.MoveText(converter.NextIndex());
        buffer += ' ';
        buffer += PgnConverter::ReasonText(converter.Reason());
        buffer += '\n';
    }
    out.MaybeFlush();
}

std::string_view ErrorText(PgnFile::Error error) {
    switch (error) {
        case PgnFile::Error::kCannotOpen:
            return "cannot open (missing, unreadable or not a regular file)";
        case PgnFile::Error::kTooLarge:
            return "too large";
        case PgnFile::Error::kNoMemory:
            return "not enough memory";
        case PgnFile::Error::kNoGames:
            return "no games";
        case PgnFile::Error::kNone:
            break;
    }
    return "";
}

}  // namespace

int main(int argc, char** argv) {
    bool tags = false;
    bool quiet = false;
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--tags") {
            tags = true;
        } else if (arg == "--quiet") {
            quiet = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            std::fprintf(stderr, "kd-pgnconv: unknown option %s\n", argv[i]);
            return 2;
        } else {
            paths.emplace_back(arg);
        }
    }
    if (paths.empty()) {
        std::fprintf(stderr, "usage: kd-pgnconv [--tags] [--quiet] FILE...\n");
        return 2;
    }

    int status = 0;
    Totals totals;
    Output out;
    for (const std::string& path : paths) {
        // The client refuses files over 8 MB; the tool reads any size, so that
        // large collections can be compared with other tools.
        const PgnFile file = PgnFile::ReadPgnFile(path, SIZE_MAX);
        if (file.GetError() != PgnFile::Error::kNone) {
            out.Flush();
            std::fprintf(stderr, "kd-pgnconv: %s: %.*s\n", path.c_str(),
                         static_cast<int>(ErrorText(file.GetError()).size()),
                         ErrorText(file.GetError()).data());
            status = 1;
            continue;
        }
        for (const PgnGame& game : file.Games()) ConvertGame(game, tags, quiet, totals, out);
    }
    if (quiet) {
        out.Buffer() += "games " + std::to_string(totals.games) + " moves " +
                        std::to_string(totals.moves) + " stopped " +
                        std::to_string(totals.stopped) + "\n";
    }
    return status;
}
