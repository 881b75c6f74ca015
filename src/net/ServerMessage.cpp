// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "net/ServerMessage.h"

#include "net/TextUtil.h"

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

int CServerMessage::FieldInt(size_t index) const {
    return ParseLeadingInt(Field(index));
}
