// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "net/DatagramTable.h"

// Builds the bytes of level-2 datagrams and of level-1 block frames for the
// test server, and cleans free text before it goes on the wire. Sessions and
// commands use it so that every place quotes the same way.
//
// The client's stream parser cannot carry 0x19 (it always starts an escape
// pair, and inside a quoted field every pair but 0x19 ")" and 0x19 "}" is
// dropped) and resets itself at 0x1A, so both bytes are removed from any text
// the server passes on. A field that is empty, holds white space or a 0x19,
// or starts with "{" is sent as 0x19 "{" text 0x19 "}", in which braces,
// spaces, line breaks and bells are all ordinary; other fields go as they are.
class DatagramWriter {
  public:
    static constexpr char kEscape = '\x19';
    static constexpr char kOverflow = '\x1a';

    explicit DatagramWriter(DatagramNumber number) : DatagramWriter(static_cast<int>(number)) {}
    explicit DatagramWriter(int number);

    DatagramWriter& Add(std::string_view field);
    DatagramWriter& Add(int value);
    // The finished datagram: 0x19 "(" number fields 0x19 ")".
    std::string Bytes() const;
    int Number() const { return m_number; }

    static std::string Build(int number, std::initializer_list<std::string_view> fields);
    // The field as it appears between the separating spaces.
    static std::string QuoteField(std::string_view field);
    // Text with the two bytes the client cannot receive as text removed.
    static std::string CleanText(std::string_view text);

    // 0x19 "[" "<number> <header word> <tag>\n" and the closing 0x19 "]".
    static std::string BlockStart(int commandNumber, std::string_view headerWord, int tag);
    static std::string BlockEnd();
    // 0x19 "<" (the server works on a command) and 0x19 ">" (ready again).
    static std::string WorkingMark();
    static std::string ReadyMark();

  private:
    int m_number;
    std::string m_bytes;
};
