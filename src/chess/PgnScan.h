// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <string>
#include <string_view>

// Reads tag values the way the C scanf family reads them with formats such
// as "VCX w%d" or "%d+%d", one directive per call, so that PgnHeader and
// PgnUpload interpret "Event", "TimeControl", "Variant" and "FEN" exactly as
// those formats do, without scanf's undefined behaviour on numbers that
// overflow and without NUL-terminated copies.
//
// Each call returns false when its directive fails to match; the calls are
// meant to be chained with &&, so the first failure stops the reading just as
// a scanf stops at its first mismatch.
class PgnScan {
  public:
    explicit PgnScan(std::string_view text) : m_text(text) {}

    // Characters of `literal` must follow exactly, except that a blank in it
    // matches any run of white space, none included (as in a scanf format).
    bool Literal(std::string_view literal);
    // "%d": skips white space, then an optional sign and at least one digit.
    // Values beyond the int range are clamped to it.
    bool Int(int& value);
    // "%*d".
    bool SkipInt();
    // "%c": the next character, white space included.
    bool Char(char& c);
    // "%Ns": skips white space, then 1..maxLength characters up to the next
    // white space.
    bool Word(size_t maxLength, std::string& word);

    // atoi: the leading number of a text, 0 when there is none.
    static int LeadingInt(std::string_view text);

    static bool IsSpace(char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
    }

  private:
    void SkipSpace();

    std::string_view m_text;
    size_t m_pos = 0;
};
