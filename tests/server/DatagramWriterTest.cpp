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
#include "net/StreamParser.h"

namespace {

class CollectingHost : public IStreamParserHost {
  public:
    bool IsConnected() const override { return true; }
    void SendToServer(std::string_view) override {}
    void ShowStatus(int) override {}
    void PostMessage(std::unique_ptr<CServerMessage> message) override {
        messages.push_back(std::move(message));
    }
    std::vector<std::unique_ptr<CServerMessage>> messages;
};

std::vector<std::unique_ptr<CServerMessage>> Parse(std::string_view bytes) {
    CollectingHost host;
    CStreamParser parser(host);
    parser.ProcessBytes(bytes);
    return std::move(host.messages);
}

struct FieldCase {
    const char* name;
    std::string text;
    std::string wire;      // the field as the server writes it
    std::string received;  // the field as the client's parser reads it
    // Names the row in test listings.
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
                    FieldCase{"lone_closing_brace", "}", "}", "}"},
                    FieldCase{"braces_and_spaces", "{ } {", Q + "{ } {" + E, "{ } {"},
                    FieldCase{"bell", "ding\x07", "ding\x07", "ding\x07"},
                    FieldCase{"bell_and_space", "\x07 \x07", Q + "\x07 \x07" + E, "\x07 \x07"},
                    FieldCase{"line_breaks", "one\r\ntwo", Q + "one\r\ntwo" + E, "one\r\ntwo"},
                    FieldCase{"tab_only", "\t", Q + "\t" + E, "\t"},
                    FieldCase{"escape_removed", "a\x19)b", "a)b", "a)b"},
                    FieldCase{"escape_quote_removed", "x\x19} y", Q + "x} y" + E, "x} y"},
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

TEST(DatagramWriterTest, NumbersAndWholeDatagramBytes) {
    DatagramWriter writer(87);
    writer.Add(2870).Add(-5).Add(0);
    EXPECT_EQ(writer.Bytes(), "\x19(87 2870 -5 0\x19)");
    EXPECT_EQ(DatagramWriter::Build(0, {"Guest1", "U"}), "\x19(0 Guest1 U\x19)");
    EXPECT_EQ(DatagramWriter(109).Bytes(), "\x19(109\x19)");
}

TEST(DatagramWriterTest, BlockFrameCarriesNumberHeaderAndTagToTheParser) {
    const std::string bytes = DatagramWriter::WorkingMark() +
                              DatagramWriter::BlockStart(101, "*", 42) + "(told Bob)\n" +
                              DatagramWriter::Build(62, {"Bob"}) + DatagramWriter::BlockEnd() +
                              DatagramWriter::ReadyMark();
    EXPECT_EQ(bytes, "\x19<\x19[101 * 42\n(told Bob)\n\x19(62 Bob\x19)\x19]\x19>");
    const auto messages = Parse(bytes);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0]->kind, CServerMessage::Level1);
    EXPECT_EQ(messages[0]->number, 101);
    EXPECT_EQ(messages[0]->header, "*");
    EXPECT_EQ(messages[0]->tag, 42);
    EXPECT_EQ(messages[0]->TextValue(), "(told Bob)\n");
    EXPECT_EQ(messages[1]->kind, CServerMessage::Datagram);
    EXPECT_EQ(messages[1]->number, 62);
    EXPECT_EQ(messages[1]->tag, 42);
    EXPECT_EQ(messages[1]->Field(1), "Bob");
}

TEST(DatagramWriterTest, CleanTextKeepsEverythingButEscapeAndOverflow) {
    std::string all;
    for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
    const std::string clean = DatagramWriter::CleanText(all);
    EXPECT_EQ(clean.size(), 254u);
    EXPECT_EQ(clean.find('\x19'), std::string::npos);
    EXPECT_EQ(clean.find('\x1a'), std::string::npos);
    // Cleaned text reaches the client as text in one piece: no byte left in
    // it can open a block or a datagram, or reset the parser. (Bells are the
    // parser's to drop in text.)
    const auto messages = Parse(clean);
    std::string received;
    for (const auto& message : messages) {
        EXPECT_EQ(message->kind, CServerMessage::Text);
        received += message->TextValue();
    }
    std::string expected = clean;
    std::erase(expected, '\x07');
    EXPECT_EQ(received, expected);
}

}  // namespace
