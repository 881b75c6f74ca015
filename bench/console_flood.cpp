// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// A visible main console (offscreen platform) flooded with 100,000 server
// lines of every text class: plain text, level-1 answers, tells, shouts,
// s-shouts, announcements, kibitzes and channel lines, some on channels with
// a colour of their own, and, in a second flood, help-page text full of links
// (web addresses, quoted commands, "see also" lists and the "more" prompt).
// The bytes reach the parser one socket read (4095 bytes) per event-loop
// turn, as the socket notifier delivers them, and go through the real
// dispatch into the pane with its 1050-line limit.
//
// Two floods: the plain server mix, and the same with help pages full of
// links. Each runs with link marking on (as shipped) and off. Reported:
// lines per second over the plain flood, and the longest time the event loop
// was kept from turning; and what marking costs on each flood, in CPU time. The
// pane is then compared with a console that laid out (and marked) every
// append on its own; a difference, links included, fails the run.
// The last line reads "lines_per_second=N max_stall_ms=M
// lines_per_second_links_off=N link_cost_percent=P link_cost_percent_help_pages=Q".
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <deque>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "console/ConsoleView.h"
#include "net/ConnectionParams.h"
#include "net/MainDispatch.h"
#include "net/Profile.h"
#include "net/ServerValues.h"
#include "net/StreamParser.h"
#include "net/TextStyles.h"
#include "net/qt/Kordane2Doc.h"

namespace {

constexpr int kLines = 100000;
constexpr size_t kReceiveSize = 4095;
// In the link-heavy flood one message in this many is a help page (five
// lines, about ten links), and a shout now and then carries a web address.
constexpr unsigned kHelpPageEvery = 20;

struct Flood {
    std::string bytes;
    int lines = 0;
};

Flood MakeFlood(bool helpPages) {
    std::mt19937 rng(20260412);
    const std::string e = "\x19";
    const char* names[] = {"alice", "bob", "Carla", "dmitri", "GuestXKCD", "zz9"};
    const char* words[] = {"the",    "knight", "tournament", "starts", "at", "blitz", "rated",
                           "anyone", "for",    "a",          "game?",  "3",  "0",     "gg"};
    auto pick = [&rng](auto& array) { return array[rng() % std::size(array)]; };
    auto sentence = [&] {
        std::string s;
        const int n = 3 + static_cast<int>(rng() % 10);
        for (int i = 0; i < n; ++i) s += std::string(i ? " " : "") + pick(words);
        return s;
    };
    Flood flood;
    int tag = 1;
    const char* sites[] = {"www.vcx-server.net.", "http://www.vcx-server.net/news,",
                           "(https://example.org/a/b)", "ftp://files.example.org/pgn.."};
    const char* topics[] = {"intro", "finger", "vars", "history", "stored", "notify"};
    while (flood.lines < kLines) {
        if (helpPages && rng() % kHelpPageEvery == 0) {
            // A help page, as the reply to a command.
            flood.bytes +=
                e + "[" + std::to_string(rng() % 200) + " * " + std::to_string(tag++ % 40) + "\n";
            flood.bytes += "  " + sentence() + " at " + pick(sites) + " " + sentence() + "\n";
            flood.bytes += "  Type \"help " + std::string(pick(topics)) + "\" or \"finger " +
                           pick(names) + "\" and then \"more\".\n";
            flood.bytes += "see also: " + std::string(pick(topics)) + ", " + pick(topics) + ", " +
                           pick(topics) + ",\n";
            flood.bytes += "          " + std::string(pick(topics)) + ", " + pick(topics) + "\n";
            flood.bytes += "[type \"more\" to continue]\n";
            flood.bytes += e + "]";
            flood.lines += 5;
            continue;
        }
        switch (rng() % 9) {
            case 0:
            case 1:
                flood.bytes += sentence() + "\n";
                flood.lines += 1;
                break;
            case 2: {
                const int body = 1 + static_cast<int>(rng() % 5);
                flood.bytes += e + "[" + std::to_string(rng() % 200) + " * " +
                               std::to_string(tag++ % 40) + "\n";
                for (int i = 0; i < body; ++i) flood.bytes += "  " + sentence() + "\n";
                flood.bytes += e + "]";
                flood.lines += body;
                break;
            }
            case 3:
                flood.bytes += e + "(31 " + pick(names) + " {} {" + sentence() + "} " +
                               std::to_string(rng() % 5) + e + ")";
                flood.lines += 1;
                break;
            case 4:
                flood.bytes +=
                    e + "(32 " + pick(names) + " {GM} " + std::to_string(rng() % 4) + " {" +
                    sentence() +
                    (helpPages && rng() % 4 == 0 ? std::string(" see ") + pick(sites) : "") + "}" +
                    e + ")";
                flood.lines += 1;
                break;
            case 5:
                flood.bytes += e + "(26 7 " + pick(names) + " {} " + std::to_string(rng() % 2) +
                               " {" + sentence() + "}" + e + ")";
                flood.lines += 1;
                break;
            default:
                flood.bytes += e + "(28 " + std::to_string(rng() % 60) + " " + pick(names) +
                               " {} {" + sentence() + "} 0" + e + ")";
                flood.lines += 1;
                break;
        }
    }
    return flood;
}

// The same dispatch into a console that lays out every append at once.
class OneByOne : public IStreamParserHost, public IMainConsoleHost {
  public:
    OneByOne() : m_parser(*this), m_dispatch(*this, m_parser, m_params, m_values) {
        m_parser.SetMainSink(&m_dispatch);
    }
    void Feed(const std::string& bytes) {
        for (size_t i = 0; i < bytes.size(); i += kReceiveSize) {
            m_parser.ProcessBytes(bytes.data() + i, std::min(kReceiveSize, bytes.size() - i));
            while (!m_queue.empty()) {
                auto message = std::move(m_queue.front());
                m_queue.pop_front();
                m_parser.Dispatch(std::move(message));
            }
        }
    }
    CConsoleWnd& Console() { return m_console; }

