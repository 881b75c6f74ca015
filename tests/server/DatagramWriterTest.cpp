// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
// The server's datagram quoting, checked against the client's own stream
// parser: whatever the server quotes must come back as the same field.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "DatagramWriter.h"
#include "server/ParsedOutput.h"

namespace {

std::vector<std::unique_ptr<CServerMessage>> Parse(std::string_view bytes) {
    return ParseServerOutput(bytes);
}

struct FieldCase {
    const char* name;
    std::string text;
    std::string wire;      // the field as the server writes it
    std::string received;  // the field as the client's parser reads it
    friend void PrintTo(const FieldCase& row, std::ostream* out) { *out << row.name; }
};

class QuotedFieldTest : public testing::TestWithParam<FieldCase> {};

TEST_P(QuotedFieldTest, WireFormAndParsedBack) {
    const FieldCase& c = GetParam();
    EXPECT_EQ(DatagramWriter::QuoteField(c.text), c.wire);

    DatagramWriter writer(31);
    writer.Add("before").Add(c.text).Add("after");
    const auto messages = Parse(writer.Bytes());
    ASSERT_EQ(messages.size(), 1u);
    const CServerMessage& dg = *messages[0];
    EXPECT_EQ(dg.kind, CServerMessage::Datagram);
    EXPECT_EQ(dg.number, 31);
    ASSERT_EQ(dg.FieldCount(), 4);
    EXPECT_EQ(dg.Field(1), "before");
    EXPECT_EQ(dg.Field(2), c.received);
    EXPECT_EQ(dg.Field(3), "after");
}

const std::string Q = "\x19{";
const std::string E = "\x19}";

INSTANTIATE_TEST_SUITE_P(
    Fields, QuotedFieldTest,
    testing::Values(FieldCase{"plain", "Magnus", "Magnus", "Magnus"},
                    FieldCase{"empty", "", Q + E, ""},
                    FieldCase{"spaces", "hello  there ", Q + "hello  there " + E, "hello  there "},
                    FieldCase{"leading_brace", "{x}", Q + "{x}" + E, "{x}"},
                    FieldCase{"inner_braces_stay_plain", "a{b}c", "a{b}c", "a{b}c"},
                    FieldCase{"braces_and_spaces", "{ } {", Q + "{ } {" + E, "{ } {"},
                    FieldCase{"bell_and_space", "\x07 \x07", Q + "\x07 \x07" + E, "\x07 \x07"},
                    FieldCase{"line_breaks", "one\r\ntwo", Q + "one\r\ntwo" + E, "one\r\ntwo"},
                    FieldCase{"escape_removed", "a\x19)b", "a)b", "a)b"},
                    FieldCase{"overflow_byte_removed", "a\x1a b", Q + "a b" + E, "a b"},
                    FieldCase{"only_escapes", "\x19\x19", Q + E, ""},
                    FieldCase{"high_bytes",
                              "\xc3\x9c"
                              "ber",
                              "\xc3\x9c"
                              "ber",
                              "\xc3\x9c"
                              "ber"}),
    [](const testing::TestParamInfo<FieldCase>& row) { return std::string(row.param.name); });

}  // namespace
