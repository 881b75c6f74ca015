// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Server dialogs against the test server: "testdialog" sends a compiled
// template, the client shows it as a real window-modal dialog over the main
// console, and the button the user presses sends the answer back.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <cstdlib>

#include "console/ConsoleView.h"
#include "dialogs/ServerDialog.h"
#include "e2e/ClientFixture.h"

namespace {

class ServerDialogEndToEnd : public ClientFixture {
  protected:
    ServerDialogEndToEnd() : ClientFixture({{"ConsoleSubViews", "0"}, {"GameViews", "0"}}) {}

    // The dialog the server's command made the client show.
    CServerDialog* Shown(const std::string& name) {
        m_frame->View().SendCommandLine("testdialog " + name + "\n", false);
        CServerDialog* shown = nullptr;
        WaitFor([&] {
            shown = m_frame->findChild<CServerDialog*>();
            return shown && shown->Running() && shown->isVisible();
        });
        return shown;
    }
    static QPushButton* ButtonWithId(CServerDialog* dialog, std::uint32_t id) {
        for (const SDialogControl& control : dialog->Controls())
            if (control.id == id) return qobject_cast<QPushButton*>(control.widget);
        return nullptr;
    }
    static void Screenshot(QWidget* dialog, const char* suffix) {
        if (const char* path = std::getenv("KORDANE_DIALOG_SCREENSHOT")) {
            QString file = QString::fromLocal8Bit(path);
            file.insert(file.lastIndexOf('.'), QString::fromLatin1(suffix));
            dialog->grab().save(file);
        }
    }
};

TEST_F(ServerDialogEndToEnd, TheServersDialogIsShownAndItsAnswerArrives) {
    Connect();
    ASSERT_TRUE(WaitFor([&] { return m_frame->View().Tagging(); })) << m_server.Transcript();

    CServerDialog* seek = Shown("seek");
    ASSERT_NE(seek, nullptr) << m_server.Transcript();
    EXPECT_TRUE(seek->isModal());
    EXPECT_EQ(seek->windowTitle(), "Seek a game");
    Screenshot(seek, "");
    QPushButton* ok = ButtonWithId(seek, CServerDialog::kIdOk);
    ASSERT_NE(ok, nullptr);
    // A real click: the window-modal box must take input itself.
    QTest::mouseClick(ok, Qt::LeftButton);
    ASSERT_TRUE(Received("note dialog answer: seek 5 2 1")) << m_server.Transcript();

    // The next dialog replaces the answered one; the server takes it away
    // again before it is answered, and no answer goes out.
    CServerDialog* controls = Shown("controls");
    ASSERT_NE(controls, nullptr);
    ASSERT_NE(controls, seek);
    EXPECT_EQ(controls->Controls().size(), 29u);
    Screenshot(controls, "-controls");
    m_frame->View().SendCommandLine("testdialog close\n", false);
    ASSERT_TRUE(WaitFor([&] { return m_frame->findChild<CServerDialog*>() == nullptr; }));
    m_frame->View().SendCommandLine("dialog-answer done\n", false);
    ASSERT_TRUE(Received("note dialog answer: done"));
    EXPECT_EQ(m_server.Transcript().find("note dialog answer: controls"), std::string::npos);
}

}  // namespace