  private:
    bool IsConnected() const override { return true; }
    void SendToServer(std::string_view) override {}
    void ShowStatus(StatusText) override {}
    void PostMessage(std::unique_ptr<CServerMessage> m) override {
        m_queue.push_back(std::move(m));
    }
    bool LogsInAutomatically() const override { return false; }
    void ShowConsoleText(std::string_view text) override {
        Show(text, m_styles.ColourFor(nullptr));
    }
    void ShowMessageText(std::string_view text, const CServerMessage& message) override {
        Show(text, m_styles.ColourFor(&message));
    }
    void Show(std::string_view text, uint32_t word) {
        m_console.AppendStyled(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                               word);
        m_console.FlushPending();
    }

    CStreamParser m_parser;
    ConnectionParams m_params;
    ServerValues m_values;
    CMainDispatch m_dispatch;
    CTextStyles m_styles;
    CConsoleWnd m_console;
    std::deque<std::unique_ptr<CServerMessage>> m_queue;
};

// Text and style of every fragment, for an exact comparison.
QString Dump(const QTextDocument& document) {
    QString out;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            out += QStringLiteral("[%1 %2 %3 %4]")
                       .arg(f.foreground().color().name())
                       .arg(f.fontWeight())
                       .arg(f.fontItalic())
                       .arg(f.isAnchor() ? f.anchorHref() : QString());
            out += it.fragment().text();
        }
        out += QLatin1Char('\n');
    }
    return out;
}

struct Result {
    double linesPerSecond = 0;
    double maxStallMs = 0;
    double linesPerCpuSecond = 0;
    bool identical = false;
};
// [flood][links]: flood 0 the plain server mix, 1 with help pages; links 0
// marked, 1 off.
Result g_results[2][2];

