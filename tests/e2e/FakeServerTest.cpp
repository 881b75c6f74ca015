// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// The connection against a scripted peer: a server that stops in the middle
// of a datagram, and one that stops reading so that the outgoing buffer
// fills up.
#include <gtest/gtest.h>

#include <QTcpServer>
#include <QTcpSocket>

#include "e2e/ServerFixture.h"

namespace {

struct Client {
    explicit Client(const std::string& dir)
        : profile(dir + "/settings.ini"), doc(profile), console(doc) {}
    CProfile profile;
    CKordane2Doc doc;
    ConsoleRecorder console;
};

class FakeServer : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_server.listen(QHostAddress("127.0.0.1"), 0));
        m_client = std::make_unique<Client>(m_dir.path().toStdString());
        m_client->doc.Params().host = "127.0.0.1";
        m_client->doc.Params().port = m_server.serverPort();
        m_client->doc.Connect();
        ASSERT_TRUE(WaitFor([this] { return m_server.hasPendingConnections(); }));
        m_peer = m_server.nextPendingConnection();
        ASSERT_TRUE(WaitFor([this] { return m_client->doc.IsConnected(); }));
    }
    QTemporaryDir m_dir;
    QTcpServer m_server;
    QTcpSocket* m_peer = nullptr;
    std::unique_ptr<Client> m_client;
};

TEST_F(FakeServer, CloseInTheMiddleOfADatagram) {
    m_peer->write("before\n\x19(31 bob {} {unfinished te");
    m_peer->flush();
    ASSERT_TRUE(
        WaitFor([this] { return m_client->console.console.find("before") != std::string::npos; }));
    m_peer->disconnectFromHost();
    ASSERT_TRUE(WaitFor([this] { return m_client->doc.State() == CKordane2Doc::Closed; }));
    EXPECT_EQ(m_client->console.Count(31), 0);
    EXPECT_NE(m_client->console.console.find("Connection closed.\n"), std::string::npos);
    EXPECT_EQ(m_client->console.console.find("unfinished"), std::string::npos);
    // A reconnect starts from a clean parser: the half datagram never
    // swallows what the next connection brings.
    m_client->doc.OnReconnect();
    ASSERT_TRUE(WaitFor([this] { return m_server.hasPendingConnections(); }));
    QTcpSocket* again = m_server.nextPendingConnection();
    ASSERT_TRUE(WaitFor([this] { return m_client->doc.IsConnected(); }));
    again->write("fresh\x19(31 eve {} hi 1\x19)");
    again->flush();
    ASSERT_TRUE(WaitFor([this] { return m_client->console.Count(31) == 1; }));
    EXPECT_EQ(m_client->console.Last(31)->Field(1), "eve");
}

// Pieces that would overflow the 4096-byte outgoing buffer are dropped
// whole; everything accepted arrives complete and in order once the peer
// reads again, including the rest of a send the kernel took only in part.
TEST_F(FakeServer, OutgoingBufferOverflowDropsWholePiecesAndKeepsOrder) {
    // Qt would otherwise read everything into memory at once; the peer must
    // stop reading for the kernel buffers to fill.
    m_peer->setReadBufferSize(16);
    std::vector<std::string> accepted;
    int overflows = 0;
    for (int i = 0; i < 4000 && overflows < 3; ++i) {
        char head[16];
        std::snprintf(head, sizeof head, "<%05d:", i);
        std::string piece = head + std::string(1500, static_cast<char>('a' + i % 26)) + ">";
        const size_t before = m_client->console.Occurrences("Outgoing buffer overflow\n");
        m_client->doc.SendRaw(piece);
        QCoreApplication::processEvents();
        if (m_client->console.Occurrences("Outgoing buffer overflow\n") > before) {
            ++overflows;
        } else {
            accepted.push_back(piece);
        }
    }
    ASSERT_EQ(overflows, 3) << "the kernel never pushed back";
    std::string expected;
    for (const auto& piece : accepted) expected += piece;
    std::string received;
    m_peer->setReadBufferSize(0);
    ASSERT_TRUE(WaitFor(
        [&] {
            received += m_peer->readAll().toStdString();
            return received.size() >= expected.size();
        },
        10000));
    EXPECT_EQ(received.size(), expected.size());
    EXPECT_TRUE(received == expected) << "bytes lost, duplicated or reordered";
}

}  // namespace
