// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// The client's connection core against the real VCX test server over
// loopback: login, the Chronel-held request lines, tells, resets, refused
// connections and the cached address fallback.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <regex>

#include "e2e/ServerFixture.h"
#include "net/DatagramTable.h"
#include "net/qt/HostResolver.h"

namespace {

struct Client {
    explicit Client(const std::string& dir)
        : profile(dir + "/settings.ini"), doc(profile), console(doc) {}
    CProfile profile;
    CKordane2Doc doc;
    ConsoleRecorder console;
};

class Connection : public ::testing::Test {
  protected:
    std::unique_ptr<Client> NewClient(const std::string& handle, const std::string& password,
                                      int port) {
        auto client = std::make_unique<Client>(m_dir.path().toStdString());
        client->doc.Params().host = "127.0.0.1";
        client->doc.Params().port = port;
        client->doc.Params().handle = handle;
        client->doc.Params().password = password;
        return client;
    }
    QTemporaryDir m_dir;
};

TEST_F(Connection, LoginWithHandleAndPasswordNeverShowsThePassword) {
    TestServer server;
    ASSERT_GT(server.Port(), 0);
    auto c = NewClient("Magnus", "carlsen1", server.Port());
    c->doc.Connect();
    ASSERT_TRUE(WaitFor([&] { return c->console.Count(0) > 0; })) << c->console.console;
    EXPECT_EQ(c->console.Last(0)->Field(1), "Magnus");
    EXPECT_EQ(c->console.Dispatch().OwnHandle(), "Magnus");
    EXPECT_EQ(c->doc.State(), CKordane2Doc::LoggingIn);
    EXPECT_NE(c->console.console.find("Trying 127.0.0.1 on port "), std::string::npos);
    EXPECT_NE(c->console.console.find("Connected\n"), std::string::npos);
    EXPECT_NE(c->console.console.find("Magnus\n"), std::string::npos);
    EXPECT_EQ(c->console.console.find("carlsen1"), std::string::npos);
    // Under automatic login the server's "*" banner lines are not shown.
    EXPECT_EQ(c->console.console.find("****"), std::string::npos);
}

TEST_F(Connection, GuestLoginShowsGuestAndSendsG) {
    TestServer server;
    auto c = NewClient("", "", server.Port());
    c->doc.Params().guest = true;
    c->doc.Connect();
    ASSERT_TRUE(WaitFor([&] { return c->console.Count(0) > 0; })) << c->console.console;
    EXPECT_NE(c->console.console.find("guest\n"), std::string::npos);
    EXPECT_FALSE(c->console.Last(0)->Field(1).empty());
}

// The request lines are queued at connect but leave only after the Chronel
// handshake, stamped, before the login answer and in queue order.
TEST_F(Connection, RequestLinesLeaveStampedAfterTheHandshake) {
    TestServer server;
    auto c = NewClient("Tester", "test1", server.Port());
    c->doc.Connect();
    ASSERT_TRUE(WaitFor([&] { return c->console.Count(0) > 0; }));
    const std::string transcript = server.Transcript();
    const std::string level2 = Level2SettingsLine(0, 1);
    const std::regex stamped("recv [0-9]+ " + level2.substr(0, level2.size() - 1) + "\n");
    std::smatch match;
    ASSERT_TRUE(std::regex_search(transcript, match, stamped)) << transcript;
    const size_t at2 = match.position(0);
    const size_t handshake = transcript.find("chronel");
    const size_t at1 = transcript.find(" level1=15\n");
    const size_t login = transcript.find(" Tester test1\n");
    ASSERT_NE(handshake, std::string::npos) << transcript;
    ASSERT_NE(at1, std::string::npos);
    ASSERT_NE(login, std::string::npos);
    EXPECT_LT(handshake, at2);
    EXPECT_LT(at2, at1);
    EXPECT_LT(at1, login);
}

TEST_F(Connection, TellFromSecondClientArrivesAsDatagram31) {
    TestServer server;
    auto c = NewClient("Magnus", "carlsen1", server.Port());
    c->doc.Connect();
    ASSERT_TRUE(WaitFor([&] { return c->console.Count(0) > 0; }));
    RawClient other(server.Port());
    ASSERT_TRUE(other.Ok());
    other.Send("level2settings=0\nJudit polgar1\n");
    other.Send("tell Magnus hi {there} | \x07 odd\n");
    ASSERT_TRUE(WaitFor([&] { return c->console.Count(31) > 0; })) << c->console.console;
    const CServerMessage* tell = c->console.Last(31);
    EXPECT_EQ(tell->Field(1), "Judit");
    EXPECT_EQ(tell->Field(2), "GM H");
    EXPECT_EQ(tell->Field(3), "hi {there} | \x07 odd");
    EXPECT_NE(c->console.console.find("Judit(GM H) tells you: hi {there} | \x07 odd\n"),
              std::string::npos)
        << c->console.console;
    EXPECT_EQ(c->console.Dispatch().LastTeller(), "Judit");
}

TEST_F(Connection, ResetTriggersExactlyOneReconnect) {
    TestServer server;
    auto c = NewClient("Tester", "test1", server.Port());
    int closes = 0;
    QObject::connect(&c->doc, &CKordane2Doc::connectionClosed, [&](int) { ++closes; });
    c->doc.Connect();
    ASSERT_TRUE(WaitFor([&] { return c->console.Count(0) > 0; }));
    c->doc.Parser().SendCommand("reset-connection\n");
    ASSERT_TRUE(WaitFor([&] { return c->console.Count(0) > 1; }, 8000)) << c->console.console;
    EXPECT_EQ(c->console.Occurrences("Attempting to reconnect...\n"), 1u);
    EXPECT_EQ(c->console.Occurrences("OnClose with error code 10054 WSAECONNRESET"), 1u)
        << c->console.console;
    EXPECT_TRUE(c->doc.Reconnecting());
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(c->doc.State(), CKordane2Doc::LoggingIn);
}

TEST_F(Connection, OrderlyCloseDoesNotReconnect) {
    TestServer server;
    auto c = NewClient("Tester", "test1", server.Port());
    c->doc.Connect();
    ASSERT_TRUE(WaitFor([&] { return c->console.Count(0) > 0; }));
    c->doc.Parser().SendCommand("quit\n");
    ASSERT_TRUE(WaitFor([&] { return c->doc.State() == CKordane2Doc::Closed; }));
    WaitFor([] { return false; }, 300);
    EXPECT_EQ(c->console.Occurrences("Connection closed.\n"), 1u);
    EXPECT_EQ(c->console.Occurrences("Attempting to reconnect"), 0u);
    EXPECT_NE(c->console.console.find("Thank you for using the VCX test server."),
              std::string::npos)
        << "the goodbye must be drained before the close";
    EXPECT_LT(c->console.console.find("Thank you"),
              c->console.console.find("Connection closed.\n"));
    EXPECT_EQ(c->doc.State(), CKordane2Doc::Closed);
    EXPECT_EQ(c->doc.StatusSuffix(), "(connection closed)");
    c->doc.Parser().SendCommand("tell x y\n");
    EXPECT_NE(c->console.console.find("Warning: Not connected to the server.\n"),
              std::string::npos);
}

int ClosedPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    ::inet_pton(AF_INET, "127.0.0.1", &a.sin_addr);
    ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t length = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &length);
    ::close(fd);
    return ntohs(a.sin_port);
}

