// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
// The built server over real loopback sockets, as nc or a test script would
// use it: plain mode, byte for byte.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "RawClient.h"
#include "ServerProcess.h"

namespace {

const std::string kGreeting = "Welcome to the VCX test server.\n\nlogin: ";
const std::string kAccounts = KORDANE_SOURCE_DIR "/server/demo-accounts.txt";

std::string TempPath(const std::string& name) {
    return testing::TempDir() + "vcx-" + std::to_string(getpid()) + "-" + name;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class ServerProcessTest : public testing::Test {
  protected:
    void StartServer(std::vector<std::string> extra = {}) {
        extra.insert(extra.begin(), {"--accounts", kAccounts});
        std::string error;
        ASSERT_TRUE(m_server.Start(extra, error)) << error;
    }
    // A client that has read the greeting.
    std::unique_ptr<RawClient> Connect() {
        auto client = std::make_unique<RawClient>();
        EXPECT_TRUE(client->Connect(m_server.Port()));
        EXPECT_EQ(client->ReadUntil("login: "), kGreeting);
        return client;
    }
    std::unique_ptr<RawClient> LogIn(const std::string& settings, const std::string& login,
                                     const std::string& expectedEnd) {
        auto client = Connect();
        client->Send(settings + login + "\n");
        const std::string answer = client->ReadUntil(expectedEnd);
        EXPECT_TRUE(answer.ends_with(expectedEnd)) << answer;
        return client;
    }

    ServerProcess m_server;
};

TEST_F(ServerProcessTest, AnnouncesTheFreePortItPicked) {
    StartServer();
    EXPECT_EQ(m_server.ReadyLine(),
              "listening on 127.0.0.1:" + std::to_string(m_server.Port()) + "\n");
}

TEST_F(ServerProcessTest, AccountLoginWithWhoAmIInsideNoBlock) {
    StartServer();
    auto client = Connect();
    client->Send("level2settings=1\nlevel1=15\nJudit polgar1\n");
    EXPECT_EQ(client->ReadUntil("\x19)"),
              "**** Starting VCX session as Judit(GM H) ****\n\n\x19(0 Judit \x19{GM H\x19}\x19)");
}

// The prompt has no line break, so it must reach the socket before the
// server has the answer.
TEST_F(ServerProcessTest, TypedLoginGetsThePasswordPrompt) {
    StartServer();
    auto typed = Connect();
    typed->Send("Tester\n");
    EXPECT_EQ(typed->ReadUntil("password: "), "password: ");
    typed->Send("test1\n");
    EXPECT_EQ(typed->ReadUntil("****\n\n"), "**** Starting VCX session as Tester ****\n\n");
}

TEST_F(ServerProcessTest, TellShoutAndSet2BetweenTwoClients) {
    StartServer();
    const std::string wants31 = "level2settings=" + std::string(31, '0') + "11\n";
    auto magnus = LogIn("level1=15\n", "Magnus carlsen1", "****\n\n");
    auto judit = LogIn(wants31, "Judit polgar1", "****\n\n");

    magnus->Send("`7`tell judit {odd} text\x07 here\n");
    EXPECT_EQ(magnus->ReadUntil("\x19>"), "\x19<\x19[101 * 7\n(told Judit)\n\x19]\x19>");
    EXPECT_EQ(judit->ReadUntil("\x19)"), "\x19(31 Magnus GM \x19{{odd} text\x07 here\x19} 1\x19)");

    magnus->Send("shout all  of you\n");
    EXPECT_EQ(magnus->ReadUntil("\x19>"),
              "\x19<\x19[102 * 0\nMagnus(GM) shouts: all  of you\n\x19]\x19>");
    EXPECT_EQ(judit->ReadUntil("\x19)"), "\x19(32 Magnus GM 0 \x19{all  of you\x19}\x19)");

    judit->Send("Set-2 31 0\nSet-2 32 0\n");
    // The switch must have been handled before the next tell: ask and wait.
    judit->Send("who\n");
    judit->ReadUntil("logged in.\n");
    magnus->Send("tell judit plain now\nshout plain too\n");
    EXPECT_EQ(judit->ReadUntil("too\n"),
              "Magnus(GM) tells you: plain now\nMagnus(GM) shouts: plain too\n");
}

TEST_F(ServerProcessTest, QuitEndsWithAnOrderlyClose) {
    StartServer();
    auto client = LogIn("", "Tester test1", "****\n\n");
    client->Send("quit\n");
    EXPECT_EQ(client->ReadToEnd(), "Thank you for using the VCX test server.\n");
    EXPECT_EQ(client->Ended(), RawClient::End::Eof);
}

TEST_F(ServerProcessTest, ResetConnectionIsSeenAsConnectionReset) {
    StartServer();
    auto client = LogIn("", "Tester test1", "****\n\n");
    client->Send("reset-connection\n");
    EXPECT_EQ(client->ReadToEnd(), "");
    EXPECT_EQ(client->Ended(), RawClient::End::Reset);
    // The server carries on.
    auto other = LogIn("", "Tester test1", "****\n\n");
}

TEST_F(ServerProcessTest, HalfClosedPeerIsAnsweredThenClosed) {
    StartServer();
    auto client = Connect();
    client->Send("g\n\nwho\n");
    client->ShutdownWrite();
    EXPECT_EQ(client->ReadToEnd(),
              "Logging you in as \"Guest1\".\nPress return to enter the server as \"Guest1\": "
              "**** Starting VCX session as Guest1(U) ****\n\nGuest1(U)\n1 players logged in.\n");
    EXPECT_EQ(client->Ended(), RawClient::End::Eof);
}

TEST_F(ServerProcessTest, ManyClientsAtOnceAllHearAShout) {
    StartServer();
    std::vector<std::unique_ptr<RawClient>> guests;
    for (int i = 0; i < 60; ++i) guests.push_back(LogIn("", "g\n", "****\n\n"));
    guests.front()->Send("shout roll call\n");
    for (auto& guest : guests) {
        EXPECT_EQ(guest->ReadUntil("call\n"), "Guest1(U) shouts: roll call\n");
    }
    guests.back()->Send("who\n");
    EXPECT_TRUE(guests.back()->ReadUntil("logged in.\n").ends_with("\n60 players logged in.\n"));
}

TEST_F(ServerProcessTest, OutOfDescriptorsWaitsAndRecovers) {
    // With 16 descriptors, about ten clients fit (how many depends on what
    // the server inherits); the rest wait in the listen queue until others
    // leave, and the server neither fails nor stops serving.
    m_server.SetFileLimit(16);
    StartServer();
    std::vector<std::unique_ptr<RawClient>> greeted;
    std::vector<std::unique_ptr<RawClient>> waiting;
    for (int i = 0; i < 14; ++i) {
        auto client = std::make_unique<RawClient>();
        ASSERT_TRUE(client->Connect(m_server.Port()));
        const std::string text = client->ReadUntil("login: ", std::chrono::milliseconds(300));
        if (text.empty()) {
            waiting.push_back(std::move(client));
        } else {
            EXPECT_EQ(text, kGreeting);
            greeted.push_back(std::move(client));
        }
    }
    ASSERT_FALSE(waiting.empty());
    ASSERT_GE(greeted.size(), waiting.size());
    // Waiting for a descriptor is not a busy loop.
    const long cpuBefore = m_server.CpuMs();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_LT(m_server.CpuMs() - cpuBefore, 60);
    greeted.front()->Send("g\n\n");
    EXPECT_TRUE(greeted.front()->ReadUntil("****\n\n").ends_with("****\n\n"));
    greeted.clear();
    for (auto& client : waiting) EXPECT_EQ(client->ReadUntil("login: "), kGreeting);
    waiting.back()->Send("g\n\nwho\n");
    EXPECT_TRUE(waiting.back()->ReadUntil("logged in.\n").ends_with("\n1 players logged in.\n"));
}

TEST_F(ServerProcessTest, GarbageAndFloodsDoNotHurtOtherClients) {
    StartServer();
    std::mt19937 random(7);
    auto noisy = Connect();
    std::string noise(1 << 20, '\0');
    for (char& c : noise) c = static_cast<char>(random());
    noisy->Send(noise);
    noisy->Send(std::string(100000, 'x'));  // a line that never ends

    // A client that never reads while a flood is sent its way.
    auto sleeper = LogIn("", "Judit polgar1", "****\n\n");
    auto flooder = LogIn("", "Magnus carlsen1", "****\n\n");
    const std::string line = "tell judit " + std::string(3000, 'z') + "\n";
    std::string burst;
    for (int i = 0; i < 400; ++i) burst += line;
    flooder->Send(burst);

    auto fresh = LogIn("", "Tester test1", "****\n\n");
    fresh->Send("who\n");
    EXPECT_TRUE(fresh->ReadUntil("logged in.\n").ends_with(" players logged in.\n"));
    // The flooder got every confirmation although the sleeper reads nothing.
    std::string confirmations;
    for (int i = 0; i < 400; ++i) confirmations += "(told Judit)\n";
    EXPECT_EQ(flooder->ReadUntil(confirmations), confirmations);
}

TEST_F(ServerProcessTest, TranscriptShowsEachLineAndEachAnswer) {
    const std::string path = TempPath("transcript.txt");
    StartServer({"--transcript", path});
    auto client = Connect();
    client->Send("level1=15\nTester test1\n`3`shout \x07hi\\\n");
    client->ReadUntil("\x19>");
    client->Send("quit\n");
    client->ReadToEnd();
    EXPECT_EQ(m_server.Stop(), 0);
    EXPECT_EQ(ReadFile(path),
              "C1 note connected\n"
              "C1 send Welcome to the VCX test server.\\x0a\n"
              "C1 send \\x0a\n"
              "C1 send login: \n"
              "C1 note mode plain\n"
              "C1 recv level1=15\n"
              "C1 recv Tester test1\n"
              "C1 note logged in as Tester\n"
              "C1 send **** Starting VCX session as Tester ****\\x0a\n"
              "C1 send \\x0a\n"
              "C1 recv `3`shout \\x07hi\\x5c\n"
              "C1 send \\x19<\\x19[102 * 3\\x0a\n"
              "C1 send Tester shouts: \\x07hi\\x5c\\x0a\n"
              "C1 send \\x19]\\x19>\n"
              "C1 recv quit\n"
              "C1 send \\x19<\\x19[105 * 0\\x0a\n"
              "C1 send Thank you for using the VCX test server.\\x0a\n"
              "C1 send \\x19]\\x19>\n"
              "C1 note closed\n");
    unlink(path.c_str());
}

TEST(ServerCommandLineTest, BadArgumentsAndFilesAreRefusedWithAReason) {
    struct Row {
        std::vector<std::string> args;
        int exitCode;
        std::string firstLine;
    };
    const std::string badAccounts = TempPath("bad-accounts.txt");
    std::ofstream(badAccounts) << "Magnus pw GM 2800\nbroken line\n";
    const std::vector<Row> rows = {
        {{}, 2, "vcx-server: --port is required\n"},
        {{"--port", "x"}, 2, "vcx-server: --port: \"x\" is not a port number (0 to 65535)\n"},
        {{"--port", "0", "--accounts", "/nonexistent"},
         1,
         "vcx-server: accounts: cannot open /nonexistent\n"},
        {{"--port", "0", "--accounts", badAccounts},
         1,
         "vcx-server: accounts: " + badAccounts +
             ": line 2: expected 4 fields (handle password titles ratings), got 2\n"},
        {{"--port", "0", "--transcript", "/nonexistent/t.txt"},
         1,
         "vcx-server: cannot write transcript /nonexistent/t.txt\n"},
    };
    for (const Row& row : rows) {
        std::string stderrText;
        EXPECT_EQ(ServerProcess::RunToExit(row.args, stderrText), row.exitCode);
        EXPECT_EQ(stderrText.substr(0, stderrText.find('\n') + 1), row.firstLine);
    }
    unlink(badAccounts.c_str());
}

}  // namespace
