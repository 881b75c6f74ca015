// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "net/ChronelCipher.h"

ChronelCipher::ChronelCipher(uint32_t key) : m_state(key ? key : 0x9E3779B9u) {}

uint8_t ChronelCipher::NextKey() {
    m_state ^= m_state << 13;
    m_state ^= m_state >> 17;
    m_state ^= m_state << 5;
    return static_cast<uint8_t>(m_state >> 24);
}

void ChronelCipher::Absorb(uint8_t plain) {
    m_state ^= static_cast<uint32_t>(plain) * 0x01000193u;
    // xorshift has one fixed point; never let the state fall into it.
    if (m_state == 0) m_state = 0x9E3779B9u;
}

uint8_t ChronelCipher::Encipher(uint8_t plain) {
    const uint8_t out = plain ^ NextKey();
    Absorb(plain);
    return out;
}

uint8_t ChronelCipher::Decipher(uint8_t cipher) {
    const uint8_t plain = cipher ^ NextKey();
    Absorb(plain);
    return plain;
}

std::string ChronelCipher::ScramblePassword(std::string_view plain) {
    ChronelCipher cipher(kPasswordKey);
    std::string out(plain);
    for (char& c : out) c = static_cast<char>(cipher.Encipher(static_cast<uint8_t>(c)));
    return out;
}

std::string ChronelCipher::UnscramblePassword(std::string_view scrambled) {
    ChronelCipher cipher(kPasswordKey);
    std::string out(scrambled);
    for (char& c : out) c = static_cast<char>(cipher.Decipher(static_cast<uint8_t>(c)));
    return out;
}
