// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "LineSplitter.h"

LineSplitter::LineSplitter(size_t maxLine) : m_maxLine(maxLine) {}

void LineSplitter::Feed(std::string_view bytes, std::vector<Line>& out) {
    while (!bytes.empty()) {
        const size_t newline = bytes.find('\n');
        const std::string_view piece = bytes.substr(0, newline);
        if (!m_overflow) {
            const size_t room = m_maxLine - m_current.size();
            if (piece.size() > room) {
                m_current.append(piece.substr(0, room));
                m_overflow = true;
            } else {
                m_current.append(piece);
            }
        }
        if (newline == std::string_view::npos) return;
        out.push_back(Line{std::move(m_current), m_overflow});
        m_current.clear();
        m_overflow = false;
        bytes.remove_prefix(newline + 1);
    }
}
