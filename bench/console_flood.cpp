// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// A visible main console (offscreen platform) flooded with 100,000 server
// lines of every text class: plain text, level-1 answers, tells, shouts,
// s-shouts, announcements, kibitzes and channel lines, some on channels with
// a colour of their own. The bytes reach the parser one socket read (4095
// bytes) per event-loop turn, as the socket notifier delivers them, and go
// through the real dispatch into the pane with its 1050-line limit.
//
// Reported: lines per second over the whole flood, and the longest time the
// event loop was kept from turning. The pane is then compared with a console
// that laid out every append on its own; a difference fails the run.
// The last line reads "lines_per_second=N max_stall_ms=M".
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <deque>
#include <filesystem>
#include <random>
#include <string>

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

struct Flood {
    std::string bytes;
    int lines = 0;
};

Flood MakeFlood() {
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
    while (flood.lines < kLines) {
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
                flood.bytes += e + "(32 " + pick(names) + " {GM} " + std::to_string(rng() % 4) +
                               " {" + sentence() + "}" + e + ")";
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
            out += QStringLiteral("[%1 %2 %3]")
                       .arg(f.foreground().color().name())
                       .arg(f.fontWeight())
                       .arg(f.fontItalic());
            out += it.fragment().text();
        }
        out += QLatin1Char('\n');
    }
    return out;
}

double g_linesPerSecond = 0;
double g_maxStallMs = 0;
bool g_identical = false;

void BM_ConsoleFlood(benchmark::State& state) {
    const Flood flood = MakeFlood();
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
        g_identical =
            Dump(*view.Pane()->document()) == Dump(*reference.Console().Text()->document());
        g_linesPerSecond = flood.lines / seconds;
        g_maxStallMs = static_cast<double>(maxGap) / 1e6;
        state.counters["lines_per_second"] = g_linesPerSecond;
        state.counters["max_stall_ms"] = g_maxStallMs;
        state.counters["lines_per_cpu_second"] = flood.lines / cpuSeconds;
        state.counters["pane_lines"] = view.Pane()->document()->blockCount();
        state.counters["identical"] = g_identical ? 1 : 0;
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ConsoleFlood)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (!std::getenv("XDG_RUNTIME_DIR")) setenv("XDG_RUNTIME_DIR", "/tmp", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (!g_identical) {
        std::fprintf(stderr, "the coalesced pane differs from one laid out append by append\n");
        return 1;
    }
    std::printf("lines_per_second=%.0f max_stall_ms=%.1f\n", g_linesPerSecond, g_maxStallMs);
    return 0;
}
