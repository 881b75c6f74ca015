// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Links in a console pane: a click where the link is drawn asks for the right
// command line, and switching links off leaves earlier links working.
#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

#include "console/ConsoleText.h"
#include "console/ConsoleWnd.h"
#include "console/PersonCommand.h"

namespace {

constexpr uint32_t kGreen = 0x00C000;

class ConsoleLinksTest : public ::testing::Test {
  protected:
    ConsoleLinksTest() {
        m_console.resize(600, 400);
        m_console.show();
    }

    void Append(const QString& text) {
        m_console.AppendStyled(text, kGreen);
        m_console.FlushPending();
        QApplication::processEvents();
    }

    // A cursor on the middle of the first `text` in the pane.
    QTextCursor Find(const QString& text) const {
        QTextCursor found = m_console.Text()->document()->find(text);
        EXPECT_FALSE(found.isNull()) << text.toStdString();
        QTextCursor middle(m_console.Text()->document());
        middle.setPosition((found.selectionStart() + found.selectionEnd()) / 2);
        return middle;
    }

    void Click(const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        const QRect at = m_console.Text()->cursorRect(Find(text));
        QTest::mouseClick(m_console.Text()->viewport(), Qt::LeftButton, modifiers, at.center());
    }

    bool IsLink(const QString& text) const {
        QTextCursor cursor = Find(text);
        cursor.movePosition(QTextCursor::NextCharacter);
        return cursor.charFormat().isAnchor();
    }

    CConsoleWnd m_console;
};

TEST_F(ConsoleLinksTest, ClicksAskForTheLinksCommands) {
    QSignalSpy commands(&m_console, &CConsoleWnd::commandRequested);
    QSignalSpy urls(&m_console, &CConsoleWnd::urlRequested);
    // Links a few lines down, in pieces, so that a position counted any other
    // way than the pane's own lands on other text.
    Append(QStringLiteral("vars [user]\n\n"));
    Append(QStringLiteral("  Shows a user's variables. Type \"help"));
    Append(QStringLiteral(" set\" to change yours.\n  More at www.vcx-server.net.\n"));
    Append(QStringLiteral("see also: finger, HELP foo\n"));

    Click(QStringLiteral("help set"), Qt::ControlModifier);
    Click(QStringLiteral("finger"));
    Click(QStringLiteral("HELP foo"));
    Click(QStringLiteral("Shows"));
    ASSERT_EQ(commands.size(), 3);
    EXPECT_EQ(commands[0][0].toString().toStdString(), "help set\n");
    EXPECT_TRUE(commands[0][1].toBool());
    EXPECT_EQ(commands[1][0].toString().toStdString(), "Help finger\n");
    EXPECT_FALSE(commands[1][1].toBool());
    EXPECT_EQ(commands[2][0].toString().toStdString(), "HELP foo\n");

    Click(QStringLiteral("server.net"));
    ASSERT_EQ(urls.size(), 1);
    EXPECT_EQ(urls[0][0].toString().toStdString(), "www.vcx-server.net");

    // A link keeps the colour of its text.
    QTextCursor link = Find(QStringLiteral("finger"));
    EXPECT_EQ(link.charFormat().foreground().color(), QColor(0, 0xC0, 0));
    EXPECT_TRUE(link.charFormat().fontUnderline());
}

TEST_F(ConsoleLinksTest, SwitchedOffNothingNewIsMarked) {
    QSignalSpy commands(&m_console, &CConsoleWnd::commandRequested);
    Append(QStringLiteral("Type \"help intro\" now.\n"));
    m_console.SetLinksDisabled(true);
    Append(QStringLiteral("Type \"help finger\" or see www.vcx-server.net\nsee also: a, b\n"));
    EXPECT_FALSE(IsLink(QStringLiteral("help finger")));
    EXPECT_FALSE(IsLink(QStringLiteral("server")));
    EXPECT_FALSE(IsLink(QStringLiteral("a, b")));
    EXPECT_TRUE(IsLink(QStringLiteral("help intro")));
    Click(QStringLiteral("help intro"));
    ASSERT_EQ(commands.size(), 1);
    EXPECT_EQ(commands[0][0].toString().toStdString(), "help intro\n");

    // Back on, new text is marked again, not text from while it was off.
    m_console.SetLinksDisabled(false);
    Append(QStringLiteral("Type \"help vars\".\n"));
    EXPECT_TRUE(IsLink(QStringLiteral("help vars")));
    EXPECT_FALSE(IsLink(QStringLiteral("help finger")));
}

TEST_F(ConsoleLinksTest, PersonPopupOnlyForASelection) {
    QSignalSpy names(&m_console, &CConsoleWnd::nameSelected);
    QSignalSpy chosen(&m_console, &CConsoleWnd::personCommandChosen);
    Append(QStringLiteral("Carla tells you: a game?\n"));
    bool popupShown = false;
    const auto rightClick = [&] {
        // Chooses "&Finger" in whatever popup opens.
        QTimer::singleShot(0, [&popupShown] {
            if (QWidget* popup = QApplication::activePopupWidget()) {
                popupShown = true;
                QTest::keyClick(popup, Qt::Key_F);
            }
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                m_console.Text()->viewport()->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(m_console.Text()->viewport(), &event);
        QApplication::processEvents();
    };

    rightClick();
    EXPECT_FALSE(popupShown);
    EXPECT_TRUE(chosen.isEmpty());

    m_console.Text()->setTextCursor(m_console.Text()->document()->find(QStringLiteral("Carla")));
    rightClick();
    EXPECT_TRUE(popupShown);
    ASSERT_EQ(names.size(), 2);
    EXPECT_EQ(names[0][0].toString().toStdString(), "");
    EXPECT_EQ(names[1][0].toString().toStdString(), "Carla");
    ASSERT_EQ(chosen.size(), 1);
    EXPECT_EQ(chosen[0][0].toInt(), kPersonFinger);
    EXPECT_EQ(chosen[0][1].toString().toStdString(), "Carla");
}

}  // namespace
