// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The messages and derived values of the Chronel handshake, shared by the
// client (`Chronel`) and the server's end (`ChronelServerSession`) so that
// both compute keys, proof and check string the same way. docs/chronel.md
// lays the messages out byte by byte.
//
//   client hello   0xCB 0x01 clientNonce(LE32)          after "login: "
//   server step 1  0xCC 0x01 serverNonce(LE32)          or 0xCD: refused
//   client answer  0xCE proof(LE32)
//   server check   0xCF eight lower-case hex digits     then both sides transform
class ChronelHandshake {
  public:
    static constexpr uint8_t kHello = 0xCB;
    static constexpr uint8_t kAccept = 0xCC;
    static constexpr uint8_t kRefuse = 0xCD;
    static constexpr uint8_t kAnswer = 0xCE;
    static constexpr uint8_t kCheck = 0xCF;
    static constexpr uint8_t kVersion = 0x01;
    static constexpr size_t kHelloSize = 6;
    static constexpr size_t kStep1Size = 6;
    static constexpr size_t kAnswerSize = 5;
    static constexpr size_t kCheckSize = 9;

    ChronelHandshake(uint32_t clientNonce, uint32_t serverNonce);

    // FNV-1a (32 bit) over the four label bytes, the client nonce and the
    // server nonce, both little-endian.
    static uint32_t Mix(std::string_view label, uint32_t clientNonce, uint32_t serverNonce);

    uint32_t ClientToServerKey() const { return Mix("C2S:", m_client, m_server); }
    uint32_t ServerToClientKey() const { return Mix("S2C:", m_client, m_server); }
    uint32_t Proof() const { return Mix("ANSR", m_client, m_server); }

    static std::string Hello(uint32_t clientNonce);
    static std::string Step1(uint32_t serverNonce);
    std::string Answer() const;
    std::string CheckString() const;
    // A check string no client accepts (its digits are not hexadecimal).
    static std::string BadCheckString();

    static void PutLe32(std::string& out, uint32_t value);
    static uint32_t GetLe32(const unsigned char* bytes);

  private:
    uint32_t m_client;
    uint32_t m_server;
};
