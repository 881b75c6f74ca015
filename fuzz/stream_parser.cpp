// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Server bytes through the parser and the main console's dispatch. Besides
// memory errors it checks one invariant: however the stream is cut into
// receives, the datagrams that come out are the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <string>
#include <vector>

#include "net/ConnectionParams.h"
#include "net/MainDispatch.h"
#include "net/ServerValues.h"
#include "net/StreamParser.h"

namespace {

class Host : public IStreamParserHost, public IMainConsoleHost {
  public:
    bool IsConnected() const override { return true; }
    void SendToServer(std::string_view) override {}
    void ShowStatus(StatusText) override {}
    void PostMessage(std::unique_ptr<CServerMessage> m) override { queue.push_back(std::move(m)); }
    bool DebugEnabled() const override { return debug; }
    void ShowConsoleText(std::string_view text) override { shown += text.size(); }
    bool LogsInAutomatically() const override { return true; }

    bool debug = false;
    size_t shown = 0;
    std::deque<std::unique_ptr<CServerMessage>> queue;
};

std::vector<std::string> Run(const uint8_t* data, size_t size, size_t chunk, bool debug) {
    Host host;
    host.debug = debug;
    CStreamParser parser(host);
    ConnectionParams params;
    // Game text must not pile up in files while fuzzing.
    params.gameLogFile = "/dev/null";
    ServerValues values;
    CMainDispatch dispatch(host, parser, params, values);
    parser.SetMainSink(&dispatch);
    std::vector<std::string> datagrams;
    for (size_t i = 0; i < size; i += chunk) {
        parser.ProcessBytes(reinterpret_cast<const char*>(data) + i, std::min(chunk, size - i));
        while (!host.queue.empty()) {
            auto m = std::move(host.queue.front());
            host.queue.pop_front();
            if (m->kind == CServerMessage::Datagram) {
                std::string line =
                    std::to_string(m->number) + "/" + m->header + "/" + std::to_string(m->tag);
                for (const auto& f : m->fields) line += "|" + f;
                datagrams.push_back(line);
            }
            parser.Dispatch(std::move(m));
        }
    }
    return datagrams;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const size_t chunk = 1 + data[0] % 64;
    const bool debug = data[0] & 0x80;
    ++data;
    --size;
    const auto whole = Run(data, size, size ? size : 1, debug);
    const auto pieces = Run(data, size, chunk, debug);
    if (whole != pieces) std::abort();
    return 0;
}
