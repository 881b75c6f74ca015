// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Server bytes into the client's Chronel filter. The first input byte picks
// the set-up: bit 0 completes a real handshake first (then the bytes are
// deciphered and decoded as wire bytes), bit 1 sends the bytes through the
// server's encoder instead (so they arrive as plain output: timing commands,
// long commands, prompts), bit 2 makes the host refuse early output, bit 3
// fires the alarm timer between chunks. The next bytes cut the rest into
// chunks. No input may crash, hang, overrun or hand out more than the
// output buffer holds when the host takes early output.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "net/Chronel.h"
#include "net/ChronelServerSession.h"

namespace {

class FuzzHost : public IChronelHost {
  public:
    void SendRaw(std::string_view bytes) override { sent += bytes; }
    void ShowChronelText(std::string_view) override {}
    uint32_t TickCount() override { return now; }
    bool StartAlarmTimer(uint32_t) override { return true; }
    void StopAlarmTimer() override {}
    uint32_t HandshakeNonce() override { return 0x0BADC0DE; }
    bool TakeFilterOutput(std::string_view bytes) override {
        if (bytes.size() != Chronel::kOutputSize) __builtin_trap();
        return takes;
    }

    std::string sent;
    uint32_t now = 0xFFFFF000u;  // close to the wrap
    bool takes = true;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const uint8_t mode = data[0];
    const size_t chunk = 1 + data[1] * 16;
    std::string_view rest(reinterpret_cast<const char*>(data) + 2, size - 2);

    FuzzHost host;
    host.takes = !(mode & 4);
    ChronelServerSession server(ChronelServerSession::FailAt::None, 0x5EED);
    Chronel client(host);
    client.Queue("level1=15\n");
    if (mode & 1) {
        const std::string prompt = "login: ";
        client.Filter(prompt.data(), prompt.size());
        for (int round = 0; round < 3 && !host.sent.empty(); ++round) {
            std::string reply;
            server.Incoming(host.sent, reply);
            host.sent.clear();
            client.Filter(reply.data(), reply.size());
        }
        if (!client.HandshakeDone()) __builtin_trap();
    }
    while (!rest.empty()) {
        const std::string_view piece = rest.substr(0, chunk);
        rest.remove_prefix(piece.size());
        const std::string wire = (mode & 3) == 3 ? server.Outgoing(piece) : std::string(piece);
        const std::string_view out = client.Filter(wire.data(), wire.size());
        if (host.takes && out.size() > Chronel::kOutputSize) __builtin_trap();
        host.now += 997;
        if (mode & 8) client.OnAlarmTimer();
        if (client.LoginPromptSeen()) client.ClearLoginPrompt();
        client.Queue("x\n");
        host.sent.clear();
    }
    return 0;
}
