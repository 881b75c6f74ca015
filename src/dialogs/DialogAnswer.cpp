// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "dialogs/DialogAnswer.h"

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

template <typename T>
T ValueAt(const std::vector<T>& values, std::size_t n) {
    return n < values.size() ? values[n] : T{};
}

void AppendText(std::string& out, std::string_view text) {
    for (const char c : text) out += (c == '\n' || c == '\r') ? ' ' : c;
}

// A decimal number as the platform's atoi reads it: leading blanks, a sign,
// digits up to the first other character; 0 when there are none.
long ReadInt(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
    long value = 0;
    for (const char c : text) {
        if (!IsDigit(c)) break;
        // Beyond this the number no longer matters: it is cut to 16 bits.
        value = (value * 10 + (c - '0')) % 0x10000000L;
    }
    return negative ? -value : value;
}

template <typename T>
T& Slot(std::vector<T>& values, std::size_t n) {
    if (values.size() <= n) values.resize(n + 1);
    return values[n];
}

}  // namespace

DialogDefaultStatus SetDialogDefault(SDialogValues& values, int control, std::string_view type,
                                     std::string_view value) {
    // A number no template can reach would only make the arrays huge.
    if (control < 0 || control > kDialogMaxControl) return DialogDefaultStatus::BadControl;
    const auto n = static_cast<std::size_t>(control);
    switch (type.empty() ? '\0' : type.front()) {
        case 's':
            Slot(values.texts, n) = value;
            return DialogDefaultStatus::Stored;
        case 'b':
            Slot(values.checks, n) = !value.empty() && value.front() == '1' ? 1 : 0;
            return DialogDefaultStatus::Stored;
        case 'c':
            Slot(values.comboSelections, n) = static_cast<std::uint16_t>(ReadInt(value));
            return DialogDefaultStatus::Stored;
        case 'l':
            Slot(values.listSelections, n) = static_cast<std::uint16_t>(ReadInt(value));
            return DialogDefaultStatus::Stored;
        default:
            return DialogDefaultStatus::UnknownType;
    }
}

SDialogAnswer FormatDialogAnswer(std::string_view answerTemplate, const SDialogValues& values) {
    SDialogAnswer answer;
    std::string& out = answer.text;
    std::size_t i = 0;
    while (i < answerTemplate.size()) {
        const char c = answerTemplate[i];
        std::size_t digitsEnd = i + 1;
        while (digitsEnd < answerTemplate.size() && IsDigit(answerTemplate[digitsEnd]) &&
               digitsEnd - i <= 3)
            ++digitsEnd;
        // An escape is '%', one to three digits and a letter; anything else,
        // "%%" and a trailing '%' among them, is copied as it stands.
        if (c != '%' || digitsEnd == i + 1 || digitsEnd >= answerTemplate.size() ||
            !IsLetter(answerTemplate[digitsEnd])) {
            out += c;
            ++i;
            continue;
        }
        std::size_t n = 0;
        for (std::size_t d = i + 1; d < digitsEnd; ++d)
            n = n * 10 + static_cast<std::size_t>(answerTemplate[d] - '0');
        switch (answerTemplate[digitsEnd]) {
            case 'b':
                out += ValueAt(values.checks, n) != 0 ? '1' : '0';
                break;
            case 's':
                if (n < values.texts.size()) AppendText(out, values.texts[n]);
                break;
            case 'c':
                out += std::to_string(ValueAt(values.comboSelections, n));
                break;
            case 'l':
                out += std::to_string(ValueAt(values.listSelections, n));
                break;
            default:
                answer.unknownType = true;
                break;
        }
        i = digitsEnd + 1;
    }
    return answer;
}
