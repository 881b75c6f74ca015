// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "app/CommandLine.h"

#include <strings.h>

#include "net/TextUtil.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

std::vector<std::string> CommandLine::Split(std::string_view line) {
    std::vector<std::string> args;
    size_t i = 0;
    while (i < line.size()) {
        if (IsBlank(line[i])) {
            ++i;
            continue;
        }
        if (line[i] == '"') {
            // An unterminated quote runs to the end of the line.
            size_t close = line.find('"', i + 1);
            if (close == std::string_view::npos) close = line.size();
            args.emplace_back(line.substr(i + 1, close - i - 1));
            i = close + 1;
            continue;
        }
        size_t end = i;
        while (end < line.size() && !IsBlank(line[end])) ++end;
        args.emplace_back(line.substr(i, end - i));
        i = end;
    }
    return args;
}

CommandLine CommandLine::Parse(const std::vector<std::string>& args) {
    static constexpr std::string_view kPlugin = "/plugin=";
    static constexpr std::string_view kConnectionExt = ".kd2";
    CommandLine result;
    for (const std::string& arg : args) {
        const std::string_view a = arg;
        if (EqualsNoCase(a, "/debug")) {
            result.debug = true;
        } else if (a.size() >= kPlugin.size() &&
                   EqualsNoCase(a.substr(0, kPlugin.size()), kPlugin)) {
            result.plugins.emplace_back(a.substr(kPlugin.size()));
        } else if (a.size() >= kConnectionExt.size() &&
                   EqualsNoCase(a.substr(a.size() - kConnectionExt.size()), kConnectionExt)) {
            result.connectionFile = arg;
        } else {
            result.unrecognized.push_back(arg);
        }
    }
    return result;
}