TEST_F(Connection, RefusedConnectionPrints10061) {
    auto c = NewClient("Tester", "test1", ClosedPort());
    c->doc.Connect();
    ASSERT_TRUE(WaitFor([&] { return c->console.console.find("10061") != std::string::npos; }));
    EXPECT_NE(c->console.console.find(
                  "OnConnect error 10061 WSAECONNREFUSED: Connection refused (VCX server is "
                  "rebooting, or wrong port)\n"),
              std::string::npos)
        << c->console.console;
    EXPECT_FALSE(c->doc.IsConnected());
}

class FailingResolver : public IHostResolver {
  public:
    void Lookup(const std::string&, QObject* context, Done done) override {
        QMetaObject::invokeMethod(
            context, [done] { done({}, 11001); }, Qt::QueuedConnection);
    }
};

TEST_F(Connection, FailedLookupUsesCachedAddress) {
    TestServer server;
    auto c = NewClient("Tester", "test1", server.Port());
    c->doc.Params().host = "vcx.example";
    ASSERT_TRUE(c->profile.WriteString("DNS Cache", "vcx.example", "127.0.0.1"));
    c->doc.SetResolver(std::make_unique<FailingResolver>());
    c->doc.Connect();
    ASSERT_TRUE(WaitFor([&] { return c->console.Count(0) > 0; })) << c->console.console;
    const std::string& text = c->console.console;
    const size_t lookup = text.find("Looking up vcx.example...\n");
    const size_t failure =
        text.find("DNS Lookup failure 11001 WSAHOST_NOT_FOUND: Host not found\n");
    const size_t cached = text.find("Using cached IP address\n");
    const size_t trying = text.find("Trying to connect to 127.0.0.1 on port ");
    ASSERT_NE(lookup, std::string::npos) << text;
    ASSERT_NE(failure, std::string::npos) << text;
    ASSERT_NE(cached, std::string::npos) << text;
    ASSERT_NE(trying, std::string::npos) << text;
    EXPECT_LT(lookup, failure);
    EXPECT_LT(failure, cached);
    EXPECT_LT(cached, trying);
}

