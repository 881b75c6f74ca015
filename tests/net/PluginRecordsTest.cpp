// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Plug-in records: the bytes of each type, the forwarded server message, and
// a batch from an untrusted plug-in that ends at the first bad record.
#include <gtest/gtest.h>

#include <string>

#include "net/PluginRecords.h"
#include "net/ServerMessage.h"

namespace {

using T = PluginRecordType;
using namespace std::string_literals;

TEST(PluginRecords, EveryTypeRoundTrips) {
    const std::string batch =
        PluginRecords::Text(T::Name, "Sample") + PluginRecords::Text(T::Command, "who\n") +
        PluginRecords::Text(T::ConsoleText, "hi\n") + PluginRecords::Number(T::Declare, -2) +
        PluginRecords::Number(T::SubscribeLevel1, 108) +
        PluginRecords::Number(T::SubscribeDatagram, 31) +
        PluginRecords::Number(T::UnsubscribeLevel1, 108) +
        PluginRecords::Number(T::UnsubscribeDatagram, 31) +
        PluginRecords::Text(T::IgnoredText, "x") + PluginRecords::Number(T::IgnoredNumber10, 1) +
        PluginRecords::Number(T::IgnoredNumber11, 2) +
        PluginRecords::Text(T::Interface, "Kordane 2.31") + PluginRecords::Text(T::Text1002, "a") +
        *PluginRecords::Encode(T::Closing, {}) + PluginRecords::Text(T::Text1004, "b");
    // Type and length little-endian; the NUL counts.
    EXPECT_EQ(batch.substr(0, 11), "\x01\x00\x07\x00Sample\0"s);
    const auto records = PluginRecords::Parse(batch);
    ASSERT_EQ(records.size(), 15u);
    EXPECT_EQ(records[0].Text(), "Sample");
    EXPECT_EQ(records[3].Number(), -2);
    EXPECT_EQ(records[4].Number(), 108);
    EXPECT_EQ(records[11].type, 1000);
    EXPECT_EQ(records[11].Text(), "Kordane 2.31");
    EXPECT_EQ(records[13].type, 1003);
    EXPECT_TRUE(records[13].payload.empty());
    EXPECT_EQ(records[14].Text(), "b");
}

TEST(PluginRecords, ForwardedMessages) {
    CServerMessage tell(CServerMessage::Datagram, 31);
    for (const char* f : {"31", "Magnus", "", "ping", "1"}) tell.AppendField(f);
    tell.tag = 7;
    const auto record = PluginRecords::Forward(tell);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->substr(0, 14), "\xe9\x03\x19\x00\x02\x00\x1f\x00\x00\x00\x07\x00\x04\x00"s);
    const auto parsed = PluginRecords::Parse(*record);
    ASSERT_EQ(parsed.size(), 1u);
    const auto m = PluginRecords::ParseForwarded(parsed[0].payload);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->strings, (std::vector<std::string>{"Magnus", "", "ping", "1"}));

    CServerMessage block(CServerMessage::Level1, 108);
    block.header = "*";
    block.AppendField("Tester\nMagnus\n");
    const auto b = PluginRecords::ParseForwarded(
        PluginRecords::Parse(*PluginRecords::Forward(block))[0].payload);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->kind, 1);
    EXPECT_EQ(b->number, 108);
    EXPECT_EQ(b->starFlag, 1);
    EXPECT_EQ(b->strings, (std::vector<std::string>{"Tester\nMagnus\n"}));

    EXPECT_FALSE(PluginRecords::Forward(CServerMessage(CServerMessage::Text, -1)));
    CServerMessage huge(CServerMessage::Level1, 1);
    huge.AppendField(std::string(70000, 'x'));
    EXPECT_FALSE(PluginRecords::Forward(huge));
}

TEST(PluginRecords, BatchEndsAtTheFirstBadRecord) {
    const std::string good = PluginRecords::Text(T::Name, "A");
    const struct {
        const char* what;
        std::string bytes;
        size_t records;
    } rows[] = {
        {"length past the content", good + "\x02\x00\x09\x00who\0"s, 1},
        {"half a header", good + "\x02\x00"s, 1},
        {"unknown type 12", good + "\x0c\x00\x00\x00"s + good, 1},
        {"unknown type 0", "\x00\x00\x00\x00"s + good, 0},
        {"unknown type 999", good + "\xe7\x03\x00\x00"s + good, 1},
        {"unknown type 1005", good + "\xed\x03\x00\x00"s + good, 1},
        {"negative type", "\xff\xff\x00\x00"s + good, 0},
        {"number of three bytes", good + "\x04\x00\x03\x00\x01\x00\x00"s + good, 1},
        {"number of no bytes", "\x06\x00\x00\x00"s + good, 0},
        {"text without NUL", "\x03\x00\x02\x00hi"s + good, 2},
        {"empty", "", 0},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(PluginRecords::Parse(row.bytes).size(), row.records) << row.what;
    }
    EXPECT_EQ(PluginRecords::Parse("\x03\x00\x02\x00hi"s)[0].Text(), "hi");
}

TEST(PluginRecords, ForwardedPayloadCutShortIsRefused) {
    EXPECT_FALSE(
        PluginRecords::ParseForwarded("\x02\x00\x1f\x00\x00\x00\x00\x00\x02\x00"
                                      "a\0b"s));
    EXPECT_FALSE(PluginRecords::ParseForwarded("\x02\x00"s));
}

}  // namespace
