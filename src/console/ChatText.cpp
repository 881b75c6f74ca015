// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "console/ChatText.h"

#include <algorithm>
#include <charconv>

namespace ChatText {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsNameChar(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-';
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

template <typename Keep>
std::vector<std::string> Runs(std::string_view text, Keep keep) {
    std::vector<std::string> runs;
    size_t i = 0;
    while (i < text.size()) {
        if (!keep(text[i])) {
            ++i;
            continue;
        }
        const size_t start = i;
        while (i < text.size() && keep(text[i])) ++i;
        runs.emplace_back(text.substr(start, i - start));
    }
    return runs;
}

std::optional<int> ReadInt(std::string_view token) {
    int value = 0;
    const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
    if (error != std::errc() || end == token.data()) return std::nullopt;
    return value;
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
    for (size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

}  // namespace

std::vector<ChannelRun> ChannelRuns(std::string_view text) {
    std::vector<ChannelRun> channels;
    for (std::string& digits : Runs(text, IsDigit)) {
        if (const std::optional<int> number = ReadInt(digits)) {
            channels.push_back({std::move(digits), *number});
        }
    }
    return channels;
}

std::vector<std::string> NameRuns(std::string_view text) {
    return Runs(text, IsNameChar);
}

std::vector<int> ParseChannelList(std::string_view text) {
    std::vector<int> channels;
    for (const std::string& token : Runs(text, [](char c) { return !IsSpace(c); })) {
        if (const std::optional<int> number = ReadInt(token)) channels.push_back(*number);
    }
    return channels;
}

std::string FormatChannelList(const std::vector<int>& channels) {
    std::string text;
    for (int channel : channels) text += std::to_string(channel) + " ";
    return text;
}

std::string JoinHelperLines(const std::vector<std::string>& lines) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i) text += "\\n";
        text += lines[i];
    }
    return text;
}

std::vector<std::string> SplitHelperLines(std::string_view text) {
    std::string s;
    for (char c : text) {
        if (c != '\r') s += c;
    }
    if (s.empty()) return {};
    // An empty line of the dialog still names an entry.
    for (size_t at = s.find("\n\n"); at != std::string::npos; at = s.find("\n\n", at)) {
        s.insert(at + 1, 1, ' ');
    }
    ReplaceAll(s, "\\n", "\n");
    if (s.back() == '\n') s += ' ';
    if (s.front() == '\n') s.insert(s.begin(), ' ');
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t at = s.find('\n'); at != std::string::npos; at = s.find('\n', start)) {
        lines.push_back(s.substr(start, at - start));
        start = at + 1;
    }
    lines.push_back(s.substr(start));
    return lines;
}

std::string Trim(std::string_view text) {
    size_t first = 0;
    while (first < text.size() && IsSpace(text[first])) ++first;
    size_t last = text.size();
    while (last > first && IsSpace(text[last - 1])) --last;
    return std::string(text.substr(first, last - first));
}

std::optional<std::array<bool, 3>> ParseIntercepts(std::string_view text) {
    std::array<bool, 3> flags{};
    const char* at = text.data();
    const char* end = text.data() + text.size();
    for (size_t i = 0; i < flags.size(); ++i) {
        while (at < end && IsSpace(*at)) ++at;
        int value = 0;
        const auto [next, error] = std::from_chars(at, end, value);
        if (error != std::errc()) return std::nullopt;
        flags[i] = value != 0;
        at = next;
        if (i + 1 < flags.size()) {
            if (at == end || *at != ',') return std::nullopt;
            ++at;
        }
    }
    return flags;
}

std::string FormatIntercepts(const std::array<bool, 3>& flags) {
    return std::to_string(flags[0] ? 1 : 0) + "," + std::to_string(flags[1] ? 1 : 0) + "," +
           std::to_string(flags[2] ? 1 : 0);
}

ChatConsolePlan PlanChatConsole(const std::array<bool, 3>& routing, std::string_view channels,
                                std::string_view people) {
    ChatConsolePlan plan;
    plan.routing = routing;
    std::string title;
    if (routing[0]) {
        plan.helpers.emplace_back("Shout", "Shout");
        plan.helpers.emplace_back("--> I", "I");
        title += "Shouts, ";
        plan.intercept += ";Set shout 1";
    }
    if (routing[1]) {
        plan.helpers.emplace_back("S-Shout", "Sshout");
        title += "S-Shouts, ";
        plan.intercept += ";Set sshout 1";
    }
    if (routing[2]) title += "Announcements, ";
    for (const ChannelRun& run : ChannelRuns(channels)) {
        if (std::find(plan.channels.begin(), plan.channels.end(), run.number) ==
            plan.channels.end()) {
            plan.channels.push_back(run.number);
        }
        plan.intercept += ";+channel " + run.digits;
        const std::string tell = "Tell " + std::to_string(run.number);
        plan.helpers.emplace_back(tell, tell);
        title += "(" + std::to_string(run.number) + "), ";
    }
    for (std::string& name : NameRuns(people)) {
        const std::string tell = "Tell " + name;
        plan.helpers.emplace_back(tell, tell);
        plan.people.push_back(std::move(name));
    }
    plan.helpers.emplace_back(">", "");
    plan.title = title.size() >= 2 ? title.substr(0, title.size() - 2) : "User Console";
    return plan;
}

}  // namespace ChatText
