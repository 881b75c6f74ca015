// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "chess/PgnScan.h"

#include <climits>

void PgnScan::SkipSpace() {
    while (m_pos < m_text.size() && IsSpace(m_text[m_pos])) ++m_pos;
}

bool PgnScan::Literal(std::string_view literal) {
    for (const char c : literal) {
        if (IsSpace(c)) {
            SkipSpace();
            continue;
        }
        if (m_pos >= m_text.size() || m_text[m_pos] != c) return false;
        ++m_pos;
    }
    return true;
}

bool PgnScan::Int(int& value) {
    SkipSpace();
    size_t p = m_pos;
    bool negative = false;
    if (p < m_text.size() && (m_text[p] == '-' || m_text[p] == '+')) {
        negative = m_text[p] == '-';
        ++p;
    }
    if (p >= m_text.size() || m_text[p] < '0' || m_text[p] > '9') return false;
    long long magnitude = 0;
    for (; p < m_text.size() && m_text[p] >= '0' && m_text[p] <= '9'; ++p) {
        if (magnitude <= static_cast<long long>(INT_MAX) + 1) {
            magnitude = magnitude * 10 + (m_text[p] - '0');
        }
    }
    const long long signedValue = negative ? -magnitude : magnitude;
    if (signedValue > INT_MAX) {
        value = INT_MAX;
    } else if (signedValue < INT_MIN) {
        value = INT_MIN;
    } else {
        value = static_cast<int>(signedValue);
    }
    m_pos = p;
    return true;
}

bool PgnScan::SkipInt() {
    int ignored = 0;
    return Int(ignored);
}

bool PgnScan::Char(char& c) {
    if (m_pos >= m_text.size()) return false;
    c = m_text[m_pos++];
    return true;
}

bool PgnScan::Word(size_t maxLength, std::string& word) {
    SkipSpace();
    const size_t start = m_pos;
    while (m_pos < m_text.size() && m_pos - start < maxLength && !IsSpace(m_text[m_pos])) ++m_pos;
    if (m_pos == start) return false;
    word.assign(m_text.substr(start, m_pos - start));
    return true;
}

int PgnScan::LeadingInt(std::string_view text) {
    int value = 0;
    PgnScan scan(text);
    return scan.Int(value) ? value : 0;
}
