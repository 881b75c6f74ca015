// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// One unit of server output as the stream parser delivers it: plain text, the
// body of a level-1 block, a level-2 datagram, or a line the client made
// itself. Handlers read fields by index without counting them first, so a
// missing field reads as the empty string rather than failing.
class CServerMessage {
  public:
    enum Kind { Local = -1, Text = 0, Level1 = 1, Datagram = 2 };

    CServerMessage() = default;
    CServerMessage(Kind k, int n) : kind(k), number(n) {}

    // Copies kind, number, header word and tag, and starts with one empty
    // field: the continuation of a block that was split.
    static std::unique_ptr<CServerMessage> Continuation(const CServerMessage& from);

    void AppendField(std::string_view text = {}) { fields.emplace_back(text); }
    // The last field, created if there is none yet.
    std::string& LastField();
    const std::string& Field(size_t index) const;
    // Decimal value of a field; a non-number (or a missing field) reads 0.
    int FieldInt(size_t index) const;
    int FieldCount() const { return static_cast<int>(fields.size()); }
    // The text of a text, level-1 or local message.
    const std::string& TextValue() const { return Field(0); }

    Kind kind = Text;
    int number = -1;
    std::string header;
    int tag = 0;
    std::vector<std::string> fields;
};
