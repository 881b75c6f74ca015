// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "dialogs/DialogBytes.h"

CDialogBytes::CDialogBytes(std::uint32_t templateSize)
    : m_templateSize(templateSize > kMaxTemplateSize ? 0 : templateSize),
      m_tooLarge(templateSize > kMaxTemplateSize) {
    m_buffer.assign((std::size_t{m_templateSize} + 3) & ~std::size_t{3}, 0);
}

std::uint8_t CDialogBytes::DecodePair(unsigned char high, unsigned char low) {
    // Character code 0 gives (0 - 1) mod 16 = 15, as unsigned arithmetic does.
    const unsigned h = (static_cast<unsigned>(high) - 1u) & 0x0Fu;
    const unsigned l = (static_cast<unsigned>(low) - 1u) & 0x0Fu;
    return static_cast<std::uint8_t>(h * 16u + l);
}

CDialogBytes::AppendResult CDialogBytes::Append(std::string_view chars) {
    AppendResult result;
    result.oddLength = (chars.size() % 2) != 0;
    for (std::size_t i = 0; i < chars.size(); i += 2) {
        const auto high = static_cast<unsigned char>(chars[i]);
        // An odd string's last character pairs with its terminating zero.
        const auto low = i + 1 < chars.size() ? static_cast<unsigned char>(chars[i + 1]) : '\0';
        if (m_writePosition >= m_buffer.size()) {
            ++result.dropped;
            continue;
        }
        m_buffer[m_writePosition++] = DecodePair(high, low);
    }
    return result;
}

std::uint32_t CDialogBytes::AnnouncedSize(std::string_view field) {
    constexpr std::uint32_t kRefused = kMaxTemplateSize + 1u;
    std::uint32_t size = 0;
    for (const char c : field) {
        if (c < '0' || c > '9' || size > kMaxTemplateSize) return kRefused;
        size = size * 10 + static_cast<std::uint32_t>(c - '0');
    }
    return size > kMaxTemplateSize ? kRefused : size;
}
