// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// The main console's own datagrams against the real test server: another
// user arrives, challenges and is answered from the popup; the server sends
// the client elsewhere.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QWidget>

#include "console/MainConsoleHost.h"
#include "e2e/ServerFixture.h"

namespace {

// A main console with the real popups and document hooks, and a text pane
// that is just a string.
class PopupConsole : public IServerMessageSink, public IMainConsoleHost {
  public:
    explicit PopupConsole(const std::string& dir)
        : profile(dir + "/settings.ini"),
          doc(profile),
          m_host(*this, &m_widget, doc),
          m_dispatch(m_host, doc.Parser(), doc.Params(), doc.Values()) {
        doc.Parser().SetMainSink(this);
    }
    ~PopupConsole() override { doc.Parser().SetMainSink(nullptr); }

    int Receive(std::unique_ptr<CServerMessage>& m) override {
        if (m->kind == CServerMessage::Datagram && m->number == 0) ++confirmations;
        return m_dispatch.Receive(m);
    }
    void ShowConsoleText(std::string_view text) override { console += text; }
    bool LogsInAutomatically() const override { return true; }
    std::vector<CTriChoiceDlg*> Popups() { return m_host.Popups().Open(); }

    CProfile profile;
    CKordane2Doc doc;
    std::string console;
    int confirmations = 0;

  private:
    QWidget m_widget;
    CMainConsoleHost m_host;
    CMainDispatch m_dispatch;
};

class MainConsole : public ::testing::Test {
  protected:
    std::unique_ptr<PopupConsole> Login(int port) {
        auto c = std::make_unique<PopupConsole>(m_dir.path().toStdString());
        c->doc.Params().host = "127.0.0.1";
        c->doc.Params().port = port;
        c->doc.Params().handle = "Magnus";
        c->doc.Params().password = "carlsen1";
        c->doc.Connect();
        // The second confirmation answers the set-up; after it the console is settled.
        EXPECT_TRUE(WaitFor([&] { return c->confirmations >= 2; })) << c->console;
        return c;
    }
    QTemporaryDir m_dir;
};

TEST_F(MainConsole, ArrivalShownThenChallengeAcceptedFromThePopup) {
    TestServer server;
    auto c = Login(server.Port());
    c->doc.Parser().SendCommand("+notify Judit\n");
    ASSERT_TRUE(
        WaitFor([&] { return server.Transcript().find("+notify Judit") != std::string::npos; }));

    RawClient judit(server.Port());
    ASSERT_TRUE(judit.Ok());
    judit.Send("level2settings=0\nJudit polgar1\n");
    ASSERT_TRUE(WaitFor([&] {
        return c->console.find("Notification: Judit has arrived.\n") != std::string::npos;
    })) << c->console;

    judit.Send("match Magnus 3 0 rated\n");
    ASSERT_TRUE(WaitFor([&] { return !c->Popups().empty(); })) << c->console;
    CTriChoiceDlg* popup = c->Popups().front();
    EXPECT_TRUE(popup->Text().startsWith("Judit(GM H)(")) << popup->Text().toStdString();
    EXPECT_TRUE(popup->Text().contains("Rated Blitz time=3 inc=0")) << popup->Text().toStdString();
    popup->FirstButton()->click();
    ASSERT_TRUE(WaitFor([&] {
        return server.Transcript().find(" Accept Judit\n") != std::string::npos;
    })) << server.Transcript();
    ASSERT_TRUE(WaitFor([&] {
        return c->console.find("Magnus accepts the challenge from Judit") != std::string::npos;
    })) << c->console;
    EXPECT_TRUE(c->Popups().empty());
}

TEST_F(MainConsole, RedirectLogsInOnTheOtherServer) {
    TestServer first;
    TestServer second;
    auto c = Login(first.Port());
    RawClient judit(first.Port());
    judit.Send("level2settings=0\nJudit polgar1\n");
    judit.Send("redirect Magnus " + std::to_string(second.Port()) + "\n");
    ASSERT_TRUE(WaitFor(
        [&] { return second.Transcript().find("logged in as Magnus") != std::string::npos; }, 8000))
        << c->console;
    EXPECT_EQ(c->doc.Params().port, second.Port());
    EXPECT_TRUE(c->doc.IsModified());
    EXPECT_NE(c->console.find("Connection closed.\n"), std::string::npos);
}

}  // namespace
