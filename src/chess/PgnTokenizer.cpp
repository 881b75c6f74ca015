// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "chess/PgnTokenizer.h"

namespace {

constexpr bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
constexpr bool IsSpace(char c) {
    return c == ' ' || c == '\n' || c == '\r' || c == '\t';
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

// Every skipper and reader below starts on a character that Next() has
// already looked at (through the saved character when a cut stands there),
// steps over it, and reads the rest of the buffer directly: a cut can only
// ever stand where Next() starts.

void PgnTokenizer::SkipToLineEnd() {
    ++m_pos;
    while (*m_pos != '\0' && *m_pos != '\n') ++m_pos;
}

void PgnTokenizer::SkipComment() {
    // At "{". Nested braces are counted, so "{a {b} c}" is one comment.
    ++m_pos;
    int depth = 1;
    for (char c = *m_pos; c != '\0'; c = *m_pos) {
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
    ++m_pos;
    int depth = 1;
    for (char c = *m_pos; c != '\0'; c = *m_pos) {
        if (c == '{') {
            SkipComment();
        } else if (c == ';') {
            SkipToLineEnd();
        } else {
            ++m_pos;
            if (c == '(') {
                ++depth;
            } else if (c == ')' && --depth == 0) {
                return;
            }
        }
    }
}

bool PgnTokenizer::Starts(const char* literal) const {
    for (size_t i = 0; literal[i] != '\0'; ++i) {
        if (m_pos[i] != literal[i]) return false;
    }
    return true;
}

PgnTokenizer::Token PgnTokenizer::ReadSymbol() {
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
        const char c = *m_pos;
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
        if (c == '\\' && (m_pos[1] == '"' || m_pos[1] == '\\')) {
            *out++ = m_pos[1];
            m_pos += 2;
            continue;
        }
        *out++ = c;
        ++m_pos;
    }
}

PgnTokenizer::Token PgnTokenizer::Next() {
    for (;;) {
        const char c = m_pos == m_savedAt ? m_saved : *m_pos;
        if (IsSpace(c)) {
            // Most of a file is blanks and line ends between short tokens:
            // they are stepped over here in one run, not one at a time
            // through the switch below. Past the first, no cut stands.
            ++m_pos;
            while (IsSpace(*m_pos)) ++m_pos;
            continue;
        }
        // Moves, tag names and move numbers next, the tokens met most often;
        // "0" and "1" may start a result and go through the switch.
        if (IsLetter(c) || c == '_') return ReadSymbol();
        if (c >= '2' && c <= '9') {
            while (IsDigit(*m_pos)) ++m_pos;
            return kMoveNumber;
        }
        switch (c) {
            case '\0':
                return kEnd;
            case '%':
                if (!AtLineStart()) break;
                SkipToLineEnd();
                continue;
            case ';':
                SkipToLineEnd();
                continue;
            case '{':
                SkipComment();
                continue;
            case '(':
                SkipVariation();
                continue;
            case '$':
                if (!IsDigit(m_pos[1])) break;
                ++m_pos;
                while (IsDigit(*m_pos)) ++m_pos;
                continue;
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
                ++m_pos;
                while (*m_pos == '.') ++m_pos;
                return kDots;
            case '1':
                if (Starts("1-0") || Starts("1:0")) {
                    m_pos += 3;
                    return kWhiteWins;
                }
                if (Starts("1/2")) {
                    m_pos += (Starts("1/2-1/2") || Starts("1/2:1/2")) ? 7 : 3;
                    return kDraw;
                }
                break;
            case '0':
                if (Starts("0-1") || Starts("0:1")) {
                    m_pos += 3;
                    return kBlackWins;
                }
                // Castling written with zeros is a move, not a move number.
                if (Starts("0-0")) return ReadSymbol();
                break;
            default:
                break;
        }
        if (IsDigit(c)) {
            while (IsDigit(*m_pos)) ++m_pos;
            return kMoveNumber;
        }
        if (IsLetter(c) || c == '_') return ReadSymbol();
        ++m_pos;
        return kOther;
    }
}
