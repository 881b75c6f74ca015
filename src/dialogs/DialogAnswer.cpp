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

}  // namespace

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
