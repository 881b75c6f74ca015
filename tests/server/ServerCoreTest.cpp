// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
// The server's session logic without sockets, checked byte for byte on what
// clients receive.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>

#include "AccountStore.h"
#include "HelpPages.h"
#include "ServerCore.h"
#include "Transcript.h"
#include "net/ChronelFakeHost.h"
#include "server/ParsedOutput.h"

namespace {

const std::string kAll(ClientSession::kMaxDatagrams, '1');

AccountStore TestAccounts() {
    std::string error;
    auto store = AccountStore::Parse(
        "Magnus carlsen1 GM 2870,2880,2830,2600\nJudit polgar1 GM,H 2650,2700\nTester test1 - -\n",
        error);
    EXPECT_TRUE(store) << error;
    return store ? std::move(*store) : AccountStore{};
}

class ServerCoreTest : public testing::Test {
  protected:
    // The server's clock is the test's: clocks only move when a test says so.
    ServerCoreTest() : m_core(TestAccounts(), m_transcript, FixedClock(m_now)) {}
    static ServerCore::Options FixedClock(const int64_t& now) {
        ServerCore::Options options;
        options.clock = [&now] { return now; };
        return options;
    }

    // Output of the client since the last call.
    std::string Take(int id) {
        ClientSession* session = m_core.Find(id);
        if (session == nullptr) return "<gone>";
        std::string out;
        out.swap(session->Outbox());
        return out;
    }
    std::string Say(int id, std::string_view bytes) {
        m_core.Receive(id, bytes);
        return Take(id);
    }
    // What a new client is told, after the greeting, when it sends `bytes`.
    std::string Fresh(std::string_view bytes) {
        const int id = m_core.Connect();
        Take(id);
        return Say(id, bytes);
    }
    // A client logged in with the datagrams and level-1 mode given.
    int LoggedIn(std::string_view login, std::string_view level2 = "", int level1 = 0) {
        const int id = m_core.Connect();
        m_core.Receive(id, "level2settings=" + std::string(level2) + "\nlevel1=" +
                               std::to_string(level1) + "\n" + std::string(login) + "\n");
        EXPECT_TRUE(m_core.Find(id)->LoggedIn()) << login;
        Take(id);
        return id;
    }

