// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "net/ServerMessage.h"

#include <climits>

std::unique_ptr<CServerMessage> CServerMessage::Continuation(const CServerMessage& from) {
    auto copy = std::make_unique<CServerMessage>(from.kind, from.number);
    copy->header = from.header;
    copy->tag = from.tag;
    copy->AppendField();
    return copy;
}

std::string& CServerMessage::LastField() {
    if (fields.empty()) fields.emplace_back();
    return fields.back();
}

const std::string& CServerMessage::Field(size_t index) const {
    static const std::string empty;
    return index < fields.size() ? fields[index] : empty;
}

int CServerMessage::FieldInt(size_t index) const { return ParseServerInt(Field(index)); }

int ParseServerInt(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    return static_cast<int>(value);
}
