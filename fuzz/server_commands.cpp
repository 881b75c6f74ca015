// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Client bytes into the test server's session logic, without sockets: up to
// six clients connect, send chunks, finish, go away, and let the server's
// clock run on (game clocks, flags) in an order the input chooses. No input may crash, hang or
// overrun; and whatever the clients say, the server's own output to a plain client must only hold
// escape pairs the client's parser knows, balanced level-1 blocks, and never the byte 0x1A.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "AccountStore.h"
#include "ServerCore.h"
#include "Transcript.h"

namespace {

const AccountStore& Accounts() {
    static const AccountStore store = [] {
        std::string error;
        auto parsed = AccountStore::Parse("Magnus carlsen1 GM 2800\nTester test1 - -\n", error);
        return parsed ? *parsed : AccountStore{};
    }();
    return store;
}

void CheckOutput(ClientSession& session) {
    std::string& out = session.Outbox();
    if (session.ChronelMode() != ChronelServerSession::Mode::Chronel) {
        int depth = 0;
        for (size_t i = 0; i < out.size(); ++i) {
            if (out[i] == '\x1a') __builtin_trap();
            if (out[i] != '\x19') continue;
            if (i + 1 == out.size()) __builtin_trap();
            const char next = out[++i];
            if (std::string_view("()<>{}[]").find(next) == std::string_view::npos) __builtin_trap();
            if (next == '[') ++depth;
            if (next == ']' && --depth < 0) __builtin_trap();
        }
        // A block opens and closes within the handling of one line.
        if (depth != 0) __builtin_trap();
    }
    out.clear();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Transcript transcript;
    int64_t now = 0;
    ServerCore::Options options;
    options.clock = [&now] { return now; };
    ServerCore core(Accounts(), transcript, options);
    std::vector<int> clients = {core.Connect(), core.Connect()};
    size_t i = 0;
    while (i < size && !clients.empty()) {
        const uint8_t op = data[i++];
        const size_t who = (op >> 3) % clients.size();
        const int id = clients[who];
        switch (op & 7) {
            case 4: {
                const int64_t seconds = i < size ? data[i++] : 0;
                now += seconds * 1000;
                core.Tick();
                break;
            }
            case 5:
                core.PeerFinished(id);
                break;
            case 6:
                if (clients.size() < 6) clients.push_back(core.Connect());
                break;
            case 7:
                core.Remove(id);
                clients.erase(clients.begin() + static_cast<std::ptrdiff_t>(who));
                break;
            default: {
                const size_t length = i < size ? data[i++] : 0;
                const size_t take = std::min(length, size - i);
                core.Receive(id, std::string_view(reinterpret_cast<const char*>(data + i), take));
                i += take;
                break;
            }
        }
        for (size_t k = 0; k < clients.size();) {
            ClientSession* session = core.Find(clients[k]);
            if (session == nullptr) __builtin_trap();
            CheckOutput(*session);
            if (session->CloseRequest() != ClientSession::Close::None) {
                core.Remove(clients[k]);
                clients.erase(clients.begin() + static_cast<std::ptrdiff_t>(k));
            } else {
                ++k;
            }
        }
    }
    return 0;
}
