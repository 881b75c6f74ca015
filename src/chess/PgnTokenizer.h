// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <cstddef>

// Cuts the text of a PGN file into tokens, working in place on the one buffer
// that PgnFile owns. PgnParser is its only user.
//
// Commentary never reaches the caller: white space, escape lines ("%" at the
// start of a line), ";" comments, "{...}" comments and "(...)" variations
// (both skipped whole, nesting counted) and numeric annotation glyphs ("$12").
// Symbols and strings are cut off in place with a NUL, so every text the
// parser keeps is a C string inside the buffer; a string's PGN escapes \" and
// \\ are undone in place as well.
//
// The text ends at its first NUL byte or at the given end, whichever comes
// first, so a file holding binary noise simply ends early.
class PgnTokenizer {
  public:
    enum Token {
        kWhiteWins = 0,  // "1-0", "1:0"
        kBlackWins = 1,  // "0-1", "0:1"
        kDraw = 2,       // "1/2-1/2", "1/2:1/2", "1/2"
        kUnknown = 3,    // "*"
        kOpenBracket = 4,
        kCloseBracket = 5,
        kSymbol = 6,
        kString = 7,
        kMoveNumber = 8,
        kDots = 9,
        kOther = 10,
        kEnd = 11,
    };

    // text[0..size) is the file's text; text[size] must be writable and is set
    // to NUL, so the buffer needs size + 1 bytes.
    PgnTokenizer(char* text, size_t size);

    Token Next();

    // The NUL-terminated text of the last symbol or string token.
    char* Text() const { return m_text; }

  private:
    bool AtLineStart() const;
    void SkipToLineEnd();
    void SkipComment();
    void SkipVariation();
    bool Starts(const char* literal) const;
    Token ReadSymbol();
    Token ReadString();

    char* m_begin;
    char* m_pos;
    char* m_text = nullptr;
    // The character a symbol's closing NUL overwrote; it is read in place of
    // that NUL, which stays in the buffer to end the symbol's text.
    char* m_savedAt = nullptr;
    char m_saved = '\0';
};
