// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "net/Chronel.h"
#include "net/ChronelFakeHost.h"
#include "net/ChronelServerSession.h"

namespace {

using FailAt = ChronelServerSession::FailAt;

// Splits the server's received text into lines and takes the stamp off each.
struct StampedLine {
    uint32_t ms;
    std::string text;
};
std::vector<StampedLine> Lines(std::string_view received) {
    std::vector<StampedLine> lines;
    while (!received.empty()) {
        const size_t eol = received.find('\n');
        const std::string_view line = received.substr(0, eol == received.npos ? eol : eol + 1);
        received.remove_prefix(line.size());
        uint32_t ms = 0;
        std::string_view rest;
        EXPECT_TRUE(ChronelServerSession::SplitStamp(line, ms, rest)) << line;
        lines.push_back({ms, std::string(rest)});
    }
    return lines;
}

long Count(const std::vector<std::string>& console, std::string_view text) {
    return std::count(console.begin(), console.end(), text);
}

// Lines queued before the prompt leaving in order after the handshake, and
// the login with the test server, are checked over a real socket in
// tests/server; here what that cannot reach.
TEST(Chronel, LoginPromptIsFoundAcrossChunksAndOnlyWhereTheTextEnds) {
    ChronelLink link;
    // The window saw "login: " and the handshake began, even mid-line; the
    // next byte is not the server's step 1, so it fails there and is dropped.
    EXPECT_EQ(link.Deliver("Type your login: name\r\n"), "Type your login: ame\r\n");
    EXPECT_TRUE(link.client.LoginPromptSeen());
    EXPECT_TRUE(link.client.HandshakeFailed());

    ChronelLink split;
    EXPECT_EQ(split.Deliver("log"), "log");
    EXPECT_EQ(split.host.sent, "");
    EXPECT_EQ(split.Deliver("in:"), "in:");
    EXPECT_FALSE(split.client.LoginPromptSeen());
    EXPECT_EQ(split.Deliver(" "), " ");
    EXPECT_TRUE(split.client.LoginPromptSeen());
    EXPECT_EQ(static_cast<uint8_t>(split.host.sent[0]), 0xCB);
}

TEST(Chronel, QueueBeforeTheHandshakeKeeps1024BytesAndDropsTheRestSilently) {
    ChronelLink link;
    const std::string first(1000, 'a');
    link.client.Queue(first + "\n");
    link.client.Queue("bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb\n");  // 23 of these fit
    link.Login();
    EXPECT_TRUE(link.host.console.empty());
    // The first line leaves; the second was cut without its "\n" and goes.
    const auto lines = Lines(link.received);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text, first + "\n");
}

TEST(Chronel, ServerOutputIsDecodedAfterTheHandshake) {
    ChronelLink link;
    link.Login();
    const std::vector<std::string> chunks = {
        "hello\r\n",
        "\x19(24 12 e2e4 e4 0 1000 2000\x19)",
        "\x19[37 * 5\nGame 12: Alice moves: e4\r\n\x19]vcx% ",
        std::string("\0\x01\xff\x19\x07", 5),
        "",
        "1234567890 rating has changed from 1500 to 1510.\r\n",
    };
    for (const std::string& chunk : chunks) EXPECT_EQ(link.ServerSends(chunk), chunk);
}

TEST(Chronel, EchoRequestIsAnsweredWithAtMost95Characters) {
    struct Row {
        std::string text;
        std::string answer;
    };
    const std::string longText(200, 'x');
    const std::vector<Row> rows = {
        {"ping", "ping"},
        {"", ""},
        {longText, longText.substr(0, 95)},
    };
    for (const Row& row : rows) {
        ChronelLink link;
        link.Login();
        link.received.clear();
        link.host.now += 77;
        EXPECT_EQ(
            link.ServerSends("before" + ChronelServerSession::EchoRequest(row.text) + "after"),
            "beforeafter");
        const auto lines = Lines(link.received);
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0].ms, 77u);
        EXPECT_EQ(lines[0].text, "\x9A" + row.answer + "\r\n");
    }
}

TEST(Chronel, AlarmOfZeroFiresAtTheNextTick) {
    ChronelLink link;
    link.Login();
    link.received.clear();
    EXPECT_EQ(link.ServerSends(ChronelServerSession::AlarmCommand(0, "Timing check\r\n")),
              "Timing check\r\n");
    EXPECT_EQ(Lines(link.received).at(0).text, "\x9B\r\n");
    ASSERT_EQ(link.host.starts, std::vector<uint32_t>{0});
    link.client.OnAlarmTimer();  // the clock has not moved
    link.Pump();
    const auto lines = Lines(link.received);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].text, "\x99\r\n");
    EXPECT_FALSE(link.host.timerRunning);
    // A stray tick after the alarm is over sends nothing.
    link.client.OnAlarmTimer();
    link.Pump();
    EXPECT_EQ(Lines(link.received).size(), 2u);
}

