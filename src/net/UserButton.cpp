// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "net/UserButton.h"

#include <array>
#include <utility>

UserButtonLine ExpandUserButton(std::string_view text, const UserButtonNames& names) {
    // "%newwindow" is removed like a macro that stands for nothing.
    static const std::string kNewWindow = "%newwindow";
    const std::array<std::pair<std::string_view, const std::string*>, 5> macros = {{
        {"%teller", &names.teller},
        {"%opp", &names.opponent},
        {"%white", &names.white},
        {"%black", &names.black},
        {kNewWindow, nullptr},
    }};
    UserButtonLine out;
    out.line.reserve(text.size() + 1);
    for (size_t i = 0; i < text.size();) {
        bool replaced = false;
        if (text[i] == '%') {
            for (const auto& [macro, value] : macros) {
                if (text.substr(i, macro.size()) != macro) continue;
                if (value) {
                    out.line += *value;
                } else {
                    out.newWindow = true;
                }
                i += macro.size();
                replaced = true;
                break;
            }
        }
        if (!replaced) out.line += text[i++];
    }
    out.line += '\n';
    return out;
}
