// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Links in the test server's own help pages, as the main console shows them:
// quoted commands, addresses before punctuation, a "see also" list over a
// continuation line and the more prompt, clicked with the console's tag.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QTest>
#include <QTextBlock>
#include <cstdlib>
#include <cstring>

#include "app/MainFrame.h"
#include "console/CommandEdit.h"
#include "console/ConsoleFrame.h"
#include "console/ConsoleSubView.h"
#include "console/ConsoleText.h"
#include "console/ConsoleView.h"
#include "console/ConsoleWnd.h"
#include "e2e/ClientFixture.h"

namespace {

class HelpLinks : public ClientFixture {
  protected:
    HelpLinks() : ClientFixture({{"ConsoleSubViews", "0"}, {"GameViews", "0"}}, QSize(900, 700)) {}

    CConsoleText* Pane() { return m_frame->View().Pane(); }
    void Type(const QString& command) {
        CCommandEdit* entry = m_frame->View().Entry();
        entry->setText(command);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
        QCoreApplication::sendEvent(entry, &press);
    }
    bool Shows(const QString& text) {
        return WaitFor([&] { return Pane()->toPlainText().contains(text); });
    }
    // The last occurrence: earlier pages repeat some of the words.
    QTextCursor Find(const QString& text) {
        QTextCursor found = Pane()->document()->find(
            text, Pane()->document()->characterCount(),
            QTextDocument::FindBackward | QTextDocument::FindCaseSensitively);
        EXPECT_FALSE(found.isNull()) << text.toStdString();
        return found;
    }
    // Whether every character of the last `text` is a link, or none is.
    int LinkedChars(const QString& text) {
        const QTextCursor found = Find(text);
        int linked = 0;
        for (int at = found.selectionStart(); at < found.selectionEnd(); ++at) {
            QTextCursor c(Pane()->document());
            c.setPosition(at + 1);
            linked += c.charFormat().isAnchor() ? 1 : 0;
        }
        return linked;
    }
    void Click(const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        const QTextCursor found = Find(text);
        QTextCursor middle(Pane()->document());
        middle.setPosition((found.selectionStart() + found.selectionEnd()) / 2);
        Pane()->ensureCursorVisible();
        QApplication::processEvents();
        const QRect at = Pane()->cursorRect(middle);
        QTest::mouseClick(Pane()->viewport(), Qt::LeftButton, modifiers, at.center());
    }
    void ToggleLinks() {
        for (QAction* action : m_main->menuBar()->findChildren<QAction*>()) {
            if (action->text() == QStringLiteral("Disable &Hyperlinks")) action->trigger();
        }
    }
};

TEST_F(HelpLinks, HelpPageLinksSendTheirCommandsWithTheConsolesTag) {
    Connect();
    m_frame->showMaximized();
    ASSERT_TRUE(WaitFor([&] { return m_frame->View().Tagging(); })) << m_server.Transcript();
    Type("set height 12");
    Type("help help");
    ASSERT_TRUE(Shows("[type \"more\" to continue]")) << m_server.Transcript();

    const QString address = "https://www.example.org/vcx/server.html";
    struct Expect {
        QString text;
        int linked;
    };
    const Expect page[] = {
        {"help tell", 9},
        {"help channels", 13},
        {"\" or \"", 0},  // between two quoted commands
        {address, static_cast<int>(address.size())},
        {address + ",", static_cast<int>(address.size())},  // the comma is not part of it
        {"https://docs.example.org/kordane/", 33},
        {"more", 4},  // in the prompt
    };
    for (const Expect& e : page) {
        EXPECT_EQ(LinkedChars(e.text), e.linked) << e.text.toStdString();
    }

    // The prompt's "more" asks for the rest: the see-also list and its
    // continuation line, every item a link to its help page.
    Click("more");
    ASSERT_TRUE(Received("`1`more")) << m_server.Transcript();
    ASSERT_TRUE(Shows("match, finger, more")) << m_server.Transcript();
    for (const char* item : {"channels", "tell", "shout", "seek", "match", "finger"}) {
        EXPECT_EQ(LinkedChars(item), static_cast<int>(std::strlen(item))) << item;
    }
    Click("match");
    EXPECT_TRUE(Received("`1`Help match")) << m_server.Transcript();
    ASSERT_TRUE(Shows("match <name> [<minutes>")) << m_server.Transcript();

    // Ctrl sends the reply to a console of its own.
    Type("help help");
    ASSERT_TRUE(WaitFor([&] { return Pane()->toPlainText().count("[type \"more\"") == 2; }));
    if (const char* shot = std::getenv("KORDANE_LINKS_SCREENSHOT")) m_main->grab().save(shot);
    Click("help channels", Qt::ControlModifier);
    CConsoleSubView* reply = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        for (QMdiSubWindow* w : m_main->MdiArea()->subWindowList()) {
            if (auto* view = qobject_cast<CConsoleSubView*>(w->widget())) reply = view;
        }
        return reply != nullptr;
    }));
    EXPECT_TRUE(Received("`" + std::to_string(reply->ConsoleId()) + "`help channels"));
    ASSERT_TRUE(WaitFor([&] {
        return reply->Console()->Text()->toPlainText().contains("Channels are numbered");
    })) << m_server.Transcript();
    reply->Frame()->close();

    // Switched off: the next page has no links; the earlier ones stay.
    ToggleLinks();
    Type("help xtell");
    ASSERT_TRUE(Shows("see also: tell, channels")) << m_server.Transcript();
    EXPECT_EQ(LinkedChars("see also: tell, channels"), 0);
    const QTextCursor first = Pane()->document()->find("help tell");
    QTextCursor inside(Pane()->document());
    inside.setPosition(first.selectionStart() + 1);
    EXPECT_TRUE(inside.charFormat().isAnchor());
}

}  // namespace