    int64_t m_now = 1000000;
    Transcript m_transcript;
    ServerCore m_core;
};

struct LoginCase {
    const char* name;
    std::string input;
    std::string output;  // after the greeting
    const char* handle;  // logged in as, or "" when still at a prompt
    friend void PrintTo(const LoginCase& row, std::ostream* out) { *out << row.name; }
};

class LoginTest : public ServerCoreTest, public testing::WithParamInterface<LoginCase> {};

TEST_P(LoginTest, ExchangeByteForByte) {
    const LoginCase& c = GetParam();
    const int id = m_core.Connect();
    Take(id);
    // One byte at a time: a login must not depend on how reads split it.
    std::string output;
    for (char byte : c.input) output += Say(id, std::string_view(&byte, 1));
    EXPECT_EQ(output, c.output);
    const ClientSession* session = m_core.Find(id);
    EXPECT_EQ(session->LoggedIn() ? session->Handle() : "", c.handle);
}

const std::string kGuestPrompt =
    "Logging you in as \"Guest1\".\nPress return to enter the server as \"Guest1\": ";

INSTANTIATE_TEST_SUITE_P(
    Rows, LoginTest,
    testing::Values(
        LoginCase{"wrong_password", "Magnus carlsen2\n", "Invalid password.\nlogin: ", ""},
        LoginCase{"wrong_typed_password_then_right", "Judit\nnope\nJudit polgar1\n",
                  "password: Invalid password.\nlogin: "
                  "**** Starting VCX session as Judit(GM H) ****\n\n",
                  "Judit"},
        LoginCase{
            "unknown_handle", "Nobody x\n",
            "\"Nobody\" is not a registered name. Log in as a guest with \"g\".\nlogin: ", ""},
        LoginCase{"invalid_handle", "9lives\n",
                  "\"9lives\" is not a valid handle: use 2 to 15 letters, digits or \"-\", "
                  "starting with a letter.\nlogin: ",
                  ""},
        LoginCase{"guest_waits_for_confirmation", "g\n", kGuestPrompt, ""},
        LoginCase{"settings_lines_at_every_prompt",
                  "level2settings=0\nlevel1=0\nTester\nlevel1=0\ntest1\n",
                  "password: **** Starting VCX session as Tester ****\n\n", "Tester"},
        LoginCase{"settings_line_does_not_confirm_guest", "g\nlevel1=0\n\n",
                  kGuestPrompt + "**** Starting VCX session as Guest1(U) ****\n\n", "Guest1"},
        LoginCase{"commands_are_not_run_before_login", "quit\n",
                  "\"quit\" is not a registered name. Log in as a guest with \"g\".\nlogin: ", ""}),
    [](const testing::TestParamInfo<LoginCase>& row) { return std::string(row.param.name); });

TEST_F(ServerCoreTest, LoginDatagramsOnlyWhenAskedFor) {
    const int id = m_core.Connect();
    Take(id);
    EXPECT_EQ(Say(id, "level2settings=" + kAll + "\nMagnus carlsen1\n"),
              "**** Starting VCX session as Magnus(GM) ****\n\n\x19(0 Magnus GM\x19)"
              "\x19(76 1 Bullet\x19)\x19(76 2 Blitz\x19)\x19(76 3 Standard\x19)"
              "\x19(76 4 Wild\x19)\x19(76 5 Bughouse\x19)\x19(119 vcx-2\x19)"
              "\x19(77 VCX \x19{Welcome, Magnus. Type \"help\" for the commands of this test "
              "server.\x19}\x19)");
    const int off = m_core.Connect();
    Take(off);
    EXPECT_EQ(Say(off, "level2settings=0111\nTester test1\n"),
              "**** Starting VCX session as Tester ****\n\n");
    // An untitled user's titles field is empty, and quoted so it survives.
    EXPECT_EQ(Say(off, "Set-2 0 1\n"), "\x19(0 Tester \x19{\x19}\x19)");
}

TEST_F(ServerCoreTest, Level1BlocksCarryNumberAndTag) {
    const int id = LoggedIn("Magnus carlsen1", "", 15);
    EXPECT_EQ(Say(id, "`12`who\n"),
              "\x19<\x19[108 * 12\nMagnus(GM)\n1 players logged in.\n\x19]\x19>");
    EXPECT_EQ(Say(id, "`3`frobnicate now\n"),
              "\x19<\x19[0 * 3\nUnknown command \"frobnicate\". Type \"help\" for a list of "
              "commands.\n\x19]\x19>");
    // Quiet commands still get their (empty) block, so a window can see the
    // answer to its tag arrive.
    EXPECT_EQ(Say(id, "`9`Set-quietly wrap 0\n"), "\x19<\x19[206 * 9\n\x19]\x19>");
    // A broken tag is not a tag.
    EXPECT_EQ(Say(id, "`x`who\n"),
              "\x19<\x19[0 * 0\nUnknown command \"`x`who\". Type \"help\" for a list of "
              "commands.\n\x19]\x19>");
    // Blank lines and the client's internal reports produce nothing.
    EXPECT_EQ(Say(id, "\n   \n\x18rePoRt x\n"), "");
    EXPECT_EQ(Say(id, "level1=0\n`12`who\n"), "Magnus(GM)\n1 players logged in.\n");
}

TEST_F(ServerCoreTest, TellAsDatagramWithOddTextQuotedOrAsTextWithoutEscapes) {
    const int magnus = LoggedIn("Magnus carlsen1", kAll, 15);
    const int judit = LoggedIn("Judit polgar1", kAll);
    const int tester = LoggedIn("Tester test1");
    EXPECT_EQ(Say(magnus, "`4`tell judit hi {there}\x07  x\n"),
              "\x19<\x19[101 * 4\n(told Judit)\n\x19(62 Judit\x19)\x19]\x19>");
    EXPECT_EQ(Take(judit), "\x19(31 Magnus GM \x19{hi {there}\x07  x\x19} 1\x19)");
    EXPECT_EQ(Say(judit, "tell MAGNUS {}\n"), "(told Magnus)\n\x19(62 Magnus\x19)");
    EXPECT_EQ(Take(magnus), "\x19(31 Judit \x19{GM H\x19} \x19{{}\x19} 1\x19)");

    EXPECT_EQ(Say(judit, "tell tester a\x19(b\x1a c\n"), "(told Tester)\n\x19(62 Tester\x19)");
    EXPECT_EQ(Take(tester), "Judit(GM H) tells you: a(b c\n");
    EXPECT_EQ(Say(tester, "tell nobody hi\n"), "nobody is not logged in.\n");
    EXPECT_EQ(Say(tester, "tell judit\n"), "Usage: tell <name or channel> <text>\n");
    // Neither one who has quit nor one still at the password prompt can be told.
    Say(judit, "quit\n");
    Say(m_core.Connect(), "Judit\n");
    EXPECT_EQ(Say(tester, "tell judit hi\n"), "judit is not logged in.\n");
}

TEST_F(ServerCoreTest, Set2SwitchesDatagramsAndReportsCurrentValues) {
    const int magnus = LoggedIn("Magnus carlsen1");
    const int judit = LoggedIn("Judit polgar1");
    EXPECT_EQ(Say(judit, "Set-2 31 1\n"), "");
    Say(magnus, "tell judit two\n");
    EXPECT_EQ(Take(judit), "\x19(31 Magnus GM two 1\x19)");
    EXPECT_EQ(Say(judit, "set-2 31 0\n"), "");
    Say(magnus, "tell judit three\n");
    EXPECT_EQ(Take(judit), "Magnus(GM) tells you: three\n");

    EXPECT_EQ(Say(magnus, "Set-2 87 1\n"), "\x19(87 2870 2880 2830 2600 0\x19)");
    EXPECT_EQ(Say(magnus, "Set-2 81 1\n"), "\x19(81\x19)");
    Say(magnus, "set inc 7\nset formula a b\nSet-quietly Interface K 2\n+notify judit\n");
    const std::string variables = Say(magnus, "Set-2 47 1\n");
    EXPECT_NE(variables.find("\x19(47 time 2\x19)\x19(47 increment 7\x19)"), std::string::npos);
    EXPECT_EQ(Say(magnus, "Set-2 48 1\n"),
              "\x19(48 formula \x19{a b\x19}\x19)\x19(48 interface \x19{K 2\x19}\x19)"
              "\x19(48 sfilter \x19{\x19}\x19)");
    EXPECT_EQ(Say(magnus, "Set-2 64 1\n"), "\x19(64 Judit\x19)");
    EXPECT_EQ(Say(magnus, "Set-2 116 1\n").find("\x19(116 0 Standard\x19)\x19(116 1 "), 0u);

    const std::string usage = "Usage: Set-2 <datagram 0-255> <0|1>\n";
    for (const char* bad : {"Set-2\n", "Set-2 31\n", "Set-2 31 2\n", "Set-2 256 1\n",
                            "Set-2 -1 1\n", "Set-2 x 1\n", "Set-2 31 1 extra\n"}) {
        EXPECT_EQ(Say(judit, bad), usage) << bad;
    }
}

struct CommandCase {
    const char* name;
    std::string command;  // from Magnus
    std::string magnus;   // what Magnus then receives
    std::string judit;    // and Judit
    friend void PrintTo(const CommandCase& row, std::ostream* out) { *out << row.name; }
};

class CommandTest : public ServerCoreTest, public testing::WithParamInterface<CommandCase> {};

// Magnus and Judit want every datagram; Judit has issued "match magnus 10 5
// unrated black", both are in channel 7, and Tester, who wants none, is in
// channel 7 too.
TEST_P(CommandTest, BothPartiesGetTheirDatagrams) {
    const CommandCase& c = GetParam();
    const int magnus = LoggedIn("Magnus carlsen1", kAll);
    const int judit = LoggedIn("Judit polgar1", kAll);
    const int tester = LoggedIn("Tester test1");
    Say(judit, "match magnus 10 5 unrated black\n+channel 7\n");
    Say(magnus, "+channel 7\n");
    Say(tester, "+channel 7\n");
    Take(magnus);
    EXPECT_EQ(Say(magnus, c.command + "\n"), c.magnus);
    EXPECT_EQ(Take(judit), c.judit);
}

const std::string kJuditsChallengeEnds = "\x19(30 Judit Magnus \x19{";
const std::string kAccepted =
    "Magnus accepts the challenge from Judit.\x19}\x19){Game 1 (Magnus vs. Judit) Creating "
    "unrated blitz match.}\n";
const std::string kGameStart =
    "\x19(15 1 Magnus Judit 0 Blitz 0 10 5 10 5 1 0 2880 2700 1 GM \x19{GM H\x19} 0 0 0 "
    "\x19{10 5\x19} 0\x19)\x19(43 1 ";
const std::string kGameStartTail =
    "\x19)\x19(25 1 *\x19)\x19(56 1 W 600000 1\x19)\x19(56 1 B 600000 0\x19)";

INSTANTIATE_TEST_SUITE_P(
    Rows, CommandTest,
    testing::Values(
        CommandCase{"ishout", "i waves", "\x19(32 Magnus GM 1 waves\x19)",
                    "\x19(32 Magnus GM 1 waves\x19)"},
        CommandCase{"channel_tell", "tell 7 hi all",
                    "\x19(28 7 Magnus GM \x19{hi all\x19} 1\x19)(told 3 players in channel 7)\n",
                    "\x19(28 7 Magnus GM \x19{hi all\x19} 1\x19)"},
        CommandCase{"channel_quote", "qtell 7 a\\nb",
                    "\x19(82 7 Magnus GM a\\nb\x19)"
                    "(qtold 3 players in channel 7)\n",
                    "\x19(82 7 Magnus GM a\\nb\x19)"},
        CommandCase{"personal_quote", "qtell judit x", "(qtold Judit)\n",
                    "\x19(83 Magnus GM x\x19)"},
        CommandCase{"info", "info judit a b", "(info sent to Judit)\n",
                    "\x19(77 Magnus \x19{a b\x19}\x19)"},
        CommandCase{"rated_match_with_colour", "match judit 3 0 rated white",
                    "Issuing: Magnus (2880) Judit (2700) rated Blitz 3 0 (challenger plays "
                    "White).\n\x19(29 Magnus 2880 2 GM Judit 2700 2 \x19{GM H\x19} 0 Blitz 1 0 3 "
                    "0 3 0 1 -8 8 24\x19)",
                    "\x19(29 Magnus 2880 2 GM Judit 2700 2 \x19{GM H\x19} 0 Blitz 1 0 3 0 3 0 1 "
                    "-8 8 24\x19)"},
        CommandCase{"match_from_variables", "set time 1\nset inc 0\nmatch judit unrated",
                    "\x19(47 time 1\x19)time set to 1.\n\x19(47 increment 0\x19)increment set to "
                    "0.\nIssuing: Magnus (2870) Judit (2650) unrated Bullet 1 0.\n\x19(29 Magnus "
                    "2870 2 GM Judit 2650 2 \x19{GM H\x19} 0 Bullet 0 0 1 0 1 0 -1\x19)",
                    "\x19(29 Magnus 2870 2 GM Judit 2650 2 \x19{GM H\x19} 0 Bullet 0 0 1 0 1 0 "
                    "-1\x19)"},
        CommandCase{"bad_match", "match judit 5",
                    "Usage: match <name> [<minutes> <increment>] "
                    "[rated|unrated] [white|black] [w0|w23] [skill<0-20>]\n",
                    ""},
        CommandCase{"decline", "decline judit",
                    kJuditsChallengeEnds + "Magnus declines the challenge from Judit.\x19}\x19)",
                    kJuditsChallengeEnds + "Magnus declines the challenge from Judit.\x19}\x19)"},
        // Accepting starts the game: its header, the relation, the start
        // position and both clocks, White's running.
        CommandCase{"accept", "accept JUDIT",
                    kJuditsChallengeEnds + kAccepted + kGameStart + "PW" + kGameStartTail,
                    kJuditsChallengeEnds + kAccepted + kGameStart + "PB" + kGameStartTail +
                        "\x19(39 1 1\x19)"},
        CommandCase{"accept_nothing", "accept tester", "There is no challenge from tester.\n", ""},
        CommandCase{"suggestion", "suggest judit 63 s1 0 observe 12 | Watch game 12",
                    "(suggested to Judit)\n",
                    "\x19(63 \x19{observe 12\x19} \x19{Watch game 12\x19} 0 Magnus \x19{\x19} "
                    "s1\x19)"},
        CommandCase{"url_suggestion", "suggest judit 91 9 5 http://x/ | Docs | Read me",
                    "(suggested to Judit)\n",
                    "\x19(91 http://x/ Docs 5 Magnus \x19{Read me\x19} 9\x19)"},
        CommandCase{"unsuggest", "unsuggest judit s1", "(suggestion s1 withdrawn from Judit)\n",
                    "\x19(99 s1\x19)"},
        CommandCase{"redirect", "redirect judit 5001",
                    "(redirected Judit to 127.0.0.1 port 5001)\n", "\x19(120 127.0.0.1 5001\x19)"},
        CommandCase{"savegame", "savegame",
                    "\x19(86 \x19{[White \"Magnus\"]\x19} \x19{[Black \"Sparring\"]\x19} "
                    "\x19{[Result \"1/2-1/2\"]\x19} \x19{\x19} \x19{1. e4 e5 2. Nf3 Nc6 "
                    "1/2-1/2\x19} \x19{\x19}\x19)",
                    ""},
        CommandCase{"notify", "+notify tester\n-notify TESTER\n-notify tester",
                    "tester added to your notify list.\n\x19(68 tester 1\x19)TESTER removed from "
                    "your notify list.\n\x19(68 TESTER 0\x19)tester is not on your notify list.\n",
                    ""},
        // What the client's chat consoles send: no "(told ...)" line, the
        // same datagrams, a "!" after the name.
        CommandCase{"xtell_person", "xtell JUDIT! hi", "\x19(62 Judit\x19)",
                    "\x19(31 Magnus GM hi 1\x19)"},
        CommandCase{"xtell_channel", "Xtell 7 hi", "\x19(28 7 Magnus GM hi 1\x19)",
                    "\x19(28 7 Magnus GM hi 1\x19)"},
        // A chat console's request line: each command introduced by ";".
        CommandCase{"semicolon_line_is_a_multi", ";+channel 8;+channel 9",
                    "[8] added to your channel list.\n[9] added to your channel list.\n", ""},
        CommandCase{"minus_channel_leaves_quietly", "Minus channel 7\ntell 7 x\nMinus chan 7",
                    "(told 2 players in channel 7)\nUsage: Minus channel <0-999>\n",
                    "\x19(28 7 Magnus GM x 1\x19)"},
        CommandCase{"censor_needs_a_known_name_not_ones_own",
                    "+censor ghost\n+censor magnus\n=censor",
                    "There is no player named \"ghost\".\nYou cannot put yourself on your censor "
                    "list.\n-- censor list: 0 names --\n",
                    ""},
        // What the client's offer dialogs send.
        // "a" and "n" override the seeker's variables; a seek without them
        // follows the variables.
        CommandCase{"dialog_seek",
                    "set manualaccept 1\nset useformula 1\nSeek 5 0 w0 r 1000-9999 white a n\n"
                    "Seek 3 0 w0 u 0-9999 ",
                    "\x19(47 manualaccept 1\x19)manualaccept set to 1.\n\x19(47 useformula "
                    "1\x19)useformula set to 1.\nYour seek has been posted with index 1.\n"
                    "\x19(50 1 Magnus GM 2880 2 0 Blitz 5 0 1 1 1000 9999 1 0\x19)"
                    "Your seek has been posted with index 2.\n"
                    "\x19(50 2 Magnus GM 2880 2 0 Blitz 3 0 0 -1 0 9999 0 1\x19)",
                    "\x19(50 1 Magnus GM 2880 2 0 Blitz 5 0 1 1 1000 9999 1 0\x19)"
                    "\x19(50 2 Magnus GM 2880 2 0 Blitz 3 0 0 -1 0 9999 0 1\x19)"},
        CommandCase{"dialog_match", "Match judit 5 0 w23 u black ",
                    "Issuing: Magnus (2600) Judit (----) unrated Wild 5 0 (challenger plays "
                    "Black).\n\x19(29 Magnus 2600 2 GM Judit 0 0 \x19{GM H\x19} 23 Wild 0 0 5 0 5 "
                    "0 0\x19)",
                    "\x19(29 Magnus 2600 2 GM Judit 0 0 \x19{GM H\x19} 23 Wild 0 0 5 0 5 0 0\x19)"},
        CommandCase{"note_by_number", "Set 3 my note\nSet 3 \nset 11 x",
                    "\x19(48 note3 \x19{my note\x19}\x19)note3 set to my note.\n\x19(48 note3 "
                    "\x19{\x19}\x19)note3 unset.\nNo such variable \"11\".\n",
                    ""},
        CommandCase{"set_unknown", "set colour 1\nset time x",
                    "No such variable \"colour\".\n\"x\" is not a number for time.\n", ""}),
    [](const testing::TestParamInfo<CommandCase>& row) { return std::string(row.param.name); });

// The client's chat consoles learn whom they talk to from the echo 62 and
// from their own channel line 28, both only when they carry the console's
// tag inside a block whose header word is "*".
TEST_F(ServerCoreTest, OwnTellsComeBackTaggedInsideTheReplyBlock) {
    const int magnus = LoggedIn("Magnus carlsen1", kAll, 15);
    const int judit = LoggedIn("Judit polgar1", kAll, 15);
    Say(magnus, "+channel 50\n");
    const auto datagram = [](std::string_view bytes, int number) -> const CServerMessage* {
        static std::vector<std::unique_ptr<CServerMessage>> messages;
        messages = ParseServerOutput(bytes);
        for (const auto& message : messages) {
            if (message->kind == CServerMessage::Datagram && message->number == number)
                return message.get();
        }
        return nullptr;
    };
    const CServerMessage* own = datagram(Say(magnus, "`12`Xtell 50 hi\n"), 28);
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(own->tag, 12);
    EXPECT_EQ(own->header, "*");
    EXPECT_EQ(own->Field(1), "50");

    const CServerMessage* echo = datagram(Say(magnus, "`13`tell judit! hello\n"), 62);
    ASSERT_NE(echo, nullptr);
    EXPECT_EQ(echo->tag, 13);
    EXPECT_EQ(echo->header, "*");
    EXPECT_EQ(echo->Field(1), "Judit");
    // What reaches the other side is nobody's reply.
    const CServerMessage* received = datagram(Take(judit), 31);
    ASSERT_NE(received, nullptr);
    EXPECT_EQ(received->tag, 0);
    EXPECT_NE(received->header, "*");
}

TEST_F(ServerCoreTest, CensorSilencesAPersonAndNoplayRefusesTheirChallenges) {
    const int magnus = LoggedIn("Magnus carlsen1", kAll);
    const int judit = LoggedIn("Judit polgar1");
    Say(judit, "+channel 7\n");
    Say(magnus, "+channel 7\n");
    EXPECT_EQ(Say(judit, "+censor MAGNUS\n+noplay magnus\n"),
              "Magnus added to your censor list.\nMagnus added to your noplay list.\n");
    Take(magnus);
    EXPECT_EQ(Say(magnus, "tell judit hi\nqtell judit x\nshout y\nmatch judit\n"),
              "Judit is censoring you.\nJudit is censoring you.\n\x19(32 Magnus GM 0 y\x19)"
              "You are on Judit's noplay list.\n");
    EXPECT_EQ(Say(magnus, "tell 7 z\n"),
              "\x19(28 7 Magnus GM z 1\x19)(told 1 players in channel 7)\n");
    EXPECT_EQ(Take(judit), "");
    // Judit's own lines still reach Magnus, and lifting the censor lets his in.
    EXPECT_EQ(Say(judit, "=censor\n-censor magnus\n"),
              "-- censor list: 1 name --\n Magnus\nmagnus removed from your censor list.\n");
    Say(magnus, "tell judit back\n");
    EXPECT_EQ(Take(judit), "Magnus(GM) tells you: back\n");
}

// Pages as the client reads them: the text of each block, its tag, and no
// page longer than "height" lines with its prompt.
TEST_F(ServerCoreTest, LongAnswersComeInPagesInsideEachCommandsBlock) {
    const int id = LoggedIn("Magnus carlsen1", "", 15);
    const auto block = [](std::string_view bytes, int& tag) {
        std::string text;
        for (const auto& message : ParseServerOutput(bytes)) {
            if (message->kind != CServerMessage::Level1) continue;
            tag = message->tag;
            text += message->TextValue();
        }
        return text;
    };
    int tag = 0;
    const std::string first = block(Say(id, "`4`help channels\n"), tag);
    EXPECT_EQ(tag, 4);
    const std::string prompt =
        "see also: tell, xtell, qtell, shout,\n[type \"more\" to continue]\n";
    ASSERT_GE(first.size(), prompt.size());
    EXPECT_EQ(first.substr(first.size() - prompt.size()), prompt);
    EXPECT_EQ(std::count(first.begin(), first.end(), '\n'), 20);
    EXPECT_EQ(block(Say(id, "`5`more\n"), tag),
              "          censor, more,\n          finger, help\n");
    EXPECT_EQ(tag, 5);
    EXPECT_EQ(block(Say(id, "more\n"), tag), "There is no more.\n");
    // Any other command drops the rest.
    Say(id, "help channels\nwho\n");
    EXPECT_EQ(block(Say(id, "more\n"), tag), "There is no more.\n");

    // Every page at the smallest height, put together, is the page at the
    // largest; and each topic named after "see also" has a page.
    for (const HelpPages::Page& page : HelpPages::All()) {
        Say(id, "set height 240\n");
        const std::string whole = block(Say(id, "help " + std::string(page.topic) + "\n"), tag);
        // Below the least height of 5.
        Say(id, "set height 1\n");
        std::string part = block(Say(id, "help " + std::string(page.topic) + "\n"), tag);
        std::string joined;
        const std::string marker = "[type \"more\" to continue]\n";
        for (int pages = 0; pages < 100; ++pages) {
            EXPECT_LE(std::count(part.begin(), part.end(), '\n'), 5) << page.topic;
            const bool more = part.ends_with(marker);
            joined += more ? part.substr(0, part.size() - marker.size()) : part;
            if (!more) break;
            part = block(Say(id, "more\n"), tag);
        }
        EXPECT_EQ(joined, whole) << page.topic;
        const size_t seeAlso = whole.rfind("\nsee also: ");
        ASSERT_NE(seeAlso, std::string::npos) << page.topic;
        std::string items = whole.substr(seeAlso + 11);
        for (size_t at; (at = items.find(",\n          ")) != std::string::npos;)
            items.replace(at, 12, ", ");
        ASSERT_EQ(items.back(), '\n') << page.topic;
        items.pop_back();
        for (size_t start = 0;;) {
            const size_t comma = items.find(", ", start);
            const std::string item = items.substr(start, comma - start);
            EXPECT_NE(HelpPages::Find(item), nullptr) << page.topic << ": " << item;
            if (comma == std::string::npos) break;
            start = comma + 2;
        }
    }
}

// The person popup's commands read the games of this server: played ones in
// the history, adjourned ones as stored, kept ones in the library; a
// follower is brought to each game the followed player starts.
TEST_F(ServerCoreTest, PersonCommandsListTheirGamesAndFollowersObserveThem) {
    const int magnus = LoggedIn("Magnus carlsen1");
    const int judit = LoggedIn("Judit polgar1");
    const int tester = LoggedIn("Tester test1");
    EXPECT_EQ(Say(tester, "follow JUDIT\n"), "You will now be following Judit's games.\n");
    Say(magnus, "set examine 0\nmatch judit 5 0 rated white\n");
    Say(judit, "set examine 0\naccept magnus\n");
    EXPECT_NE(Take(tester).find("You are now observing game 1.\n"), std::string::npos);
    Say(magnus, "e2e4\nresign\nmatch judit 3 0 unrated\n");
    Say(judit, "accept magnus\n");
    Say(magnus, "e2e4\nadjourn\n");
    Say(judit, "adjourn\n");
    Take(magnus);
    EXPECT_NE(Take(tester).find("You are now observing game 2.\n"), std::string::npos);
    EXPECT_EQ(Say(judit, "history MAGNUS\nstored\nhistory nobody\nliblist\n"),
              "History of Magnus:\n#1    W  Judit (2700)          rated Blitz 5 0         0-1      "
              "Magnus resigns\nAdjourned games of Judit:\n#2    B  Magnus (2880)         unrated "
              "Blitz 3 0       move 1\nThere is no player named \"nobody\".\nJudit has no games "
              "in the library.\n");
    Say(magnus, "examine\nlibkeepexam\n");
    Take(magnus);
    EXPECT_EQ(
        Say(judit, "liblist magnus(GM)\n"),
        "Library of Magnus:\n#3    Magnus vs. Magnus                 *        0 half moves\n");
    EXPECT_EQ(Say(tester, "follow\nfollow\n"),
              "You will not follow Judit's games.\nYou are not following anyone.\n");
}

TEST_F(ServerCoreTest, ThoseWhoWantNoDatagramsReadText) {
    const int magnus = LoggedIn("Magnus carlsen1", kAll, 15);
    const int tester = LoggedIn("Tester test1");
    const int waiting = m_core.Connect();
    Take(waiting);
    EXPECT_EQ(Say(magnus, "`2`shout hello  all\n"),
              "\x19<\x19[102 * 2\n\x19(32 Magnus GM 0 \x19{hello  all\x19}\x19)\x19]\x19>");
    Say(magnus, "i waves\nsshout x\nannounce y\nmatch tester\nunmatch\n");
    EXPECT_EQ(Take(tester),
              "Magnus(GM) shouts: hello  all\n--> Magnus waves\nMagnus(GM) s-shouts: x\n"
              "   ** ANNOUNCEMENT ** from Magnus(GM): y\n"
              "Challenge: Magnus (2880) Tester (----) rated Blitz 2 12.\n"
              "Type \"accept Magnus\" or \"decline Magnus\".\n"
              "Magnus withdraws the challenge to Tester.\n");
    EXPECT_EQ(Take(waiting), "");
}

TEST_F(ServerCoreTest, RegisteredPasswordsLogIn) {
    const int fresh = m_core.Connect();
    const std::string answer = Say(fresh, "level2settings=" + kAll + "\nr\n\n");
    const size_t at = answer.find("\x19(114 ");
    ASSERT_NE(at, std::string::npos) << answer;
    const std::string password = answer.substr(at + 6, 8);
    EXPECT_EQ(answer.substr(at + 14), " Player1\x19)");
    EXPECT_EQ(Fresh("Player1 " + password + "\n").find("**** Starting"), 0u);

    // A guest registers under a handle of its choice; an account gets a new password.
    const int guest = LoggedIn("g\n", kAll);
    EXPECT_EQ(Say(guest, "register Tester\n"),
              "\"Tester\" cannot be registered: it is taken or not a valid handle.\n");
    const std::string registered = Say(guest, "register Newbie\n");
    EXPECT_EQ(registered.find("You are registered as \"Newbie\""), 0u);
    EXPECT_NE(registered.find(" Newbie\x19)"), std::string::npos);
    const std::string changed = Say(LoggedIn("Tester test1", kAll), "register\n");
    const std::string newPassword = changed.substr(changed.find("(114 ") + 5, 8);
    EXPECT_EQ(Fresh("Tester test1\n").find("Invalid password."), 0u);
    EXPECT_EQ(Fresh("Tester " + newPassword + "\n").find("**** Starting"), 0u);
}

TEST_F(ServerCoreTest, LeavingTellsTheNotifyListAndEndsChallenges) {
    const int magnus = LoggedIn("Magnus carlsen1", kAll);
    Say(magnus, "+notify tester\n");
    const int tester = LoggedIn("Tester test1");
    EXPECT_EQ(Take(magnus), "\x19(64 Tester\x19)");
    Say(tester, "match magnus\n");
    Take(magnus);
    m_core.Remove(tester);
    EXPECT_EQ(Take(magnus),
              "\x19(30 Tester Magnus \x19{Tester has left.\x19}\x19)\x19(65 Tester\x19)");
    // A second login closes the first connection: an arrival, and no departure
    // when the first goes.
    const int judit = LoggedIn("Judit polgar1");
    Say(magnus, "+notify judit\n");
    Take(magnus);
    LoggedIn("Judit polgar1");
    EXPECT_EQ(Take(judit), "You have logged in from another connection; closing this one.\n");
    EXPECT_EQ(m_core.Find(judit)->CloseRequest(), ClientSession::Close::Orderly);
    m_core.Remove(judit);
    EXPECT_EQ(Take(magnus), "\x19(64 Judit\x19)");
}

TEST_F(ServerCoreTest, MultiRunsEachPartInsideOneBlock) {
    const int id = LoggedIn("Magnus carlsen1", "", 15);
    EXPECT_EQ(Say(id, "`5`multi Set-2 0 1; Set-quietly interface Kordane 2.31 ;who;;\n"),
              "\x19<\x19[104 * 5\n\x19(0 Magnus GM\x19)Magnus(GM)\n1 players logged in.\n"
              "\x19]\x19>");
    EXPECT_EQ(Say(id, "multi multi who\n"),
              "\x19<\x19[104 * 0\nmulti: a multi inside a multi is not run.\n\x19]\x19>");
}

TEST_F(ServerCoreTest, OverlongLineAndWhatFollowsAQuit) {
    const int id = LoggedIn("Magnus carlsen1");
    const std::string longLine = "tell magnus " + std::string(LineSplitter::kMaxLine, 'x') + "\n";
    EXPECT_EQ(Say(id, longLine + "timing 10\nquit\nwho\n"),
              "Line too long (more than 4096 bytes); ignored.\nTiming commands need a Chronel "
              "connection.\nThank you for using the VCX test server.\n");
    EXPECT_EQ(m_core.Find(id)->CloseRequest(), ClientSession::Close::Orderly);
    EXPECT_EQ(Say(id, "who\n"), "");
}

TEST_F(ServerCoreTest, ClientThatDoesNotReadIsResetPastTheOutboxLimit) {
    const int reader = LoggedIn("Magnus carlsen1");
    const int sleeper = LoggedIn("Judit polgar1");
    std::string burst;
    for (int i = 0; i < 100; ++i) burst += "shout " + std::string(4000, 'y') + "\n";
    for (size_t sent = 0; sent < 2 * ServerCore::kMaxOutbox &&
                          m_core.Find(sleeper)->CloseRequest() == ClientSession::Close::None;
         sent += burst.size()) {
        Say(reader, burst);
    }
    EXPECT_EQ(m_core.Find(sleeper)->CloseRequest(), ClientSession::Close::Reset);
    EXPECT_EQ(m_core.Find(reader)->CloseRequest(), ClientSession::Close::None);
}

// The client's own Chronel filter against the session logic, joined in
// memory: stamped lines, and timing commands answered but never run as
// commands.
TEST_F(ServerCoreTest, ChronelClientLogsInAndAnswersTimingCommands) {
    ChronelFakeHost host;
    Chronel client(host);
    const int id = m_core.Connect();
    std::string parsed;
    const auto pump = [&] {
        for (int round = 0; round < 20; ++round) {
            const std::string wire = Take(id);
            parsed += client.Filter(wire.data(), wire.size());
            if (client.LoginPromptSeen()) {
                client.ClearLoginPrompt();
                client.Queue("Magnus carlsen1\n");
            }
            if (host.sent.empty()) return;
            std::string sent;
            sent.swap(host.sent);
            m_core.Receive(id, sent);
        }
    };
    client.Queue("level2settings=1" + std::string(30, '0') + "1\n");
    pump();
    ASSERT_EQ(host.starts, std::vector<uint32_t>{500});
    host.now += 500;
    client.OnAlarmTimer();
    // The second byte of a UTF-8 "U" with umlaut would start a timing command.
    client.Queue(
        "tell magnus \xc3\x9c"
        "ber\ntiming 20\n");
    pump();
    EXPECT_EQ(parsed,
              "Welcome to the VCX test server.\n\nlogin: **** Starting VCX session as Magnus(GM) "
              "****\n\n\x19(0 Magnus GM\x19)\x19(31 Magnus GM \xc3"
              "ber 1\x19)(told Magnus)\n"
              "Timing requests sent (alarm in 20 ms).\n");
    EXPECT_EQ(host.starts, (std::vector<uint32_t>{500, 20}));
}

}  // namespace

