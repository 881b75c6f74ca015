// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <cstddef>
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

enum class DialogDefaultStatus { Stored, UnknownType, BadControl };

// Initial value arrays start this long and grow on demand; control numbers
// beyond the last one a template can hold are refused.
constexpr std::size_t kDialogInitialValues = 20;
constexpr int kDialogMaxControl = 65535;

// Stores one initial value of DG_DIALOG_DEFAULT: by the type's first letter
// a text (s), a check state (b, set when the value begins with '1'), or a
// combo (c) or list (l) selection read as a decimal number cut to 16 bits.
DialogDefaultStatus SetDialogDefault(SDialogValues& values, int control, std::string_view type,
                                     std::string_view value);

struct SDialogAnswer {
    std::string text;
    bool unknownType = false;  // warn: an escape named an unknown value type
};

// Turns an answer template such as "seek %1s %2l %3b" into the command line
// sent back. A control number with no collected value gives an empty text
// or 0. Line breaks in a control's text become blanks, so that one answer
// can never become two commands.
SDialogAnswer FormatDialogAnswer(std::string_view answerTemplate, const SDialogValues& values);
