// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <cstdint>

// A text style in one 32-bit word, as the settings file stores it: the colour
// in the low 24 bits with red in the lowest byte (0x00BBGGRR), then a bold bit
// and an italic bit. The upper six bits mean nothing and stay zero.
namespace ColourWord {

inline constexpr uint32_t kRgbMask = 0x00ffffffu;
inline constexpr uint32_t kBold = 1u << 24;
inline constexpr uint32_t kItalic = 1u << 25;
inline constexpr uint32_t kUsedBits = kRgbMask | kBold | kItalic;

constexpr uint32_t Make(int red, int green, int blue, bool bold = false, bool italic = false) {
    return (static_cast<uint32_t>(red) & 0xff) | (static_cast<uint32_t>(green) & 0xff) << 8 |
           (static_cast<uint32_t>(blue) & 0xff) << 16 | (bold ? kBold : 0) | (italic ? kItalic : 0);
}
constexpr int Red(uint32_t word) {
    return static_cast<int>(word & 0xff);
}
constexpr int Green(uint32_t word) {
    return static_cast<int>(word >> 8 & 0xff);
}
constexpr int Blue(uint32_t word) {
    return static_cast<int>(word >> 16 & 0xff);
}
constexpr bool Bold(uint32_t word) {
    return (word & kBold) != 0;
}
constexpr bool Italic(uint32_t word) {
    return (word & kItalic) != 0;
}

}  // namespace ColourWord
