// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net/ChronelFakeHost.h"
#include "net/ChronelHandshake.h"
#include "net/ChronelServerSession.h"

namespace {

using Mode = ChronelServerSession::Mode;

TEST(ChronelServerSession, FirstByteTellsAChronelClientFromAPlainOne) {
    struct Row {
        std::string first;
        Mode mode;
        std::string plain;
    };
    const std::vector<Row> rows = {
        {"", Mode::Undecided, ""},
        {"g\n\n", Mode::Plain, "g\n\n"},
        {"alice secret\n", Mode::Plain, "alice secret\n"},
        {"\xC8\n", Mode::Plain, "\xC8\n"},
        {ChronelHandshake::Hello(1), Mode::Chronel, ""},
    };
    for (const Row& row : rows) {
        ChronelServerSession session(ChronelServerSession::FailAt::None, 5);
        std::string reply;
        EXPECT_EQ(session.Incoming(row.first, reply), row.plain);
        EXPECT_EQ(session.GetMode(), row.mode) << row.first;
        // A plain client's output goes out untouched, bytes >= 0x80 too.
        if (row.mode != Mode::Chronel) {
            EXPECT_EQ(reply, "");
            EXPECT_EQ(session.Outgoing("x\x9C\xFF"), "x\x9C\xFF");
        } else {
            EXPECT_EQ(reply, ChronelHandshake::Step1(5));
        }
    }
}

TEST(ChronelServerSession, HandshakeFedOneByteAtATimeCompletes) {
    ChronelLink link;
    const std::string prompt = "login: ";
    link.client.Filter(prompt.data(), prompt.size());
    while (!link.host.sent.empty()) {
        const std::string sent = link.host.sent;
        link.host.sent.clear();
        for (char c : sent) {
            std::string reply;
            link.received += link.server.Incoming(std::string(1, c), reply);
            for (char r : reply) link.client.Filter(&r, 1);
        }
    }
    EXPECT_TRUE(link.server.Active());
    EXPECT_TRUE(link.client.HandshakeDone());
    EXPECT_EQ(link.ServerSends("after\r\n"), "after\r\n");
}

TEST(ChronelServerSession, OutputDuringTheHandshakeWaitsForItsEnd) {
    ChronelLink link;
    const std::string step1 = link.StartHandshake();
    EXPECT_EQ(link.server.Outgoing("Someone shouts: hello\r\n"), "");
    const std::string check = link.AnswerStep1(step1);
    ASSERT_GT(check.size(), ChronelHandshake::kCheckSize);
    EXPECT_EQ(link.Deliver(check), "Someone shouts: hello\r\n");
}

TEST(ChronelServerSession, BadClientMessagesFailTheHandshake) {
    struct Row {
        std::string bytes;
        std::string reply;
    };
    ChronelHandshake handshake(1, 9);
    std::string wrongProof = handshake.Answer();
    wrongProof[1] ^= 1;
    const std::vector<Row> rows = {
        // An unknown version is refused at its second byte.
        {std::string{'\xCB', '\x02'}, "\xCD"},
        {ChronelHandshake::Hello(1) + "\x01", ChronelHandshake::Step1(9) + "\xCFxxxxxxxx"},
        {ChronelHandshake::Hello(1) + wrongProof, ChronelHandshake::Step1(9) + "\xCFxxxxxxxx"},
        {ChronelHandshake::Hello(1) + handshake.Answer(),
         ChronelHandshake::Step1(9) + handshake.CheckString()},
    };
    for (const Row& row : rows) {
        ChronelServerSession session(ChronelServerSession::FailAt::None, 9);
        std::string reply;
        EXPECT_EQ(session.Incoming(row.bytes, reply), "");
        EXPECT_EQ(reply, row.reply);
        const bool good = row.reply.back() != 'x' && row.reply != "\xCD";
        EXPECT_EQ(session.HandshakeFailed(), !good);
        EXPECT_EQ(session.Active(), good);
        // After a failure the client passes bytes through: so does the server.
        if (!good) {
            EXPECT_EQ(session.Outgoing("text"), "text");
            EXPECT_EQ(session.Incoming("more", reply), "more");
        }
    }
}

TEST(ChronelServerSession, HeldOutputIsCappedAtOneMebibyte) {
    ChronelLink link;
    const std::string step1 = link.StartHandshake();
    std::string big;
    for (int i = 0; big.size() < (3u << 20) / 2; ++i) big += std::to_string(i) + "\r\n";
    EXPECT_EQ(link.server.Outgoing(big), "");
    EXPECT_EQ(link.Deliver(link.AnswerStep1(step1)), big.substr(0, 1u << 20));
}

TEST(ChronelServerSession, SplitStamp) {
    struct Row {
        std::string line;
        bool ok;
        uint32_t ms;
        std::string rest;
    };
    const std::vector<Row> rows = {
        {"0 level1=15\n", true, 0, "level1=15\n"},
        {"4294967295 x\n", true, 4294967295u, "x\n"},
        {"0004294967295 x", false, 0, ""},
        {"4294967296 x\n", false, 0, ""},
        {"17  two spaces\n", true, 17, " two spaces\n"},
        {"17", false, 0, ""},
        {" 17 x", false, 0, ""},
        {"17x y", false, 0, ""},
        {"", false, 0, ""},
    };
    for (const Row& row : rows) {
        uint32_t ms = 99;
        std::string_view rest = "untouched";
        EXPECT_EQ(ChronelServerSession::SplitStamp(row.line, ms, rest), row.ok) << row.line;
        if (row.ok) {
            EXPECT_EQ(ms, row.ms);
            EXPECT_EQ(rest, row.rest);
        }
    }
}

TEST(ChronelServerSession, TimingCommandsLeaveOutTheirTerminators) {
    const std::string echo = "\x9C", alarm = "\x9E", end = "\x9D";
    const std::string text = "a" + end + "b\n";
    EXPECT_EQ(ChronelServerSession::AlarmCommand(2500, text), alarm + "2500\nab\n" + end);
    EXPECT_EQ(ChronelServerSession::AlarmCommand(0, ""), alarm + "0\n" + end);
    EXPECT_EQ(ChronelServerSession::EchoRequest("a\nb" + end), echo + "ab" + end + "\n");
    // What the client makes of them, end to end.
    ChronelLink link;
    link.Login();
    EXPECT_EQ(link.ServerSends(ChronelServerSession::AlarmCommand(4, text)), "ab\n");
    EXPECT_EQ(link.host.starts, std::vector<uint32_t>{4});
}

}  // namespace
