// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "chess/PgnTokenizer.h"

namespace {

constexpr bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
constexpr bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
constexpr bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Symbol characters after the first: letters, digits and "=_-+#!?@".
struct SymbolTable {
    bool inSymbol[256] = {};
    constexpr SymbolTable() {
        for (int c = 0; c < 256; ++c) {
            const char ch = static_cast<char>(c);
            inSymbol[c] = IsLetter(ch) || IsDigit(ch);
        }
        for (const char* p = "=_-+#!?@"; *p; ++p) inSymbol[static_cast<unsigned char>(*p)] = true;
    }
};
constexpr SymbolTable kSymbols;

bool InSymbol(char c) {
    return kSymbols.inSymbol[static_cast<unsigned char>(c)];
}

}  // namespace

PgnTokenizer::PgnTokenizer(char* text, size_t size) : m_begin(text), m_pos(text) {
    text[size] = '\0';
}

bool PgnTokenizer::AtLineStart() const {
    if (m_pos == m_begin) return true;
    const char before = m_pos - 1 == m_savedAt ? m_saved : m_pos[-1];
    return before == '\n';
}

void PgnTokenizer::SkipToLineEnd() {
    while (At() != '\0' && At() != '\n') ++m_pos;
}

void PgnTokenizer::SkipComment() {
    // At "{". Nested braces are counted, so "{a {b} c}" is one comment.
    int depth = 0;
    for (char c = At(); c != '\0'; c = At()) {
        ++m_pos;
        if (c == '{') {
            ++depth;
        } else if (c == '}' && --depth == 0) {
            return;
        }
    }
}

void PgnTokenizer::SkipVariation() {
    // At "(". Comments inside a variation are skipped as comments, so that a
    // ")" or "(" written in one does not end or open a variation.
    int depth = 0;
    for (char c = At(); c != '\0'; c = At()) {
        if (c == '{') {
            SkipComment();
            continue;
        }
        if (c == ';') {
            SkipToLineEnd();
            continue;
        }
        ++m_pos;
        if (c == '(') {
            ++depth;
        } else if (c == ')' && --depth == 0) {
            return;
        }
    }
}

bool PgnTokenizer::SkipCommentary() {
    const char c = At();
    if (IsSpace(c)) {
        ++m_pos;
    } else if (c == '%' && AtLineStart()) {
        SkipToLineEnd();
    } else if (c == ';') {
        SkipToLineEnd();
    } else if (c == '{') {
        SkipComment();
    } else if (c == '(') {
        SkipVariation();
    } else if (c == '$' && IsDigit(At(1))) {
        ++m_pos;
        while (IsDigit(At())) ++m_pos;
    } else {
        return false;
    }
    return true;
}

bool PgnTokenizer::Starts(const char* literal) const {
    for (size_t i = 0; literal[i] != '\0'; ++i) {
        if (At(i) != literal[i]) return false;
    }
    return true;
}

PgnTokenizer::Token PgnTokenizer::ReadSymbol() {
    // The first character was checked through At(); the rest lie ahead of
    // any cut, so they are read directly.
    char* start = m_pos;
    ++m_pos;
    while (InSymbol(*m_pos)) ++m_pos;
    m_text = start;
    if (*m_pos != '\0') {
        m_savedAt = m_pos;
        m_saved = *m_pos;
        *m_pos = '\0';
    }
    return kSymbol;
}

PgnTokenizer::Token PgnTokenizer::ReadString() {
    ++m_pos;  // the opening quote
    char* out = m_pos;
    m_text = out;
    for (;;) {
        const char c = At();
        if (c == '\0') {
            *out = '\0';
            return kString;
        }
        if (c == '"') {
            ++m_pos;
            *out = '\0';
            return kString;
        }
        if (c == '\n') {
            // A value cannot span lines: an unclosed quote ends with its line,
            // so one bad tag does not swallow the games after it.
            m_savedAt = m_pos;
            m_saved = c;
            *out = '\0';
            return kString;
        }
        if (c == '\\' && (At(1) == '"' || At(1) == '\\')) {
            *out++ = At(1);
            m_pos += 2;
            continue;
        }
        *out++ = c;
        ++m_pos;
    }
}

PgnTokenizer::Token PgnTokenizer::Next() {
    while (SkipCommentary()) {
    }
    const char c = At();
    if (c == '\0') return kEnd;
    if (c == '1') {
        if (Starts("1-0") || Starts("1:0")) {
            m_pos += 3;
            return kWhiteWins;
        }
        if (Starts("1/2")) {
            m_pos += (Starts("1/2-1/2") || Starts("1/2:1/2")) ? 7 : 3;
            return kDraw;
        }
    } else if (c == '0') {
        if (Starts("0-1") || Starts("0:1")) {
            m_pos += 3;
            return kBlackWins;
        }
        if (Starts("0-0")) return ReadSymbol();
    }
    switch (c) {
        case '*':
            ++m_pos;
            return kUnknown;
        case '[':
            ++m_pos;
            return kOpenBracket;
        case ']':
            ++m_pos;
            return kCloseBracket;
        case '"':
            return ReadString();
        case '.':
            while (At() == '.') ++m_pos;
            return kDots;
        default:
            break;
    }
    if (IsDigit(c)) {
        while (IsDigit(At())) ++m_pos;
        return kMoveNumber;
    }
    if (IsLetter(c) || c == '_') return ReadSymbol();
    ++m_pos;
    return kOther;
}
