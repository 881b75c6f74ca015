// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
// The built server over real loopback sockets, as nc or a test script would
// use it: plain mode, byte for byte.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "RawClient.h"
#include "ServerProcess.h"

namespace {

const std::string kGreeting = "Welcome to the VCX test server.\n\nlogin: ";
const std::string kAccounts = KORDANE_SOURCE_DIR "/server/demo-accounts.txt";

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
    std::unique_ptr<RawClient> LogIn(const std::string& login) {
        auto client = Connect();
        client->Send(login + "\n");
        const std::string answer = client->ReadUntil("****\n\n");
        EXPECT_TRUE(answer.ends_with("****\n\n")) << answer;
        return client;
    }

    ServerProcess m_server;
};

// The prompt has no line break, so it must reach the socket before the
// server has the answer.
TEST_F(ServerProcessTest, PromptsFlushQuitClosesInOrderResetResets) {
    StartServer();
    auto quitter = Connect();
    quitter->Send("Tester\n");
    EXPECT_EQ(quitter->ReadUntil("password: "), "password: ");
    quitter->Send("test1\nquit\n");
    EXPECT_EQ(quitter->ReadToEnd(),
              "**** Starting VCX session as Tester ****\n\nThank you for "
              "using the VCX test server.\n");
    EXPECT_EQ(quitter->Ended(), RawClient::End::Eof);
    auto resetter = LogIn("Tester test1");
    resetter->Send("reset-connection\n");
    EXPECT_EQ(resetter->ReadToEnd(), "");
    EXPECT_EQ(resetter->Ended(), RawClient::End::Reset);
    // The server carries on.
    LogIn("Tester test1");
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
    auto noisy = Connect();
    noisy->Send(std::string(100000, 'x'));  // a line that never ends

    // A client that never reads while a flood is sent its way.
    auto sleeper = LogIn("Judit polgar1");
    auto flooder = LogIn("Magnus carlsen1");
    const std::string line = "tell judit " + std::string(3000, 'z') + "\n";
    std::string burst;
    for (int i = 0; i < 400; ++i) burst += line;
    flooder->Send(burst);

    auto fresh = LogIn("Tester test1");
    fresh->Send("who\n");
    EXPECT_TRUE(fresh->ReadUntil("logged in.\n").ends_with(" players logged in.\n"));
    // The flooder got every confirmation although the sleeper reads nothing.
    std::string confirmations;
    for (int i = 0; i < 400; ++i) confirmations += "(told Judit)\n";
    EXPECT_EQ(flooder->ReadUntil(confirmations), confirmations);
}

TEST(ServerCommandLineTest, BadArgumentsAndFilesAreRefusedWithAReason) {
    struct Row {
        std::vector<std::string> args;
        int exitCode;
        std::string firstLine;
    };
    // Option and account-file errors themselves are ServerOptionsTest's and
    // AccountStoreTest's; here only that main() reports them and how it exits.
    const std::vector<Row> rows = {
        {{"--port", "x"}, 2, "vcx-server: --port: \"x\" is not a port number (0 to 65535)\n"},
        {{"--port", "0", "--accounts", "/nonexistent"},
         1,
         "vcx-server: accounts: cannot open /nonexistent\n"},
        {{"--port", "0", "--transcript", "/nonexistent/t.txt"},
         1,
         "vcx-server: cannot write transcript /nonexistent/t.txt\n"},
    };
    for (const Row& row : rows) {
        std::string stderrText;
        EXPECT_EQ(ServerProcess::RunToExit(row.args, stderrText), row.exitCode);
        EXPECT_EQ(stderrText.substr(0, stderrText.find('\n') + 1), row.firstLine);
    }
}

}  // namespace
