// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The texts an extra console is configured from: what the user types into
// the "Open Chat Window" boxes, and the values it keeps in the settings file
// (channel list, helper entries and prefixes, the three routing flags).
// Standard library only, so that settings from any source can be fuzzed.
namespace ChatText {

// A channel number as the user typed it: the digits (sent to the server as
// they stand) and their value.
struct ChannelRun {
    std::string digits;
    int number = 0;
};

// Runs of decimal digits; any other character ends a run. A run too long
// for a number is no channel and is skipped.
std::vector<ChannelRun> ChannelRuns(std::string_view text);
// Runs of letters, digits and '-'; any other character ends a run.
std::vector<std::string> NameRuns(std::string_view text);

// The stored channel list: blank-separated numbers. A token that is not a
// number is skipped rather than read as channel 0.
std::vector<int> ParseChannelList(std::string_view text);
// Each number followed by one blank.
std::string FormatChannelList(const std::vector<int>& channels);

// The helper entries' texts or prefixes are kept as one string, the entries
// joined by the two characters backslash and 'n'.
std::string JoinHelperLines(const std::vector<std::string>& lines);
// Splits such a string, or the lines of the customisation dialog, into
// entries. Every empty line becomes an entry holding one blank, so that an
// entry without a prefix keeps its place. An empty text has no entries.
std::vector<std::string> SplitHelperLines(std::string_view text);
// Leading and trailing white space removed.
std::string Trim(std::string_view text);

// "%d,%d,%d": shouts, s-shouts, announcements. Nothing unless all three
// numbers are there.
std::optional<std::array<bool, 3>> ParseIntercepts(std::string_view text);
std::string FormatIntercepts(const std::array<bool, 3>& flags);

// What a new channel/chat console is set up with, from the "Open Chat
// Window" boxes.
struct ChatConsolePlan {
    std::array<bool, 3> routing{};  // shouts, s-shouts, announcements
    std::vector<int> channels;
    std::vector<std::string> people;
    std::vector<std::pair<std::string, std::string>> helpers;  // text, prefix
    std::string title;
    // The server commands that route the chosen shouts and channels to the
    // user, each introduced by ';'; empty when there is nothing to ask for.
    std::string intercept;
};
ChatConsolePlan PlanChatConsole(const std::array<bool, 3>& routing, std::string_view channels,
                                std::string_view people);

}  // namespace ChatText