TEST(Chronel, LongDelaysAreWaitedInStepsOfAtMost30Seconds) {
    struct Row {
        uint32_t delay;
        std::vector<uint32_t> steps;
    };
    const std::vector<Row> rows = {
        {30000, {30000}},
        {30001, {30000, 1}},
        {70000, {30000, 30000, 10000}},
        {90000, {30000, 30000, 30000}},
    };
    for (const Row& row : rows) {
        ChronelLink link;
        link.Login();
        link.received.clear();
        link.ServerSends(ChronelServerSession::AlarmCommand(row.delay, ""));
        for (size_t i = 0; i < link.host.starts.size() && i < 10; ++i) {
            EXPECT_EQ(Lines(link.received).size(), 1u) << "fired early, delay " << row.delay;
            link.host.now += link.host.starts[i];
            link.client.OnAlarmTimer();
            link.Pump();
        }
        EXPECT_EQ(link.host.starts, row.steps) << row.delay;
        const auto lines = Lines(link.received);
        ASSERT_EQ(lines.size(), 2u) << row.delay;
        EXPECT_EQ(lines[1].text, "\x99\r\n");
        EXPECT_EQ(lines[1].ms, row.delay);
    }
}

TEST(Chronel, NewAlarmStopsTheRunningOneAndStartsOnlyAtItsEnd) {
    ChronelLink link;
    link.Login();
    link.ServerSends(ChronelServerSession::AlarmCommand(5000, ""));
    ASSERT_TRUE(link.host.timerRunning);
    const std::string second = ChronelServerSession::AlarmCommand(100, "text");
    // Everything up to the text: the old alarm stops, no new one yet.
    const size_t textAt = second.find("text");
    link.ServerSends(second.substr(0, textAt));
    EXPECT_FALSE(link.host.timerRunning);
    EXPECT_EQ(link.host.starts, std::vector<uint32_t>{5000});
    link.host.now += 6000;
    link.client.OnAlarmTimer();  // the old alarm's tick, already queued
    link.Pump();
    EXPECT_EQ(link.received.find('\x99'), std::string::npos);
    EXPECT_EQ(link.ServerSends(second.substr(textAt)), "text");
    EXPECT_EQ(link.host.starts, (std::vector<uint32_t>{5000, 100}));
    EXPECT_TRUE(link.host.timerRunning);
}

TEST(Chronel, AlarmThatCannotRunIsReported) {
    ChronelLink noTimer;
    noTimer.host.timerWorks = false;
    noTimer.Login();
    noTimer.ServerSends(ChronelServerSession::AlarmCommand(10, ""));
    EXPECT_EQ(Count(noTimer.host.console, "Chronel couldn't set timer\n"), 1);

    ChronelLink noWindow;
    noWindow.host.window = false;
    noWindow.Login();
    noWindow.ServerSends(ChronelServerSession::AlarmCommand(10, ""));
    EXPECT_EQ(Count(noWindow.host.console, "Chronel::set_alarm hWnd null\n"), 1);
    EXPECT_TRUE(noWindow.host.starts.empty());
    // The acknowledgement went out all the same.
    EXPECT_EQ(Lines(noWindow.received).at(0).text, "\x9B\r\n");
}

TEST(Chronel, AlarmDelayReadsLikeADecimalNumber) {
    struct Row {
        std::string delay;
        uint32_t interval;
    };
    const std::vector<Row> rows = {
        {"250", 250}, {" 12x", 12}, {"abc", 0}, {"", 0}, {"-5", 0}, {"99999999999999", 30000},
    };
    for (const Row& row : rows) {
        ChronelLink link;
        link.Login();
        link.ServerSends("\x9E" + row.delay + "\n\x9D");
        ASSERT_EQ(link.host.starts.size(), 1u) << row.delay;
        EXPECT_EQ(link.host.starts[0], row.interval) << row.delay;
    }
}

TEST(Chronel, CommandBufferOverflowIsReportedOnceAndNeverOverrun) {
    const std::string big(Chronel::kCommandSize + 5000, 'q');
    {
        ChronelLink link;
        link.Login();
        link.received.clear();
        EXPECT_EQ(link.ServerSends(ChronelServerSession::EchoRequest(big) + "ok"), "ok");
        EXPECT_EQ(Count(link.host.console, "Chronel buffer overflow\n"), 1);
        EXPECT_EQ(Lines(link.received).at(0).text, "\x9A" + big.substr(0, 95) + "\r\n");
    }
    {
        // An alarm's text loses nothing: it is on its way to the parser.
        ChronelLink link;
        link.Login();
        EXPECT_EQ(link.ServerSends(ChronelServerSession::AlarmCommand(1, big)), big);
        EXPECT_EQ(Count(link.host.console, "Chronel buffer overflow\n"), 1);
    }
    {
        ChronelLink link;
        link.Login();
        EXPECT_EQ(
            link.ServerSends("\x9E" + std::string(Chronel::kCommandSize + 10, '7') + "\n\x9D"), "");
        EXPECT_EQ(Count(link.host.console, "Chronel buffer overflow\n"), 1);
        EXPECT_EQ(link.host.starts, std::vector<uint32_t>{30000});
    }
}