// The event board: what a client that asks for 103 gets, and how an
// announcement and a removal reach only the clients that want them.
TEST_F(ServerCoreTest, EventBoardReachesTheClientsThatAskedForIt) {
    const int magnus = LoggedIn("Magnus carlsen1");
    const int judit = LoggedIn("Judit polgar1");
    const std::string board = Say(magnus, "Set-2 103 1\nSet-2 104 1\n");
    EXPECT_EQ(board.find("\x19(103 1 0 \x19{Blitz Arena"), 0u) << board;
    EXPECT_NE(board.find(" \x19{+channel 50&tell 50 hi\x19} \x19{observe 1\x19} "
                         "http://www.example.org/events/blitz-arena \x19{Join the Blitz Arena?"),
              std::string::npos)
        << board;
    EXPECT_NE(board.find("\x19(103 3 9 "), std::string::npos);

    EXPECT_EQ(Say(judit, "announce-event 7 1 Simul | | observe 2 |\n"), "Event 7 announced.\n");
    EXPECT_EQ(Take(magnus),
              "\x19(103 7 1 Simul \x19{\x19} \x19{observe 2\x19} \x19{\x19} \x19{\x19}\x19)");
    EXPECT_EQ(Say(judit, "announce-event 7 1 Simul moved | x\n"), "Event 7 announced.\n");
    EXPECT_EQ(Take(magnus),
              "\x19(103 7 1 \x19{Simul moved\x19} x \x19{\x19} \x19{\x19} \x19{\x19}\x19)");
    EXPECT_EQ(Say(judit, "remove-event 7\n"), "Event 7 removed.\n");
    EXPECT_EQ(Take(magnus), "\x19(104 7\x19)");
    EXPECT_EQ(Say(judit, "remove-event 7\n"), "There is no event 7.\n");
    const std::string usage =
        "Usage: announce-event <id> <flags 0-15> <description> | <join> | "
        "<watch> | <information> | <question>\n";
    for (const char* bad : {"announce-event\n", "announce-event 0 1 x\n", "announce-event 8 16 x\n",
                            "announce-event 8 1\n", "announce-event 100000 1 x\n"}) {
        EXPECT_EQ(Say(judit, bad), usage) << bad;
    }
    EXPECT_EQ(Say(judit, "remove-event x\n"), "Usage: remove-event <id>\n");
    for (int id = 100; id < 200; ++id) {
        Say(judit, "announce-event " + std::to_string(id) + " 0 e\n");
    }
    EXPECT_EQ(Say(judit, "announce-event 300 0 e\n"), "The event board is full.\n");
    EXPECT_EQ(Say(judit, "announce-event 1 0 replaced\n"), "Event 1 announced.\n");
}

