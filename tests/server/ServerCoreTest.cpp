// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
// The server's session logic without sockets, checked byte for byte on what
// plain clients receive.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "AccountStore.h"
#include "ServerCore.h"
#include "Transcript.h"

namespace {

const std::string kGreeting = "Welcome to the VCX test server.\n\nlogin: ";
const std::string kAllDatagrams(ClientSession::kMaxDatagrams, '1');

AccountStore TestAccounts() {
    std::string error;
    auto store = AccountStore::Parse(
        "Magnus carlsen1 GM 2870,2880,2830,2600\n"
        "Judit polgar1 GM,H 2650\n"
        "Tester test1 - -\n",
        error);
    EXPECT_TRUE(store) << error;
    return store ? std::move(*store) : AccountStore{};
}

class ServerCoreTest : public testing::Test {
  protected:
    ServerCoreTest() : m_accounts(TestAccounts()), m_core(m_accounts, m_transcript) {}

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
    // A client logged in with the datagrams and level-1 mode given.
    int LoggedIn(std::string_view login, std::string_view level2 = "", int level1 = 0) {
        const int id = m_core.Connect();
        m_core.Receive(id, "level2settings=" + std::string(level2) + "\nlevel1=" +
                               std::to_string(level1) + "\n" + std::string(login) + "\n");
        EXPECT_TRUE(m_core.Find(id)->LoggedIn()) << login;
        Take(id);
        return id;
    }
    // A level2settings string with exactly these datagrams on.
    static std::string Wants(std::initializer_list<int> numbers) {
        std::string flags(ClientSession::kMaxDatagrams, '0');
        for (int n : numbers) flags[static_cast<size_t>(n)] = '1';
        return flags;
    }

