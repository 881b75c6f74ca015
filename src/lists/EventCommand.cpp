// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "lists/EventCommand.h"

#include <cctype>

namespace EventCommand {

std::string Lines(std::string_view action) {
    std::string lines;
    lines.reserve(action.size());
    for (size_t i = 0; i < action.size(); ++i) {
        const char c = action[i];
        if (c == '\\') {
            if (++i == action.size()) break;
            lines += action[i];
        } else if (c == '&') {
            lines += '\n';
        } else {
            lines += c;
        }
    }
    return lines;
}

std::string Tagged(std::string_view lines, int consoleId) {
    const std::string tag = "`" + std::to_string(consoleId) + "`";
    std::string text = tag;
    for (size_t i = 0; i < lines.size(); ++i) {
        const char c = lines[i];
        if (c == '\n' && i > 0 && lines[i - 1] == '\r') continue;
        if (c == '\n' || c == '\r') {
            text += '\n';
            text += tag;
        } else {
            text += c;
        }
    }
    text += '\n';
    return text;
}

bool IsWebAddress(std::string_view action) {
    constexpr std::string_view kScheme = "http://";
    if (action.size() < kScheme.size()) return false;
    for (size_t i = 0; i < kScheme.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(action[i])) != kScheme[i]) return false;
    }
    return true;
}

}  // namespace EventCommand
