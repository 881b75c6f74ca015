// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <string_view>

// How the test server reads the words of a client's line: blanks are spaces
// and tabs, a word runs to the next blank. The login, the line reader and the
// command handlers all split lines this way.
class CommandWords {
  public:
    static bool IsBlank(char c) { return c == ' ' || c == '\t'; }
    static std::string_view Trim(std::string_view text);
    // The first word of `text`; `rest` gets what follows it, trimmed.
    static std::string_view First(std::string_view text, std::string_view& rest);
    // A decimal int and nothing else.
    static bool ParseInt(std::string_view text, int& value);
};