// A client that asked for list datagrams gets a game list as a header and
// one item per game, ten at a time; "more" brings the next ten.
TEST_F(ServerCoreTest, GameListsComeAsDatagramsInBatches) {
    const int magnus = LoggedIn("Magnus carlsen1");
    const int judit = LoggedIn("Judit polgar1", kAll, 15);
    Say(magnus, "set examine 0\n");
    Say(judit, "set examine 0\n");
    for (int i = 0; i < 12; ++i) {
        Say(magnus, "match judit 5 2 rated white\n");
        Say(judit, "accept magnus\n");
        Say(magnus, i == 0 ? "e2e4\n" : "resign\n");
        if (i == 0) Say(judit, "c7c5\nresign\n");
    }
    Say(magnus, "match judit 3 0 unrated\n");
    Say(judit, "accept magnus\n");
    Say(magnus, "e2e4\nadjourn\n");
    Say(judit, "adjourn\n");
    Take(magnus);
    Take(judit);

    const auto fields = [](const CServerMessage& m) {
        std::string all;
        for (int i = 1; i < m.FieldCount(); ++i) all += (i > 1 ? "|" : "") + m.Field(i);
        return all;
    };
    const auto list = [&](std::string_view command, int expectItems) {
        auto messages = ParseServerOutput(Say(judit, command));
        std::vector<std::string> out;
        for (const auto& m : messages) {
            EXPECT_EQ(m->kind, CServerMessage::Datagram) << m->TextValue();
            out.push_back(fields(*m));
        }
        EXPECT_EQ(static_cast<int>(out.size()), expectItems + 1) << command;
        return out;
    };
    const std::vector<std::string> first = list("history\n", 10);
    ASSERT_EQ(first.size(), 11u);
    EXPECT_EQ(first[0], "history|Judit|12|1|10");
    // The first game: Magnus white, Judit resigned after 1. e4 c5.
    EXPECT_EQ(first[1].substr(0, 5), "1|1|?");
    EXPECT_NE(first[1].find("|Magnus|2880|Judit|2700|1|0|0|5|2|0|0|B20|0|0|0|Judit resigns|0"),
              std::string::npos)
        << first[1];
    EXPECT_NE(first[2].find("|0|0|5|2|0|0||0|1|0|Magnus resigns|0"), std::string::npos) << first[2];
    const std::vector<std::string> rest = list("more\n", 2);
    ASSERT_EQ(rest.size(), 3u);
    EXPECT_EQ(rest[0], "history|Judit|12|11|12");
    EXPECT_EQ(rest[2].substr(0, 3), "12|");
    EXPECT_NE(Say(judit, "more\n").find("There is no more.\n"), std::string::npos);

    const std::vector<std::string> stored = list("stored\n", 1);
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0], "stored|Judit|1|1|1");
    // Adjourned by agreement, the opponent logged in.
    EXPECT_NE(stored[1].find("|Magnus|2880|Judit|2700|0|0|0|3|0|0|0|B00|3|0|0|"), std::string::npos)
        << stored[1];
    EXPECT_EQ(stored[1].back(), '1');
    EXPECT_EQ(list("liblist\n", 0), (std::vector<std::string>{"liblist|Judit|0|0|0"}));
    const std::vector<std::string> search = list("search magnus\n", 10);
    ASSERT_FALSE(search.empty());
    EXPECT_EQ(search[0], "search|Magnus|12|1|10");
}
