// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The controls' state collected when a server dialog ends, indexed by
// control number (index 0 carries nothing).
struct SDialogValues {
    std::vector<std::string> texts;
    std::vector<std::uint8_t> checks;
    std::vector<std::uint16_t> listSelections;
    std::vector<std::uint16_t> comboSelections;
};

struct SDialogAnswer {
    std::string text;
    bool unknownType = false;  // warn: an escape named an unknown value type
};

// Turns an answer template such as "seek %1s %2l %3b" into the command line
// sent back. A control number with no collected value gives an empty text
// or 0. Line breaks in a control's text become blanks, so that one answer
// can never become two commands.
SDialogAnswer FormatDialogAnswer(std::string_view answerTemplate, const SDialogValues& values);