TEST(Chronel, TooLongLinesAreDroppedWithAMessageAndLongTextLosesNoLine) {
    ChronelLink link;
    link.Login();
    link.received.clear();
    link.host.now += 100000;  // a six-character stamp and its space: 7 bytes
    link.client.Queue(std::string(1024 - 7 - 1, 'a') + "\n");
    link.client.Queue(std::string(1024 - 7, 'b') + "\n");
    link.client.Queue(std::string(3000, 'c') + "\n");
    link.Pump();
    auto lines = Lines(link.received);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text.size(), 1024u - 7);
    EXPECT_EQ(Count(link.host.console, "write_line_to_server:  line too long\n"), 2);

    // Many lines at once, far beyond the queue, all arrive; a last piece
    // without "\n" is not a line and is dropped.
    link.received.clear();
    std::string text;
    for (int i = 0; i < 300; ++i) text += "tell alice line " + std::to_string(i) + "\n";
    link.client.Queue(text + "unfinished");
    link.Pump();
    lines = Lines(link.received);
    ASSERT_EQ(lines.size(), 300u);
    EXPECT_EQ(lines[299].text, "tell alice line 299\n");
}

TEST(Chronel, StampWrapsAt32Bits) {
    ChronelLink link;
    link.host.now = 0xFFFFFF00u;
    link.Login();
    link.received.clear();
    link.host.now = 0x00000100u;
    link.client.Queue("x\n");
    link.Pump();
    EXPECT_EQ(Lines(link.received).at(0).ms, 0x200u);
}

TEST(Chronel, OneChunkLargerThanTheOutputBufferLosesNothing) {
    std::string plain;
    while (plain.size() < 5 * Chronel::kOutputSize) plain += " rating has changed from ";
    for (bool takes : {true, false}) {
        ChronelLink link;
        link.host.takesOutput = takes;
        link.Login();
        const std::string wire = link.server.Outgoing(plain);
        ASSERT_LT(wire.size(), Chronel::kOutputSize);  // one chunk, many times its size
        std::string_view out = link.client.Filter(wire.data(), wire.size());
        std::string all;
        for (const std::string& part : link.host.taken) {
            EXPECT_EQ(part.size(), Chronel::kOutputSize);
            all += part;
        }
        if (takes) {
            EXPECT_EQ(link.host.taken.size(), plain.size() / Chronel::kOutputSize);
            EXPECT_LE(out.size(), Chronel::kOutputSize);
        } else {
            EXPECT_TRUE(link.host.taken.empty());
        }
        EXPECT_EQ(all + std::string(out), plain);
    }
}

TEST(Chronel, OneReceivedByteExpandsIntoManyAndStillDecodes) {
    ChronelLink link;
    link.Login();
    std::string plain;
    for (int i = 0; i < 200; ++i) plain += " rating has changed from  rating has changed from ";
    const std::string wire = link.server.Outgoing(plain);
    std::string parsed;
    size_t most = 0;
    for (char c : wire) {
        const std::string piece = link.Deliver(std::string(1, c));
        most = std::max(most, piece.size());
        parsed += piece;
    }
    EXPECT_EQ(parsed, plain);
    EXPECT_GE(most, std::string(" rating has changed from ").size());
}

TEST(Chronel, HandshakeFailuresAreReportedAndLinesNeverLeave) {
    struct Row {
        FailAt fail;
        std::string text;
    };
    const std::vector<Row> rows = {
        {FailAt::Step1, "Chronel authentication failed in step 1\n"},
        {FailAt::CheckString,
         "Chronel authentication failed to get the check string from the server\n"},
    };
    for (const Row& row : rows) {
        ChronelLink link(row.fail);
        link.client.Queue("level1=15\n");
        link.Login();
        EXPECT_TRUE(link.client.HandshakeFailed());
        EXPECT_TRUE(link.server.HandshakeFailed());
        EXPECT_FALSE(link.client.HandshakeDone());
        EXPECT_EQ(link.host.console, std::vector<std::string>{row.text});
        link.client.Queue("guest\n");
        link.client.Flush();
        link.Pump();
        EXPECT_EQ(link.received, "");
        // The connection stays up and the server's text still shows.
        EXPECT_EQ(link.ServerSends("Still here\r\n"), "Still here\r\n");
    }
}

TEST(Chronel, DestroyingTheFilterStopsItsAlarm) {
    ChronelLink link;
    link.Login();
    link.ServerSends(ChronelServerSession::AlarmCommand(500, ""));
    ASSERT_TRUE(link.host.timerRunning);
    link.DestroyClient();
    EXPECT_FALSE(link.host.timerRunning);
}

}  // namespace
