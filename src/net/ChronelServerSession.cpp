// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "net/ChronelServerSession.h"

#include <algorithm>
#include <cstdint>
#include <random>

#include "net/ChronelCipher.h"
#include "net/ChronelEncoder.h"
#include "net/ChronelHandshake.h"

namespace {

// Output held back while a handshake is under way; a client that stalls in
// the handshake must not make the server hoard without limit.
constexpr size_t kHeldLimit = 1 << 20;

}  // namespace

struct ChronelServerSession::Impl {
    void HandshakeByte(char c, std::string& reply);
    void Refuse(std::string& reply);
    void Complete(std::string& reply);
    std::string Transform(std::string_view plain);

    FailAt fail = FailAt::None;
    uint32_t serverNonce = 0;
    Mode mode = Mode::Undecided;
    bool active = false;
    bool failed = false;
    bool helloDone = false;
    std::string message;
    std::optional<ChronelHandshake> handshake;
    ChronelCipher cipherIn{0};
    ChronelCipher cipherOut{0};
    ChronelEncoder encoder;
    std::string held;
};

void ChronelServerSession::Impl::Refuse(std::string& reply) {
    failed = true;
    // The client now passes our bytes straight on: what waited goes out plain.
    reply += held;
    held.clear();
}

void ChronelServerSession::Impl::Complete(std::string& reply) {
    reply += handshake->CheckString();
    cipherIn = ChronelCipher(handshake->ClientToServerKey());
    cipherOut = ChronelCipher(handshake->ServerToClientKey());
    active = true;
    if (!held.empty()) {
        reply += Transform(held);
        held.clear();
    }
}

void ChronelServerSession::Impl::HandshakeByte(char c, std::string& reply) {
    message += c;
    const auto* bytes = reinterpret_cast<const unsigned char*>(message.data());
    if (!helloDone) {
        if (message.size() == 2 && bytes[1] != ChronelHandshake::kVersion) {
            reply += static_cast<char>(ChronelHandshake::kRefuse);
            Refuse(reply);
            return;
        }
        if (message.size() < ChronelHandshake::kHelloSize) return;
        const uint32_t clientNonce = ChronelHandshake::GetLe32(bytes + 2);
        message.clear();
        if (fail == FailAt::Step1) {
            reply += static_cast<char>(ChronelHandshake::kRefuse);
            Refuse(reply);
            return;
        }
        handshake.emplace(clientNonce, serverNonce);
        helloDone = true;
        reply += ChronelHandshake::Step1(serverNonce);
        return;
    }
    const bool badStart = message.size() == 1 && bytes[0] != ChronelHandshake::kAnswer;
    if (!badStart && message.size() < ChronelHandshake::kAnswerSize) return;
    const bool proven = !badStart && ChronelHandshake::GetLe32(bytes + 1) == handshake->Proof();
    message.clear();
    if (!proven || fail == FailAt::CheckString) {
        reply += ChronelHandshake::BadCheckString();
        Refuse(reply);
        return;
    }
    Complete(reply);
}

std::string ChronelServerSession::Impl::Transform(std::string_view plain) {
    std::string out;
    encoder.Encode(plain, out);
    for (char& c : out) c = static_cast<char>(cipherOut.Encipher(static_cast<uint8_t>(c)));
    return out;
}

ChronelServerSession::ChronelServerSession(FailAt fail, std::optional<uint32_t> nonce)
    : m_impl(std::make_unique<Impl>()) {
    m_impl->fail = fail;
    if (nonce) {
        m_impl->serverNonce = *nonce;
    } else {
        std::random_device device;
        m_impl->serverNonce = static_cast<uint32_t>(device());
    }
}

ChronelServerSession::~ChronelServerSession() = default;

ChronelServerSession::Mode ChronelServerSession::GetMode() const {
    return m_impl->mode;
}

bool ChronelServerSession::Active() const {
    return m_impl->active;
}

bool ChronelServerSession::HandshakeFailed() const {
    return m_impl->failed;
}

std::string ChronelServerSession::Incoming(std::string_view bytes, std::string& reply) {
    Impl& d = *m_impl;
    std::string plain;
    for (char c : bytes) {
        if (d.mode == Mode::Undecided) {
            if (static_cast<uint8_t>(c) == ChronelHandshake::kHello) {
                d.mode = Mode::Chronel;
                d.message.assign(1, c);
                continue;
            }
            d.mode = Mode::Plain;
        }
        if (d.mode == Mode::Plain || d.failed) {
            plain += c;
        } else if (d.active) {
            plain += static_cast<char>(d.cipherIn.Decipher(static_cast<uint8_t>(c)));
        } else {
            d.HandshakeByte(c, reply);
        }
    }
    return plain;
}

std::string ChronelServerSession::Outgoing(std::string_view plain) {
    Impl& d = *m_impl;
    if (d.mode != Mode::Chronel || d.failed) return std::string(plain);
    if (d.active) return d.Transform(plain);
    d.held.append(plain.substr(0, kHeldLimit - std::min(kHeldLimit, d.held.size())));
    return {};
}

std::string ChronelServerSession::AlarmCommand(uint32_t delayMs, std::string_view text) {
    std::string out = "\x9E" + std::to_string(delayMs) + "\n";
    for (char c : text)
        if (c != '\x9D') out += c;
    return out + "\x9D";
}

std::string ChronelServerSession::EchoRequest(std::string_view text) {
    std::string out = "\x9C";
    for (char c : text)
        if (c != '\n') out += c;
    return out + "\n";
}

bool ChronelServerSession::SplitStamp(std::string_view line, uint32_t& ms, std::string_view& rest) {
    uint64_t value = 0;
    size_t i = 0;
    for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i) {
        value = value * 10 + static_cast<uint64_t>(line[i] - '0');
        if (i >= 10 || value > UINT32_MAX) return false;
    }
    if (i == 0 || i >= line.size() || line[i] != ' ') return false;
    ms = static_cast<uint32_t>(value);
    rest = line.substr(i + 1);
    return true;
}
