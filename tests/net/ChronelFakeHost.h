// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "net/Chronel.h"
#include "net/ChronelServerSession.h"

// A Chronel host with a clock the test moves by hand and a timer it fires
// by hand, and a client/server pair joined in memory: what the client sends
// is fed to a ChronelServerSession and what that session answers comes back
// through the client's filter, as over a socket.
class ChronelFakeHost : public IChronelHost {
  public:
    void SendRaw(std::string_view bytes) override { sent += bytes; }
    void ShowChronelText(std::string_view text) override { console.emplace_back(text); }
    uint32_t TickCount() override { return now; }
    bool StartAlarmTimer(uint32_t intervalMs) override {
        starts.push_back(intervalMs);
        if (timerWorks) timerRunning = true;
        return timerWorks;
    }
    void StopAlarmTimer() override {
        ++stops;
        timerRunning = false;
    }
    bool HasAlarmWindow() override { return window; }
    uint32_t HandshakeNonce() override { return nonce; }
    bool TakeFilterOutput(std::string_view bytes) override {
        if (!takesOutput) return false;
        taken.push_back(std::string(bytes));
        return true;
    }

    std::string sent;
    std::vector<std::string> console;
    uint32_t now = 1000;
    std::vector<uint32_t> starts;
    int stops = 0;
    bool timerWorks = true;
    bool timerRunning = false;
    bool window = true;
    uint32_t nonce = 0x12345678;
    bool takesOutput = false;
    std::vector<std::string> taken;
};

class ChronelLink {
  public:
    explicit ChronelLink(ChronelServerSession::FailAt fail = ChronelServerSession::FailAt::None)
        : server(fail, 0xCAFEF00D), m_client(std::make_unique<Chronel>(host)), client(*m_client) {}

    // What a reconnect does to the old filter; `client` is gone afterwards.
    void DestroyClient() { m_client.reset(); }

    // The server sends `plain` (through its session); returns what the
    // client's filter hands the parser, then lets the client's answers
    // reach the server.
    std::string ServerSends(std::string_view plain) {
        const std::string parsed = Deliver(server.Outgoing(plain));
        Pump();
        return parsed;
    }
    // Raw wire bytes from the server to the client.
    std::string Deliver(std::string_view wire) {
        std::string parsed;
        std::string_view out = client.Filter(wire.data(), wire.size());
        for (const std::string& part : host.taken) parsed += part;
        host.taken.clear();
        return parsed + std::string(out);
    }
    // Moves what the client sent to the server, and the server's handshake
    // replies back, until both are quiet.
    void Pump() {
        while (!host.sent.empty()) {
            std::string reply;
            received += server.Incoming(host.sent, reply);
            host.sent.clear();
            if (!reply.empty()) parsedDuringPump += Deliver(reply);
        }
    }
    // The handshake one message at a time, for tests that act in between:
    // "login: " to the client and its hello to the server; returns step 1.
    std::string StartHandshake() {
        client.Filter("login: ", 7);
        std::string step1;
        server.Incoming(host.sent, step1);
        host.sent.clear();
        return step1;
    }
    // Step 1 to the client and its answer to the server; returns what the
    // server replies (the check string and anything it held back).
    std::string AnswerStep1(std::string_view step1) {
        client.Filter(step1.data(), step1.size());
        std::string check;
        server.Incoming(host.sent, check);
        host.sent.clear();
        return check;
    }
    // "login: " and the whole handshake.
    void Login() {
        parsedDuringPump += Deliver("login: ");
        Pump();
    }

    ChronelFakeHost host;
    ChronelServerSession server;

  private:
    std::unique_ptr<Chronel> m_client;

  public:
    Chronel& client;
    std::string received;          // plain bytes the server's line reader got
    std::string parsedDuringPump;  // what the client's parser got meanwhile
};
