// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <span>
#include <string_view>

// The help pages of the test server, answered by "help <topic>". Each page is
// laid out as the client expects server help to be: commands quoted in double
// quotes, web addresses in the text, and a last "see also: " list of topics
// separated by a comma and a blank, continued on lines that start with ten
// blanks. Long pages reach the client in pages (see ClientSession::SendPaged).
class HelpPages {
  public:
    struct Page {
        std::string_view topic;
        std::string_view text;  // whole lines, each ending in "\n"
    };

    static std::span<const Page> All();
    // The page of a topic, without regard to case; nullptr when there is none.
    static const Page* Find(std::string_view topic);
};