TEST_F(Connection, FailedLookupWithoutCacheStops) {
    auto c = NewClient("Tester", "test1", 5000);
    c->doc.Params().host = "vcx.example";
    c->doc.SetResolver(std::make_unique<FailingResolver>());
    c->doc.Connect();
    ASSERT_TRUE(WaitFor(
        [&] { return c->console.console.find("DNS Lookup failure") != std::string::npos; }));
    WaitFor([] { return false; }, 100);
    EXPECT_EQ(c->console.console.find("Trying"), std::string::npos);
    EXPECT_EQ(c->doc.State(), CKordane2Doc::Connecting);
}

class FixedResolver : public IHostResolver {
  public:
    void Lookup(const std::string&, QObject* context, Done done) override {
        QMetaObject::invokeMethod(
            context, [done] { done("127.0.0.1", 0); }, Qt::QueuedConnection);
    }
};

ino_t Inode(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

TEST_F(Connection, SuccessfulLookupRewritesTheCacheOnlyWhenItChanged) {
    TestServer server;
    for (const char* before : {"10.1.2.3", "127.0.0.1"}) {
        auto c = NewClient("Tester", "test1", server.Port());
        c->doc.Params().host = "vcx.example";
        ASSERT_TRUE(c->profile.WriteString("DNS Cache", "vcx.example", before));
        const ino_t inode = Inode(c->profile.Path());
        c->doc.SetResolver(std::make_unique<FixedResolver>());
        c->doc.Connect();
        ASSERT_TRUE(WaitFor([&] { return c->console.Count(0) > 0; })) << c->console.console;
        EXPECT_EQ(c->profile.GetString("DNS Cache", "VCX.EXAMPLE"), "127.0.0.1");
        // Writes replace the file, so an untouched file keeps its inode.
        EXPECT_EQ(Inode(c->profile.Path()) == inode, std::string(before) == "127.0.0.1") << before;
    }
}

TEST_F(Connection, ReconnectWithoutHostIsLocalBoardMode) {
    auto c = NewClient("", "", 0);
    c->doc.Params().host.clear();
    c->doc.OnReconnect();
    EXPECT_NE(c->console.console.find("No server name provided.  Local chessboard mode.\n"),
              std::string::npos);
    EXPECT_FALSE(c->doc.IsConnected());
}

}  // namespace