    Transcript m_transcript;
    AccountStore m_accounts;
    ServerCore m_core;
};

TEST_F(ServerCoreTest, GreetsWithBannerAndLoginPrompt) {
    const int id = m_core.Connect();
    EXPECT_EQ(Take(id), kGreeting);
    EXPECT_FALSE(m_core.Find(id)->LoggedIn());
}

struct LoginCase {
    const char* name;
    std::string input;
    std::string output;  // after the greeting
    const char* handle;  // logged in as, or "" when still at a prompt
    // Names the row in test listings.
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
    EXPECT_EQ(session->LoggedIn(), std::string(c.handle) != "");
    if (session->LoggedIn()) {
        EXPECT_EQ(session->Handle(), c.handle);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LoginTest,
    testing::Values(
        LoginCase{"handle_and_password", "Magnus carlsen1\n",
                  "**** Starting VCX session as Magnus(GM) ****\n\n", "Magnus"},
        LoginCase{"handle_case_is_free", "mAGNUS carlsen1\r\n",
                  "**** Starting VCX session as Magnus(GM) ****\n\n", "Magnus"},
        LoginCase{"typed_with_prompt", "Tester\ntest1\n",
                  "password: **** Starting VCX session as Tester ****\n\n", "Tester"},
        LoginCase{"wrong_password", "Magnus carlsen2\n", "Invalid password.\nlogin: ", ""},
        LoginCase{"wrong_typed_password_then_right", "Judit\nnope\nJudit polgar1\n",
                  "password: Invalid password.\nlogin: "
                  "**** Starting VCX session as Judit(GM H) ****\n\n",
                  "Judit"},
        LoginCase{"password_case_matters", "Tester TEST1\n", "Invalid password.\nlogin: ", ""},
        LoginCase{
            "unknown_handle", "Nobody x\n",
            "\"Nobody\" is not a registered name. Log in as a guest with \"g\".\nlogin: ", ""},
        LoginCase{"invalid_handle", "9lives\n",
                  "\"9lives\" is not a valid handle: use 2 to 15 letters, digits or \"-\", "
                  "starting with a letter.\nlogin: ",
                  ""},
        LoginCase{"guest", "g\n\n",
                  "Logging you in as \"Guest1\".\nPress return to enter the server as "
                  "\"Guest1\": **** Starting VCX session as Guest1(U) ****\n\n",
                  "Guest1"},
        LoginCase{"guest_waits_for_confirmation", "g\n",
                  "Logging you in as \"Guest1\".\nPress return to enter the server as "
                  "\"Guest1\": ",
                  ""},
        LoginCase{"register", "r\n",
                  "Registration is closed on this test server. Log in as a guest with \"g\", or "
                  "ask the server's operator for an account.\nlogin: ",
                  ""},
        LoginCase{"empty_line_prompts_again", "\n  \n", "login: login: ", ""},
        LoginCase{"settings_lines_at_every_prompt",
                  "level2settings=0\nlevel1=0\nTester\nlevel1=0\ntest1\n",
                  "password: **** Starting VCX session as Tester ****\n\n", "Tester"},
        LoginCase{"settings_line_does_not_confirm_guest", "g\nlevel1=0\n\n",
                  "Logging you in as \"Guest1\".\nPress return to enter the server as "
                  "\"Guest1\": **** Starting VCX session as Guest1(U) ****\n\n",
                  "Guest1"},
        LoginCase{"commands_are_not_run_before_login", "quit\n",
                  "\"quit\" is not a registered name. Log in as a guest with \"g\".\nlogin: ", ""}),
    [](const testing::TestParamInfo<LoginCase>& row) { return std::string(row.param.name); });

TEST_F(ServerCoreTest, GuestsGetDistinctNames) {
    const int a = LoggedIn("g\n");
    const int b = LoggedIn("G\n");
    EXPECT_EQ(m_core.Find(a)->Handle(), "Guest1");
    EXPECT_EQ(m_core.Find(b)->Handle(), "Guest2");
    EXPECT_TRUE(m_core.Find(b)->IsGuest());
}

TEST_F(ServerCoreTest, WhoAmIOnlyWhenAskedFor) {
    const int id = m_core.Connect();
    Take(id);
    EXPECT_EQ(Say(id, "level2settings=1\nMagnus carlsen1\n"),
              "**** Starting VCX session as Magnus(GM) ****\n\n\x19(0 Magnus GM\x19)");

    const int off = m_core.Connect();
    Take(off);
    EXPECT_EQ(Say(off, "level2settings=0111\nTester test1\n"),
              "**** Starting VCX session as Tester ****\n\n");

    // An untitled user's titles field is empty, and quoted so it survives.
    const int guest = m_core.Connect();
    Take(guest);
    EXPECT_EQ(Say(guest, "level2settings=1\ng\n\n"),
              "Logging you in as \"Guest1\".\nPress return to enter the server as \"Guest1\": "
              "**** Starting VCX session as Guest1(U) ****\n\n\x19(0 Guest1 U\x19)");
    const int tester = m_core.Connect();
    Take(tester);
    EXPECT_EQ(Say(tester, "level2settings=1\nTester test1\n"),
              "**** Starting VCX session as Tester ****\n\n\x19(0 Tester \x19{\x19}\x19)");
}

TEST_F(ServerCoreTest, RatingCategoriesAndRatingsWhenAskedFor) {
    const int id = m_core.Connect();
    Take(id);
    EXPECT_EQ(Say(id, "level2settings=" + Wants({76}) + "\nMagnus carlsen1\n"),
              "**** Starting VCX session as Magnus(GM) ****\n\n"
              "\x19(76 1 Bullet\x19)\x19(76 2 Blitz\x19)\x19(76 3 Standard\x19)"
              "\x19(76 4 Wild\x19)\x19(76 5 Bughouse\x19)");
    EXPECT_EQ(Say(id, "Set-2 87 1\n"), "\x19(87 2870 2880 2830 2600 0\x19)");
    EXPECT_EQ(Say(id, "Set-2 87 0\n"), "");
}

TEST_F(ServerCoreTest, Level1BlocksCarryNumberAndTag) {
    const int id = LoggedIn("Magnus carlsen1", "", 15);
    EXPECT_EQ(Say(id, "`12`who\n"),
              "\x19<\x19[108 * 12\nMagnus(GM)\n1 players logged in.\n\x19]\x19>");
    EXPECT_EQ(Say(id, "who\n"), "\x19<\x19[108 * 0\nMagnus(GM)\n1 players logged in.\n\x19]\x19>");
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
    EXPECT_EQ(Say(id,
                  "\n   \n\x18"
                  "crePoRt x\n"),
              "");

    EXPECT_EQ(Say(id, "level1=0\n`12`who\n"), "Magnus(GM)\n1 players logged in.\n");
}

TEST_F(ServerCoreTest, TellArrivesAsDatagramWithOddTextQuoted) {
    const int magnus = LoggedIn("Magnus carlsen1", Wants({31, 62}), 15);
    const int judit = LoggedIn("Judit polgar1", Wants({31}));
    EXPECT_EQ(Say(magnus, "`4`tell judit hi {there}\x07  x\n"),
              "\x19<\x19[101 * 4\n(told Judit)\n\x19(62 Judit\x19)\x19]\x19>");
    EXPECT_EQ(Take(judit), "\x19(31 Magnus GM \x19{hi {there}\x07  x\x19} 1\x19)");

    EXPECT_EQ(Say(judit, "tell MAGNUS {}\n"), "(told Magnus)\n");
    EXPECT_EQ(Take(magnus), "\x19(31 Judit \x19{GM H\x19} \x19{{}\x19} 1\x19)");
}

TEST_F(ServerCoreTest, TellWithoutDatagramIsReadableTextWithoutEscapes) {
    const int magnus = LoggedIn("Magnus carlsen1");
    const int tester = LoggedIn("Tester test1");
    EXPECT_EQ(Say(magnus, "tell tester a\x19(b\x1a c\n"), "(told Tester)\n");
    EXPECT_EQ(Take(tester), "Magnus(GM) tells you: a(b c\n");

    EXPECT_EQ(Say(magnus, "tell nobody hi\n"), "nobody is not logged in.\n");
    EXPECT_EQ(Say(magnus, "tell tester\n"), "Usage: tell <name> <text>\n");
    EXPECT_EQ(Say(magnus, "tell\n"), "Usage: tell <name> <text>\n");
    EXPECT_EQ(Take(tester), "");

    // Someone still at the login prompt cannot be told.
    const int waiting = m_core.Connect();
    Say(waiting, "Judit\n");
    EXPECT_EQ(Say(magnus, "tell judit hi\n"), "judit is not logged in.\n");
}

TEST_F(ServerCoreTest, ShoutReachesEveryoneInTheirOwnForm) {
    const int magnus = LoggedIn("Magnus carlsen1", Wants({32}), 15);
    const int judit = LoggedIn("Judit polgar1", Wants({32}));
    const int tester = LoggedIn("Tester test1");
    const int waiting = m_core.Connect();
    Take(waiting);
    EXPECT_EQ(Say(magnus, "`2`shout hello  all\n"),
              "\x19<\x19[102 * 2\n\x19(32 Magnus GM 0 \x19{hello  all\x19}\x19)\x19]\x19>");
    EXPECT_EQ(Take(judit), "\x19(32 Magnus GM 0 \x19{hello  all\x19}\x19)");
    EXPECT_EQ(Take(tester), "Magnus(GM) shouts: hello  all\n");
    EXPECT_EQ(Take(waiting), "");
    EXPECT_EQ(Say(tester, "shout\n"), "Usage: shout <text>\n");
}

TEST_F(ServerCoreTest, Set2SwitchesDatagramsAtRunTime) {
    const int magnus = LoggedIn("Magnus carlsen1");
    const int judit = LoggedIn("Judit polgar1");
    Say(magnus, "tell judit one\n");
    EXPECT_EQ(Take(judit), "Magnus(GM) tells you: one\n");
    EXPECT_EQ(Say(judit, "Set-2 31 1\n"), "");
    Say(magnus, "tell judit two\n");
    EXPECT_EQ(Take(judit), "\x19(31 Magnus GM two 1\x19)");
    EXPECT_EQ(Say(judit, "set-2 31 0\n"), "");
    Say(magnus, "tell judit three\n");
    EXPECT_EQ(Take(judit), "Magnus(GM) tells you: three\n");

    // Switching datagram 0 on answers with the identity, as the client's
    // login sequence expects.
    EXPECT_EQ(Say(judit, "Set-2 0 1\n"), "\x19(0 Judit \x19{GM H\x19}\x19)");

    const std::string usage = "Usage: Set-2 <datagram 0-255> <0|1>\n";
    for (const char* bad : {"Set-2\n", "Set-2 31\n", "Set-2 31 2\n", "Set-2 256 1\n",
                            "Set-2 -1 1\n", "Set-2 x 1\n", "Set-2 31 1 extra\n"}) {
        EXPECT_EQ(Say(judit, bad), usage) << bad;
    }
}

TEST_F(ServerCoreTest, MultiRunsEachPartInsideOneBlock) {
    const int id = LoggedIn("Magnus carlsen1", "", 15);
    EXPECT_EQ(Say(id, "`5`multi Set-2 0 1; Set-quietly interface Kordane 2.31 ;who;;\n"),
              "\x19<\x19[104 * 5\n\x19(0 Magnus GM\x19)Magnus(GM)\n1 players logged in.\n"
              "\x19]\x19>");
    EXPECT_EQ(m_core.Find(id)->Variable("INTERFACE"), "Kordane 2.31");
    EXPECT_EQ(Say(id, "multi multi who\n"),
              "\x19<\x19[104 * 0\nmulti: a multi inside a multi is not run.\n\x19]\x19>");
}

TEST_F(ServerCoreTest, QuitAndResetAskTheSocketToClose) {
    const int quitter = LoggedIn("Tester test1", "", 15);
    EXPECT_EQ(Say(quitter, "quit\nwho\n"),
              "\x19<\x19[105 * 0\nThank you for using the VCX test server.\n\x19]\x19>");
    EXPECT_EQ(m_core.Find(quitter)->CloseRequest(), ClientSession::Close::Orderly);
    // A closing session is no longer anyone's to tell.
    const int magnus = LoggedIn("Magnus carlsen1");
    EXPECT_EQ(Say(magnus, "tell tester hi\n"), "tester is not logged in.\n");
    EXPECT_EQ(Say(quitter, "who\n"), "");

    EXPECT_EQ(Say(magnus, "reset-connection\n"), "");
    EXPECT_EQ(m_core.Find(magnus)->CloseRequest(), ClientSession::Close::Reset);

    const int finished = m_core.Connect();
    Take(finished);
    m_core.PeerFinished(finished);
    EXPECT_EQ(m_core.Find(finished)->CloseRequest(), ClientSession::Close::Orderly);
    m_core.Remove(finished);
    EXPECT_EQ(m_core.Find(finished), nullptr);
}

TEST_F(ServerCoreTest, SecondLoginOfAnAccountClosesTheFirst) {
    const int first = LoggedIn("Magnus carlsen1");
    const int second = LoggedIn("Magnus carlsen1");
    EXPECT_EQ(Take(first), "You have logged in from another connection; closing this one.\n");
    EXPECT_EQ(m_core.Find(first)->CloseRequest(), ClientSession::Close::Orderly);
    EXPECT_EQ(m_core.FindLoggedIn("magnus"), m_core.Find(second));
}

TEST_F(ServerCoreTest, OverlongLineIsRefusedAndTheStreamStaysInStep) {
    const int id = LoggedIn("Magnus carlsen1");
    const std::string longLine = "tell magnus " + std::string(LineSplitter::kMaxLine, 'x') + "\n";
    EXPECT_EQ(Say(id, longLine + "who\n"),
              "Line too long (more than 4096 bytes); ignored.\nMagnus(GM)\n1 players logged in.\n");
}

TEST_F(ServerCoreTest, TimingCommandsNeedChronel) {
    const int id = LoggedIn("Magnus carlsen1");
    EXPECT_EQ(Say(id, "timing 10\n"), "Timing commands need a Chronel connection.\n");
}

TEST_F(ServerCoreTest, ClientThatDoesNotReadIsResetPastTheOutboxLimit) {
    const int reader = LoggedIn("Magnus carlsen1");
    const int sleeper = LoggedIn("Judit polgar1");
    const std::string line = "shout " + std::string(4000, 'y') + "\n";
    std::string burst;
    for (int i = 0; i < 100; ++i) burst += line;
    for (size_t sent = 0; sent < 2 * ServerCore::kMaxOutbox &&
                          m_core.Find(sleeper)->CloseRequest() == ClientSession::Close::None;
         sent += burst.size()) {
        m_core.Receive(reader, burst);
        Take(reader);
    }
    EXPECT_EQ(m_core.Find(sleeper)->CloseRequest(), ClientSession::Close::Reset);
    EXPECT_EQ(m_core.Find(reader)->CloseRequest(), ClientSession::Close::None);
}

}  // namespace
