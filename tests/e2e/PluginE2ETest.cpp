// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// The sample plug-in with the whole client and the test server: launched by
// the main console, the connection waits for it, it sees the login and a
// tell, and its commands reach the server.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <cstdlib>

#include "console/ConsoleText.h"
#include "console/ConsoleView.h"
#include "console/ConsoleWnd.h"
#include "e2e/ClientFixture.h"
#include "net/qt/PluginHost.h"

namespace {

class SamplePlugin : public ClientFixture {
  protected:
    SamplePlugin() : ClientFixture({{"ConsoleSubViews", "0"}, {"GameViews", "0"}}) {
        m_log = m_dir.filePath("sample.log");
        qputenv("KORDANE_SAMPLE_LOG", m_log.toLocal8Bit());
        qputenv("KORDANE_SAMPLE_COMMAND", "shout sample plug-in here");
        CPluginHost::Application().paths = {KORDANE_SAMPLE_PLUGIN};
    }
    ~SamplePlugin() override {
        CPluginHost::Application().paths.clear();
        qunsetenv("KORDANE_SAMPLE_LOG");
        qunsetenv("KORDANE_SAMPLE_COMMAND");
    }
    QString Log() const {
        QFile file(m_log);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    QString Console() const { return m_frame->View().Console()->Text()->toPlainText(); }

    QString m_log;
};

TEST_F(SamplePlugin, LaunchedBeforeConnectingAndTalksToTheServer) {
    Connect();
    ASSERT_TRUE(WaitFor([&] { return m_frame->View().Tagging(); }, 10000))
        << Console().toStdString() << m_server.Transcript();
    const QString console = Console();
    const qsizetype launched = console.indexOf("=== Launching " KORDANE_SAMPLE_PLUGIN);
    const qsizetype named = console.indexOf("=== Successfully launched Sample");
    const qsizetype connected = console.indexOf("Connected");
    ASSERT_GE(launched, 0) << console.toStdString();
    EXPECT_GT(named, launched);
    EXPECT_GT(connected, named);

    // The login told the server about the plug-in and asked for its approval.
    EXPECT_TRUE(Received("multi Set-quietly interface Kordane 2.31 + Sample"));
    EXPECT_TRUE(Received("\"Sample\" 1"));
    EXPECT_TRUE(WaitFor([&] { return Console().contains("Plugin authenticated: Sample."); }))
        << Console().toStdString();
    // The plug-in saw its interface name and the login datagram, and sent
    // its command and a console line.
    EXPECT_TRUE(Received("shout sample plug-in here"));
    EXPECT_TRUE(WaitFor([&] { return Console().contains("Sample plug-in: hello, Tester."); }));
    EXPECT_TRUE(Log().contains("interface Kordane 2.31\n")) << Log().toStdString();
    EXPECT_TRUE(Log().contains("datagram 0: [Tester]")) << Log().toStdString();

    // A tell from another user is forwarded, and the plug-in answers it.
    RawClient magnus(m_server.Port());
    ASSERT_TRUE(magnus.Ok());
    magnus.Send("Magnus carlsen1\ntell Tester ping\n");
    EXPECT_TRUE(WaitFor([&] { return Log().contains("datagram 31: [Magnus]"); }))
        << Log().toStdString();
    EXPECT_TRUE(Received("tell Magnus pong"));
    if (const char* shot = std::getenv("KORDANE_PLUGIN_SCREENSHOT")) m_main->grab().save(shot);

    // Closing the connection tells the plug-in, which then ends.
    m_doc->Close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_doc = nullptr;
    EXPECT_TRUE(WaitFor([&] { return Log().contains("closing\n"); }, 5000)) << Log().toStdString();
}

}  // namespace