void BM_ConsoleFlood(benchmark::State& state) {
    const bool linksOff = state.range(0) != 0;
    const bool helpPages = state.range(1) != 0;
    CConsoleWnd::SetLinksDisabledForNewConsoles(linksOff);
    const Flood flood = MakeFlood(helpPages);
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("kordane-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    for (auto _ : state) {
        CProfile profile((folder / "settings.ini").string());
        CKordane2Doc doc(profile);
        CConsoleView view(doc, {});
        view.resize(900, 700);
        view.show();
        doc.Parser().SetMainSink(&view);
        QApplication::processEvents();

        size_t offset = 0;
        qint64 lastTurn = 0;
        qint64 maxGap = 0;
        QElapsedTimer clock;
        QTimer socket;
        socket.setInterval(0);
        QObject::connect(&socket, &QTimer::timeout, [&] {
            const qint64 now = clock.nsecsElapsed();
            maxGap = std::max(maxGap, now - lastTurn);
            lastTurn = now;
            if (offset < flood.bytes.size()) {
                const size_t n = std::min(kReceiveSize, flood.bytes.size() - offset);
                doc.Parser().ProcessBytes(flood.bytes.data() + offset, n);
                offset += n;
            }
        });
        const std::clock_t cpuStart = std::clock();
        clock.start();
        socket.start();
        // Done when every byte went in and the pane shows the last line.
        int quietTurns = 0;
        while (quietTurns < 3) {
            QApplication::processEvents(QEventLoop::AllEvents);
            quietTurns = offset >= flood.bytes.size() ? quietTurns + 1 : 0;
        }
        QApplication::processEvents();
        const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        // On a shared machine the wall clock also counts other programs.
        const double cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        socket.stop();

        OneByOne reference;
        reference.Feed(flood.bytes);
        // The best of the repetitions: what other programs cost only slows.
        Result& best = g_results[helpPages ? 1 : 0][linksOff ? 1 : 0];
        Result result;
        result.identical =
            Dump(*view.Pane()->document()) == Dump(*reference.Console().Text()->document());
        result.linesPerSecond = flood.lines / seconds;
        result.maxStallMs = static_cast<double>(maxGap) / 1e6;
        result.linesPerCpuSecond = flood.lines / cpuSeconds;
        if (best.linesPerCpuSecond == 0 || !result.identical) {
            best = result;
        } else if (best.identical) {
            best.linesPerSecond = std::max(best.linesPerSecond, result.linesPerSecond);
            best.maxStallMs = std::min(best.maxStallMs, result.maxStallMs);
            best.linesPerCpuSecond = std::max(best.linesPerCpuSecond, result.linesPerCpuSecond);
        }
        state.counters["lines_per_second"] = result.linesPerSecond;
        state.counters["max_stall_ms"] = result.maxStallMs;
        state.counters["lines_per_cpu_second"] = result.linesPerCpuSecond;
        state.counters["pane_lines"] = view.Pane()->document()->blockCount();
        state.counters["identical"] = result.identical ? 1 : 0;
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ConsoleFlood)
    ->ArgNames({"links_off", "help_pages"})
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (!std::getenv("XDG_RUNTIME_DIR")) setenv("XDG_RUNTIME_DIR", "/tmp", 0);
    QApplication app(argc, argv);
    // On and off take turns, so that a busy spell of the machine does not
    // fall on one of them only.
    std::vector<char*> args(argv, argv + argc);
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, interleave);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (const auto& flood : g_results) {
        for (const Result& result : flood) {
            if (!result.identical) {
                std::fprintf(stderr,
                             "the coalesced pane differs from one laid out append by append\n");
                return 1;
            }
        }
    }
    // CPU time, not the wall clock: the machine is shared.
    const auto cost = [](const Result(&flood)[2]) {
        const Result& on = flood[0];
        const Result& off = flood[1];
        return off.linesPerCpuSecond > 0 && on.linesPerCpuSecond > 0
                   ? (off.linesPerCpuSecond / on.linesPerCpuSecond - 1) * 100
                   : 0;
    };
    const Result& on = g_results[0][0];
    std::printf(
        "lines_per_second=%.0f max_stall_ms=%.1f lines_per_second_links_off=%.0f "
        "link_cost_percent=%.1f link_cost_percent_help_pages=%.1f\n",
        on.linesPerSecond, on.maxStallMs, g_results[0][1].linesPerSecond, cost(g_results[0]),
        cost(g_results[1]));
    return 0;
}
