// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "net/ChronelHandshake.h"

ChronelHandshake::ChronelHandshake(uint32_t clientNonce, uint32_t serverNonce)
    : m_client(clientNonce), m_server(serverNonce) {}

uint32_t ChronelHandshake::Mix(std::string_view label, uint32_t clientNonce, uint32_t serverNonce) {
    std::string bytes(label.substr(0, 4));
    bytes.resize(4, '\0');
    PutLe32(bytes, clientNonce);
    PutLe32(bytes, serverNonce);
    uint32_t hash = 0x811C9DC5u;
    for (char c : bytes) {
        hash ^= static_cast<uint8_t>(c);
        hash *= 0x01000193u;
    }
    return hash;
}

std::string ChronelHandshake::Hello(uint32_t clientNonce) {
    std::string out{static_cast<char>(kHello), static_cast<char>(kVersion)};
    PutLe32(out, clientNonce);
    return out;
}

std::string ChronelHandshake::Step1(uint32_t serverNonce) {
    std::string out{static_cast<char>(kAccept), static_cast<char>(kVersion)};
    PutLe32(out, serverNonce);
    return out;
}

std::string ChronelHandshake::Answer() const {
    std::string out{static_cast<char>(kAnswer)};
    PutLe32(out, Proof());
    return out;
}

std::string ChronelHandshake::CheckString() const {
    static constexpr char kHex[] = "0123456789abcdef";
    const uint32_t value = Mix("CHCK", m_client, m_server);
    std::string out{static_cast<char>(kCheck)};
    for (int shift = 28; shift >= 0; shift -= 4) out += kHex[(value >> shift) & 0xF];
    return out;
}

std::string ChronelHandshake::BadCheckString() {
    return std::string{static_cast<char>(kCheck)} + "xxxxxxxx";
}

void ChronelHandshake::PutLe32(std::string& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

uint32_t ChronelHandshake::GetLe32(const unsigned char* bytes) {
    return static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
           (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}
