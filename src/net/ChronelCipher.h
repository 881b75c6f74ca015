// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The reversible byte cipher shared by the Chronel stream transformation and
// the password stored in ".kd2" connection files.
//
// A xorshift32 generator gives one key byte per data byte; the plain byte is
// XORed with it and then folded back into the generator state (autokey), so
// two streams stay in step only while both sides have seen the same bytes.
// Encipher and Decipher must be called in the same order on both sides.
//
//   state starts as key (a key of 0 is replaced by 0x9E3779B9)
//   per byte: state ^= state << 13; state ^= state >> 17; state ^= state << 5;
//             k = (state >> 24) & 0xFF
//             cipher = plain ^ k
//             state ^= plain * 0x01000193   (32-bit wrap)
class ChronelCipher {
  public:
    explicit ChronelCipher(uint32_t key);

    uint8_t Encipher(uint8_t plain);
    uint8_t Decipher(uint8_t cipher);

    // The key that scrambles saved passwords: fixed, because a connection
    // file need only be readable by this program, not secret from its user.
    static constexpr uint32_t kPasswordKey = 0x4B443253;  // "KD2S"
    static std::string ScramblePassword(std::string_view plain);
    static std::string UnscramblePassword(std::string_view scrambled);

  private:
    uint8_t NextKey();
    void Absorb(uint8_t plain);

    uint32_t m_state;
};
