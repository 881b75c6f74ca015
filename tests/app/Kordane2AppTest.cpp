// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Start-up of the application object: where the settings file goes, what the
// command line opens, and what the user is told.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>

#include "app/ConnectionFiles.h"
#include "app/FileMenu.h"
#include "app/Kordane2App.h"
#include "app/MainFrame.h"
#include "app/ScratchFolder.h"
#include "console/ConsoleFrame.h"
#include "console/ConsoleView.h"
#include "net/AtomicFile.h"
#include "net/ConnectionFile.h"
#include "net/Profile.h"
#include "net/qt/Kordane2Doc.h"

namespace {

TEST(Kordane2AppTest, SettingsFileFollowsTheCurrentFolderRule) {
    const std::string longest(CKordane2App::kMaxFolderLength - 1, 'd');
    const std::string tooLong(CKordane2App::kMaxFolderLength, 'd');
    struct Row {
        std::optional<std::string> folder;
        std::string expected;
    } rows[] = {
        {std::nullopt, "Kordane2"},
        {std::string(), "Kordane2"},
        {"/home/alice", "/home/alice/settings.ini"},
        {"/home/alice/", "/home/alice/settings.ini"},
        {"/", "/settings.ini"},
        {longest, longest + "/settings.ini"},
        {tooLong, "Kordane2"},
        {tooLong + "more", "Kordane2"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(CKordane2App::ProfileName(row.folder), row.expected)
            << (row.folder ? row.folder->size() : 0);
    }
}

TEST(Kordane2AppTest, RemovedCurrentFolderCannotBeRead) {
    ScratchFolder scratch("gone");
    const auto here = CKordane2App::CurrentFolder();
    ASSERT_TRUE(here);
    EXPECT_EQ(std::filesystem::path(*here), scratch.Path());
    std::filesystem::remove_all(scratch.Path());
    EXPECT_EQ(CKordane2App::CurrentFolder(), std::nullopt);
    EXPECT_EQ(CKordane2App::ProfileName(CKordane2App::CurrentFolder()), "Kordane2");
}

class StartUp : public ::testing::Test {
  protected:
    StartUp() : m_scratch(::testing::UnitTest::GetInstance()->current_test_info()->name()) {
        m_app.SetMessageBox([this](const QString& text) { m_shown << text; });
        // The tip would hold the first connection back until it is closed.
        CProfile(m_scratch.File("settings.ini")).WriteString("Tips", "ShowTips", "0");
        m_app.SetLoginPrompt([this](ConnectionParams& params, bool&) {
            m_prompted.push_back(params);
            // A new connection's default host would start a real name lookup
            // that outlives the test, so the user empties it.
            if (m_answer) params = *m_answer;
            if (!m_answer && params.host == "chess.vcx-server.net") params.host.clear();
            return m_accept;
        });
    }
    QList<QMdiSubWindow*> Windows() const { return m_app.MainFrame()->MdiArea()->subWindowList(); }
    CConsoleFrame* Console(int i) const { return qobject_cast<CConsoleFrame*>(Windows().at(i)); }

    ScratchFolder m_scratch;
    CKordane2App m_app;
    QStringList m_shown;
    std::vector<ConnectionParams> m_prompted;
    std::optional<ConnectionParams> m_answer;
    bool m_accept = true;
};

TEST_F(StartUp, WithoutArgumentsOrRecentFilesAsksForANewConnection) {
    ConnectionParams answer;
    answer.handle = "../bob smith";  // typed by the user; still no path
    answer.password = "pw";
    answer.savePassword = true;  // host left empty: the local board
    m_answer = answer;
    ASSERT_TRUE(m_app.InitInstance({}));
    EXPECT_TRUE(m_shown.isEmpty());
    EXPECT_EQ(m_app.Profile().Path(), m_scratch.File("settings.ini"));
    ASSERT_EQ(m_prompted.size(), 1u);
    EXPECT_EQ(m_prompted[0].host, "chess.vcx-server.net");
    EXPECT_GE(m_prompted[0].port, 5000);
    EXPECT_LE(m_prompted[0].port, 5099);
    EXPECT_TRUE(m_prompted[0].savePassword);
    ASSERT_EQ(Windows().size(), 1);
    EXPECT_EQ(Console(0)->Doc().FilePath(), m_scratch.File("bobsmith.kd2"));
    EXPECT_EQ(std::filesystem::status(m_scratch.File("bobsmith.kd2")).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(m_app.MainFrame()->windowTitle(), "Kordane 2 - Main Console - bobsmith.kd2");
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
    EXPECT_TRUE(Console(0)->View().Pane()->toPlainText().contains(
        "No server name provided.  Local chessboard mode."));

    // The next start opens the file just saved, the head of the recent list.
    CKordane2App next;
    std::vector<ConnectionParams> prompted;
    next.SetLoginPrompt([&](ConnectionParams& params, bool&) {
        prompted.push_back(params);
        return false;
    });
    ASSERT_TRUE(next.InitInstance({}));
    ASSERT_EQ(prompted.size(), 1u);
    EXPECT_EQ(prompted[0].handle, "../bob smith");
    EXPECT_TRUE(next.MainFrame()->MdiArea()->subWindowList().isEmpty()) << "Cancel opens nothing";
}

TEST_F(StartUp, TipOfTheDayComesBeforeTheLoginDialog) {
    CProfile(m_scratch.File("settings.ini")).WriteString("Tips", "ShowTips", "1");
    m_accept = false;
    ASSERT_TRUE(m_app.InitInstance({}));
    auto* tip = m_app.MainFrame()->findChild<QDialog*>();
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(m_prompted.empty()) << "no login dialog while the tip is up";
    tip->reject();
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
    EXPECT_EQ(m_prompted.size(), 1u);
}

TEST_F(StartUp, ConnectionFileRoundTripsThroughSaveAndOpen) {
    ConnectionParams params;
    params.host = "";
    params.port = 5077;
    params.handle = "alice";
    params.password = "s3cret";
    params.savePassword = true;
    params.gameLogFile = "games.pgn";
    ASSERT_TRUE(ConnectionFile::Write(m_scratch.File("alice.kd2"), params));
    const auto original = AtomicFile::ReadAll(m_scratch.File("alice.kd2"));
    ASSERT_TRUE(original);

    QString chosen = "copy.kd2";
    m_app.SetFileChooser([&](CKordane2App::FileChoice, const QString&) { return chosen; });
    ASSERT_TRUE(m_app.InitInstance({"alice.kd2"}));
    ASSERT_EQ(Windows().size(), 1);
    auto* menu = m_app.MainFrame()->findChild<CFileMenu*>();
    ASSERT_NE(menu, nullptr);
    // As the user opens the menu: the items follow the active connection.
    emit qobject_cast<QMenu*>(menu->parent())->aboutToShow();
    std::filesystem::remove(m_scratch.File("alice.kd2"));
    menu->SaveAction()->trigger();
    EXPECT_EQ(AtomicFile::ReadAll(m_scratch.File("alice.kd2")), original);

    // Save As through the file chooser, then File/Open of the copy.
    Console(0)->Doc().SetFilePath("");
    menu->SaveAction()->trigger();
    EXPECT_EQ(AtomicFile::ReadAll(m_scratch.File("copy.kd2")), original);
    menu->OpenAction()->trigger();
    ASSERT_EQ(Windows().size(), 2);
    const ConnectionParams& opened = Console(1)->Doc().Params();
    EXPECT_EQ(opened.port, 5077);
    EXPECT_EQ(opened.password, "s3cret");
    EXPECT_EQ(opened.gameLogFile, "games.pgn");
    EXPECT_EQ(m_app.Files().Recent().Entries(),
              (std::vector<std::string>{m_scratch.File("copy.kd2"), m_scratch.File("alice.kd2")}));
    emit qobject_cast<QMenu*>(menu->parent())->aboutToShow();
    EXPECT_EQ(menu->RecentActions()[0]->text(), "&1 copy.kd2");
    EXPECT_FALSE(menu->RecentActions()[2]->isVisible());
}

TEST_F(StartUp, FirstRunFillsTheDnsCacheWithoutOverwriting) {
    CProfile profile(m_scratch.File("settings.ini"));
    ASSERT_TRUE(profile.WriteString("DNS Cache", "vcx-server.net", "10.1.2.3"));
    ASSERT_TRUE(m_app.InitInstance({}));
    EXPECT_EQ(profile.GetString("dns cache", "vcx-server.net"), "10.1.2.3")
        << "an address learnt from a lookup stays";
    EXPECT_EQ(profile.GetString("DNS Cache", "chess.vcx-server.net"), "127.0.0.1");
    EXPECT_EQ(profile.GetString("DNS Cache", "backup.vcx-server.net"), "127.0.0.2");
}

TEST_F(StartUp, UnrecognizedArgumentsAreEachReportedAndParsingGoesOn) {
    ASSERT_TRUE(m_app.InitInstance({"/bogus", "<b>x</b>", "/DEBUG", "/Plugin=seek helper"}));
    EXPECT_EQ(m_shown, QStringList({"Unrecognized command-line argument: /bogus",
                                    "Unrecognized command-line argument: <b>x</b>"}));
    EXPECT_TRUE(m_app.Debug());
    EXPECT_EQ(m_app.Plugins(), std::vector<std::string>{"seek helper"});
    ASSERT_EQ(Windows().size(), 1);
    EXPECT_TRUE(Console(0)->Doc().DebugEnabled()) << "the debug flag reaches the connection";
}

TEST_F(StartUp, LastConnectionFileIsOpenedAndConnects) {
    ConnectionParams first;
    first.host = "first.example";
    ConnectionParams second;
    second.host = "127.0.0.1";
    second.port = 1;  // nothing listens there: the connection fails, harmlessly
    second.handle = "alice";
    second.password = "secret";
    second.savePassword = true;
    ASSERT_TRUE(ConnectionFile::Write(m_scratch.File("first.kd2"), first));
    ASSERT_TRUE(ConnectionFile::Write(m_scratch.File("alice.kd2"), second));

    ASSERT_TRUE(m_app.InitInstance({"first.kd2", "alice.kd2"}));
    EXPECT_TRUE(m_shown.isEmpty());
    ASSERT_EQ(Windows().size(), 1);
    ASSERT_EQ(m_prompted.size(), 1u) << "an opened file goes through the login dialog";
    EXPECT_EQ(m_prompted[0].handle, "alice");
    const CKordane2Doc& doc = Console(0)->Doc();
    EXPECT_EQ(doc.Params().host, "127.0.0.1");
    EXPECT_EQ(doc.Params().handle, "alice");
    EXPECT_EQ(doc.Params().password, "secret");
    EXPECT_NE(doc.State(), CKordane2Doc::Idle) << "Connect connects at once";
    EXPECT_TRUE(Console(0)->windowTitle().startsWith("Main Console - alice.kd2"))
        << Console(0)->windowTitle().toStdString();
}

TEST_F(StartUp, UnreadableConnectionFileIsReportedAndOpensNothing) {
    ASSERT_TRUE(m_app.InitInstance({"missing.kd2"}));
    EXPECT_EQ(m_shown, QStringList({"Cannot open the connection file missing.kd2: "
                                    "the file does not exist."}));
    EXPECT_TRUE(Windows().isEmpty());

    std::FILE* f = std::fopen(m_scratch.File("short.kd2").c_str(), "wb");
    std::fputs(
        "\x05"
        "ab",
        f);
    std::fclose(f);
    m_shown.clear();
    EXPECT_FALSE(m_app.OpenConnectionFile("short.kd2"));
    EXPECT_EQ(m_shown, QStringList({"Cannot open the connection file short.kd2: "
                                    "the file is truncated."}));
}

TEST(Kordane2AppMessageBox, ShowsArgumentsAsPlainText) {
    ScratchFolder scratch("messagebox");
    CProfile(scratch.File("settings.ini")).WriteString("Tips", "ShowTips", "0");
    CKordane2App app;
    app.SetLoginPrompt([](ConnectionParams&, bool&) { return false; });
    QString seenText;
    Qt::TextFormat seenFormat = Qt::AutoText;
    int boxes = 0;
    // The box is modal; look at it from inside its own event loop, then
    // press OK as the user would.
    std::function<void()> inspect = [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            QTimer::singleShot(10, inspect);
            return;
        }
        ++boxes;
        seenText = box->text();
        seenFormat = box->textFormat();
        box->accept();
    };
    QTimer::singleShot(0, inspect);
    ASSERT_TRUE(app.InitInstance({"<i>markup</i>"}));
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(seenText, "Unrecognized command-line argument: <i>markup</i>");
    EXPECT_EQ(seenFormat, Qt::PlainText);
}

}  // namespace
