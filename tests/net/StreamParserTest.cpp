// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include <gtest/gtest.h>

#include "net/ParserHarness.h"

namespace {

const std::string E = "\x19";  // the escape byte

struct Case {
    const char* name;
    std::string bytes;
    std::vector<std::string> expected;  // ParserHarness::Summary() lines
};

class StreamParserCases : public ::testing::TestWithParam<Case> {};

TEST_P(StreamParserCases, DeliversExactly) {
    ParserHarness h;
    h.Feed(GetParam().bytes);
    EXPECT_EQ(h.Summary(), GetParam().expected);
}

// Kind numbers: 0 text, 1 level-1, 2 datagram, -1 local. What the test
// server writes (quoted fields, bells, blocks with a datagram inside) is
// parsed back in its own tests; these rows are what it never writes.
INSTANTIATE_TEST_SUITE_P(
    Framing, StreamParserCases,
    ::testing::Values(
        Case{"PlainText", "hello\nworld\n", {"0 -1  0 [hello\nworld\n]"}},
        Case{"BellVanishesFromText",
             "a\x07"
             "b",
             {"0 -1  0 [ab]"}},
        Case{"TextClosedByEscape",
             "abc" + E + "(1 x" + E + ")def",
             {"0 -1  0 [abc]", "2 1  0 [1|x]", "0 -1  0 [def]"}},
        Case{"BracesKeepSpacesAndMayBeEmpty",
             E + "(5 {} {two words} a{b} c" + E + ")",
             {"2 5  0 [5||two words|a{b}|c]"}},
        Case{"QuoteMidField",
             E + "(5 ab" + E + "{c} d" + E + "}e f" + E + ")",
             {"2 5  0 [5|abc} d|e|f]"}},
        Case{"NonNumericNumberReadsZero", E + "(abc d" + E + ")", {"2 0  0 [abc|d]"}},
        Case{"BraceEndsBracedFieldEvenInsideQuote",
             E + "(5 {a " + E + "{b}c" + E + "} d}" + E + ")",
             {"2 5  0 [5|a b|c|d}]"}},
        Case{"UnknownPairInDatagramDropped", E + "(3 a" + E + "Qb" + E + ")", {"2 3  0 [3|ab]"}},
        Case{"WhiteSpaceSeparatesFields", E + "(3\t a\r\nb  " + E + ")", {"2 3  0 [3|a|b]"}},
        Case{"Level1EmptyBodyDeliversNothing", E + "[12 * 5\n" + E + "]", {}},
        Case{"Level1BellDropped", E + "[1 x 0\na\x07" + "b" + E + "]", {"1 1 x 0 [ab]"}},
        Case{"Level1HeaderWithoutTag", E + "[7 word\nt" + E + "]", {"1 7 word 0 [t]"}},
        Case{"Level1BadHeaderReadsNextLineAsHeader",
             E + "[junk\n9 * 2\nt" + E + "]",
             {"1 9 * 2 [t]"}},
        Case{"DatagramInsideBlockSplitsIt",
             E + "[12 NR 4\nbefore " + E + "(31 bob " + E + ") after" + E + "]",
             {"1 12 NR 4 [before ]", "2 31 NR 4 [31|bob]", "1 12 NR 4 [ after]"}},
        Case{"NestedBlockReadsItsOwnHeader",
             E + "[1 * 3\nA" + E + "[2 x 9\nB" + E + "]C" + E + "]",
             {"1 1 * 3 [A]", "1 2 x 9 [B]", "1 1 * 3 [C]"}},
        Case{"NestedBlockWithoutTagReadsZero",
             E + "[1 * 3\nA" + E + "[2 x\nB" + E + "]" + E + "]",
             {"1 1 * 3 [A]", "1 2 x 0 [B]"}},
        Case{"UnknownPairOutsideDropped", "a" + E + "zb", {"0 -1  0 [a]", "0 -1  0 [b]"}},
        Case{"EscapeInHeaderIsLiteral", E + "[1 *" + E + "x 0\nt" + E + "]", {"1 1 *\x19x 0 [t]"}}),
    [](const ::testing::TestParamInfo<Case>& p) { return p.param.name; });

TEST(StreamParser, StatusMarksOutsideBlocks) {
    ParserHarness h;
    h.Feed(E + "<" + E + ">");
    EXPECT_EQ(h.status, (std::vector<int>{132, 130}));
    EXPECT_TRUE(h.posted.empty());
}

TEST(StreamParser, ChunkEndDeliversOpenTextAndBlockBody) {
    ParserHarness h;
    h.Feed("ab" + E + "[3 * 1\nxyz" + E + "]", 2);
    // "ab" arrives whole in the first chunk; the block body comes in pieces
    // of what each chunk carried, all with the block's header values.
    std::vector<std::string> expected = {"0 -1  0 [ab]", "1 3 * 1 [xy]", "1 3 * 1 [z]"};
    EXPECT_EQ(h.Summary(), expected);
}

// Datagrams come out the same however the stream is cut; text may arrive in
// more pieces but its bytes are the same.
TEST(StreamParser, ChunkingNeverChangesDatagrams) {
    const std::string stream = "pre " + E + "(31 bob {} {a b} " + E + "{q} " + E + "}\x07" + E +
                               ")" + E + "[5 * 2\nl1 " + E + "(62 x" + E + ") t" + E + "]post";
    auto split = [](const ParserHarness& h) {
        std::pair<std::vector<std::string>, std::string> out;
        const std::vector<std::string> summary = h.Summary();
        for (size_t i = 0; i < h.posted.size(); ++i) {
            if (h.posted[i]->kind == CServerMessage::Datagram)
                out.first.push_back(summary[i]);
            else
                out.second += h.posted[i]->TextValue();
        }
        return out;
    };
    ParserHarness whole;
    whole.Feed(stream);
    const auto expected = split(whole);
    ASSERT_EQ(expected.first.size(), 2u);
    for (size_t chunk = 1; chunk < stream.size(); ++chunk) {
        ParserHarness h;
        h.Feed(stream, chunk);
        EXPECT_EQ(split(h), expected) << "chunk " << chunk;
    }
}

TEST(StreamParser, OverflowDiscardsPartialsAndWarns) {
    ParserHarness h;
    h.Feed(E + "[1 * 0\npartial" + E + "(5 half\x1A" + "after");
    ASSERT_EQ(h.local.size(), 1u);
    EXPECT_EQ(h.local[0]->kind, CServerMessage::Local);
    EXPECT_EQ(h.local[0]->TextValue(),
              "WARNING: The server's send-buffer has overflowed.  This program may become "
              "unstable.\n");
    // The block text before the overflow left at the nested datagram; after
    // the overflow the parser is back outside.
    EXPECT_EQ(h.Summary(), (std::vector<std::string>{"1 1 * 0 [partial]", "0 -1  0 [after]"}));
}

TEST(StreamParser, NestingPastSevenIsSkippedAndStreamStaysInStep) {
    std::string open, close;
    for (int i = 1; i <= 7; ++i) {
        open += E + "[" + std::to_string(i) + " * 0\nL" + std::to_string(i);
        close = E + "]" + close;
    }
    // Level 8 and 9 (a block holding a datagram) are refused whole.
    const std::string deep = E + "[8 * 0\nX" + E + "(9 y" + E + ")Z" + E + "]";
    ParserHarness h;
    h.Feed(open + deep + "tail7" + close + "after" + E + "(1 ok" + E + ")");
    std::string all;
    for (const auto& m : h.posted) all += m->TextValue() + ";";
    EXPECT_EQ(all.find('X'), std::string::npos);
    EXPECT_EQ(all.find('Z'), std::string::npos);
    ASSERT_GE(h.posted.size(), 2u);
    EXPECT_EQ(h.Summary().back(), "2 1  0 [1|ok]");
    EXPECT_EQ(h.posted[h.posted.size() - 2]->TextValue(), "after");
    EXPECT_NE(all.find("tail7"), std::string::npos);
}

TEST(StreamParser, LongFieldHasNoLimit) {
    const std::string big(10 * 1024 * 1024, 'q');
    ParserHarness h;
    h.Feed(E + "(77 " + big + " end" + E + ")", 4095);
    ASSERT_EQ(h.posted.size(), 1u);
    EXPECT_EQ(h.posted[0]->Field(1).size(), big.size());
    EXPECT_EQ(h.posted[0]->Field(2), "end");
    EXPECT_EQ(h.posted[0]->Field(9), "");  // missing fields read empty
}

TEST(StreamParser, EchoWaitsForMainSinkThenKeepsStreamOrder) {
    ParserHarness h;
    h.parser.SetMainSink(nullptr);
    h.parser.EchoText("first\n");
    h.parser.ShowLocalText("dropped without a sink\n");
    EXPECT_TRUE(h.posted.empty());
    h.parser.SetMainSink(&h);
    h.parser.EchoText("second\n");
    ASSERT_EQ(h.posted.size(), 1u);
    EXPECT_EQ(h.posted[0]->number, -2);
    EXPECT_EQ(h.posted[0]->kind, CServerMessage::Local);
    EXPECT_EQ(h.posted[0]->TextValue(), "first\nsecond\n");
    EXPECT_TRUE(h.local.empty());
}

TEST(StreamParser, SendCommandNeedsConnection) {
    ParserHarness h;
    h.parser.SetDatagram(DG_MY_RATINGS, true);
    ASSERT_EQ(h.local.size(), 1u);
    EXPECT_EQ(h.local[0]->TextValue(), "Warning: Not connected to the server.\n");
    h.connected = true;
    h.parser.SetDatagram(DG_MY_RATINGS, true);
    h.parser.SetDatagram(DG_NOTIFY_DEPARTED, false);
    EXPECT_EQ(h.sent, (std::vector<std::string>{"Set-2 87 1\n", "Set-2 65 0\n"}));
    EXPECT_EQ(h.status, (std::vector<int>{131, 131}));
}

TEST(StreamParser, DebugDumpSkipsClientReportDatagrams) {
    ParserHarness h;
    h.debug = true;
    h.Feed(E + "[5 * 7\nhi" + E + "]" + E + "(31 bob {} x 1" + E + ")" + E + "(92 1" + E + ")" + E +
           "(5 a" + E + ")" + "plain");
    std::vector<std::string> lines;
    for (const auto& m : h.local) lines.push_back(m->TextValue());
    EXPECT_EQ(lines, (std::vector<std::string>{"L1 #5 (R,7): [hi]\n",
                                               "L2 #31 (NR,0): (bob |  | x | 1 | )\n",
                                               "L2 #5 (NR,0): (a | )\n"}));
    EXPECT_EQ(h.posted.size(), 5u);  // every message still goes on to the windows
}

TEST(StreamParser, ResetReturnsToOutside) {
    ParserHarness h;
    h.Feed(E + "(5 half");
    h.parser.Reset();
    h.Feed("text");
    EXPECT_EQ(h.Summary(), (std::vector<std::string>{"0 -1  0 [text]"}));
}

class CountingSink : public IServerMessageSink {
  public:
    CountingSink(int takeNumber, std::vector<std::string>& log, std::string name)
        : m_take(takeNumber), m_log(log), m_name(std::move(name)) {}
    int Receive(std::unique_ptr<CServerMessage>& m) override {
        m_log.push_back(m_name + ":" + std::to_string(m->number));
        if (m->number != m_take) return 0;
        kept = std::move(m);
        return 1;
    }
    std::unique_ptr<CServerMessage> kept;

