// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// The template buffer of a server dialog, filled by DG_DIALOG_DATA.
// Every byte travels as two characters, high half first, each carrying its
// code minus one modulo 16 ('A'..'P' are 0..15).
class CDialogBytes {
  public:
    struct AppendResult {
        bool oddLength = false;   // warn: the last character paired with a zero
        std::size_t dropped = 0;  // decoded bytes beyond the buffer's end
    };

    // The buffer is the announced size rounded up to a multiple of 4; the
    // server may announce at most 64 MiB, so the rounding cannot overflow.
    explicit CDialogBytes(std::uint32_t templateSize);

    AppendResult Append(std::string_view chars);

    const std::vector<std::uint8_t>& Buffer() const { return m_buffer; }
    std::size_t WritePosition() const { return m_writePosition; }
    std::uint32_t TemplateSize() const { return m_templateSize; }
    // The announced size was refused; the caller reports the lack of memory.
    bool TooLarge() const { return m_tooLarge; }

    // DG_DIALOG_BEGIN's size field as an unsigned decimal number; anything
    // that is not one reads as too large to hold.
    static std::uint32_t AnnouncedSize(std::string_view field);
    static std::uint8_t DecodePair(unsigned char high, unsigned char low);
    // Larger announcements are refused rather than allocated.
    static constexpr std::uint32_t kMaxTemplateSize = 64u * 1024u * 1024u;

  private:
    std::uint32_t m_templateSize = 0;
    bool m_tooLarge = false;
    std::vector<std::uint8_t> m_buffer;
    std::size_t m_writePosition = 0;
};
