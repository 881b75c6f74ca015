// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// The plug-in host of a connection with programs that are not really
// started: the test plays the plug-ins' side of the pipes.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <string>
#include <vector>

#include "e2e/ServerFixture.h"
#include "net/IpcPipe.h"
#include "net/PluginRecords.h"
#include "net/ServerMessage.h"
#include "net/qt/PluginHost.h"

namespace {

using T = PluginRecordType;

class Owner : public IPluginOwner {
  public:
    void EchoPluginText(std::string_view text) override { echoed += text; }
    void SendPluginCommand(std::string_view text) override { sent += text; }
    void SendClientCommand(std::string_view text) override { internal += text; }
    void PluginsReady() override { ++ready; }
    int GamesPlaying() const override { return playing; }
    bool ComputerAccount() const override { return false; }

    std::string echoed, sent, internal;
    int ready = 0;
    int playing = 0;
};

struct Launched {
    std::string path;
    int toClient;
    int fromClient;
};

class PluginHostTest : public ::testing::Test {
  protected:
    PluginHostTest() {
        m_programs.paths = {"/opt/one", "/opt/two"};
        m_programs.prefix = "KordaneHostTest-" + std::to_string(QCoreApplication::applicationPid());
    }
    void Fake(CPluginHost& host, bool fail = false) {
        host.SetLauncher([this, fail](const QString& path, const QProcessEnvironment& env,
                                      qint64* pid) {
            m_launched.push_back({path.toStdString(), env.value(CPluginHost::kEnvToClient).toInt(),
                                  env.value(CPluginHost::kEnvFromClient).toInt()});
            *pid = 777;
            return !fail;
        });
    }
    // The plug-in's side: writes `records` into the pipe it talks through.
    void PluginSends(int pipe, const std::string& records) {
        CIpcPipe p;
        ASSERT_TRUE(p.Open(m_programs.prefix, pipe));
        ASSERT_TRUE(p.Write(records.data(), static_cast<int>(records.size())));
    }
    std::vector<PluginRecord> PluginReceives(int pipe) {
        CIpcPipe p;
        EXPECT_TRUE(p.Open(m_programs.prefix, pipe));
        std::string bytes(CIpcPipe::kCapacity, '\0');
        const int n = p.Read(bytes.data(), -1);
        bytes.resize(n > 0 ? static_cast<size_t>(n) : 0);
        return PluginRecords::Parse(bytes);
    }

    CPluginHost::Programs m_programs;
    std::vector<Launched> m_launched;
    Owner m_owner;
};

TEST_F(PluginHostTest, TwoDocumentsNumberTheirPipesInLaunchOrder) {
    CPluginHost first(m_owner, m_programs);
    CPluginHost second(m_owner, m_programs);
    Fake(first);
    Fake(second);
    ASSERT_FALSE(first.Launch());
    ASSERT_FALSE(second.Launch());
    ASSERT_EQ(m_launched.size(), 4u);
    const int expected[4][2] = {{0, 1}, {2, 3}, {4, 5}, {6, 7}};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(m_launched[i].path, i % 2 ? "/opt/two" : "/opt/one");
        EXPECT_EQ(m_launched[i].toClient, expected[i][0]);
        EXPECT_EQ(m_launched[i].fromClient, expected[i][1]);
    }
    EXPECT_EQ(m_owner.echoed,
              "=== Launching /opt/one\n=== Launching /opt/two\n"
              "=== Launching /opt/one\n=== Launching /opt/two\n");
    // Each plug-in finds the interface name waiting, and the send pipe
    // names the plug-in's process as its reader.
    const auto records = PluginReceives(7);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].type, 1000);
    EXPECT_EQ(records[0].Text(), "Kordane 2.31");
    CIpcPipe send;
    ASSERT_TRUE(send.Open(m_programs.prefix, 5));
    EXPECT_EQ(send.Notify(), 777u);
}

TEST_F(PluginHostTest, ConnectsOnlyWhenEveryPluginNamedAndDeclaredItself) {
    CPluginHost host(m_owner, m_programs);
    Fake(host);
    ASSERT_FALSE(host.Launch());
    PluginSends(0, PluginRecords::Text(T::Name, " Watcher with a longer name\n") +
                       PluginRecords::Number(T::Declare, 3) +
                       PluginRecords::Text(T::Command, "finger\n"));
    PluginSends(2, PluginRecords::Text(T::Name, "Quiet"));
    // The wake-ups arrive through the event loop.
    ASSERT_TRUE(WaitFor([&] { return m_owner.echoed.find("Quiet") != std::string::npos; }));
    EXPECT_NE(m_owner.echoed.find("=== Successfully launched Watcher with a longe\n"),
              std::string::npos);
    EXPECT_EQ(m_owner.sent, "finger\n");
    QCoreApplication::processEvents();
    EXPECT_EQ(m_owner.ready, 0);  // "Quiet" never declared itself

    PluginSends(2,
                PluginRecords::Number(T::Declare, 0) + PluginRecords::Text(T::ConsoleText, "hi\n"));
    ASSERT_TRUE(WaitFor([&] { return m_owner.ready == 1; }));
    EXPECT_EQ(host.Names(), (std::vector<std::string>{"Watcher with a longe", "Quiet"}));
    // Declaring again later does not start the connection a second time.
    PluginSends(0,
                PluginRecords::Number(T::Declare, 4) + PluginRecords::Text(T::ConsoleText, "x\n"));
    ASSERT_TRUE(WaitFor([&] { return m_owner.echoed.find("x\n") != std::string::npos; }));
    EXPECT_EQ(m_owner.ready, 1);

    // Forwarding while the user plays: an unapproved plug-in gets the
    // kibitz but not the move.
    PluginSends(0, PluginRecords::Number(T::SubscribeDatagram, 24) +
                       PluginRecords::Number(T::SubscribeDatagram, 26) +
                       PluginRecords::Text(T::ConsoleText, "subscribed\n"));
    ASSERT_TRUE(WaitFor([&] { return m_owner.echoed.find("subscribed") != std::string::npos; }));
    m_owner.playing = 1;
    CServerMessage move(CServerMessage::Datagram, 24), kibitz(CServerMessage::Datagram, 26);
    move.AppendField("24");
    kibitz.AppendField("26");
    kibitz.AppendField("5");
    host.Forward(move);
    host.Forward(kibitz);
    const auto got = PluginReceives(1);  // after the interface name
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].type, 1000);
    EXPECT_EQ(PluginRecords::ParseForwarded(got[1].payload)->number, 26);

    host.Authenticate();
    EXPECT_NE(m_owner.internal.find("authenticateplugin 1  \"Quiet\" 0\n"), std::string::npos);
    host.OnAuthResult(1, "");  // the digest of an unreadable file is empty
    EXPECT_NE(m_owner.echoed.find("Plugin authenticated: Quiet.\n"), std::string::npos);
    host.OnAuthResult(0, "bad");
    EXPECT_NE(m_owner.echoed.find("Plugin authentication failed: Watcher with a longe.\n"),
              std::string::npos);
}

TEST_F(PluginHostTest, FailedStartStopsTheLaunch) {
    CPluginHost host(m_owner, m_programs);
    Fake(host, true);
    EXPECT_EQ(host.Launch(), "Error launching PlugIn: /opt/one");
    EXPECT_EQ(m_launched.size(), 1u);
}

}  // namespace