  private:
    int m_take;
    std::vector<std::string>& m_log;
    std::string m_name;
};

TEST(StreamParser, DispatchOrderForwarderSinksThenMain) {
    ParserHarness h;
    std::vector<std::string> log;
    CountingSink a(24, log, "a"), b(31, log, "b");
    h.parser.AddSink(&a);
    h.parser.AddSink(&b);
    h.parser.AddSink(&a);  // adding twice keeps one entry
    h.parser.SetPluginForwarder(
        [&log](const CServerMessage& m) { log.push_back("plugin:" + std::to_string(m.number)); });
    for (int n : {31, 24, 99}) {
        auto m = std::make_unique<CServerMessage>(CServerMessage::Datagram, n);
        h.parser.Dispatch(std::move(m));
    }
    EXPECT_EQ(log, (std::vector<std::string>{"plugin:31", "a:31", "b:31", "plugin:24", "a:24",
                                             "plugin:99", "a:99", "b:99"}));
    ASSERT_TRUE(b.kept);
    EXPECT_EQ(b.kept->number, 31);
    ASSERT_EQ(h.local.size(), 1u);  // only 99 reached the main sink
    EXPECT_EQ(h.local[0]->number, 99);
}

// A window may close itself or another one, or open a new one, while a
// message is being offered: a closed one is not offered it, the new one only
// sees later messages.
TEST(StreamParser, SinksClosedOrOpenedDuringDispatch) {
    ParserHarness h;
    std::vector<std::string> log;
    CountingSink late(-5, log, "late"), added(-5, log, "added");
    struct Closer : IServerMessageSink {
        CStreamParser* parser = nullptr;
        IServerMessageSink* close = nullptr;
        IServerMessageSink* open = nullptr;
        int Receive(std::unique_ptr<CServerMessage>&) override {
            ++calls;
            parser->RemoveSink(close);
            parser->AddSink(open);
            parser->RemoveSink(this);
            return 0;
        }
        int calls = 0;
    } closer;
    closer.parser = &h.parser;
    closer.close = &late;
    closer.open = &added;
    h.parser.AddSink(&closer);
    h.parser.AddSink(&late);
    h.parser.Dispatch(std::make_unique<CServerMessage>(CServerMessage::Datagram, 1));
    EXPECT_TRUE(log.empty());
    h.parser.Dispatch(std::make_unique<CServerMessage>(CServerMessage::Datagram, 2));
    EXPECT_EQ(log, (std::vector<std::string>{"added:2"}));
    EXPECT_EQ(closer.calls, 1);
    EXPECT_EQ(h.local.size(), 2u);
}

}  // namespace
