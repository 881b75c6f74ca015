// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <string>
#include <string_view>

// "`%d`%s": a console's id in front of a command, so that the server's reply
// block carries the id back to the console that asked. Without an id, or
// before the user has logged in (tagging off), the line goes out as it is.
inline std::string TaggedCommand(std::string_view line, int consoleId, bool tagging) {
    if (consoleId == 0 || !tagging) return std::string(line);
    return "`" + std::to_string(consoleId) + "`" + std::string(line);
}
