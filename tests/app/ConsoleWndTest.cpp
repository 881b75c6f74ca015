// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// The console window: trimming and styles when appends are coalesced, a
// reader scrolled up, the entry box's history and keys, logging and find.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <random>

#include "app/ScratchFolder.h"
#include "console/CommandEdit.h"
#include "console/ConsoleText.h"
#include "console/ConsoleWnd.h"

namespace {

struct Fragment {
    QString text;
    QColor colour;
    bool bold;
    bool italic;
    bool operator==(const Fragment&) const = default;
};

// The pane as text and styles, neighbouring fragments of one style joined.
std::vector<Fragment> Fragments(const CConsoleWnd& console) {
    std::vector<Fragment> out;
    for (QTextBlock block = console.Text()->document()->begin(); block.isValid();
         block = block.next()) {
        if (block != console.Text()->document()->begin()) {
            if (out.empty()) out.push_back({});
            out.back().text += QLatin1Char('\n');
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            Fragment f{it.fragment().text(), format.foreground().color(),
                       format.fontWeight() == QFont::Bold, format.fontItalic()};
            if (!out.empty() && out.back().colour == f.colour && out.back().bold == f.bold &&
                out.back().italic == f.italic) {
                out.back().text += f.text;
            } else {
                out.push_back(f);
            }
        }
    }
    return out;
}

void Press(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
           const QString& text = {}) {
    QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(widget, &event);
}

TEST(ConsoleWnd, CoalescedAppendsEndAsIfLaidOutOneByOne) {
    // Random line counts and styles, some appends without text or with bare
    // CRs, enough to trim many times; one pane lays out after every append,
    // the other once per burst of a few hundred.
    std::mt19937 rng(7);
    CConsoleWnd single;
    CConsoleWnd batched;
    const uint32_t styles[] = {0xffff00, 0x1ffffff, 0x2ff8000, 0x30000ff};
    for (int burst = 0; burst < 12; ++burst) {
        const int appends = 1 + static_cast<int>(rng() % 400);
        for (int i = 0; i < appends; ++i) {
            QString text;
            const int lines = static_cast<int>(rng() % 6);
            for (int l = 0; l < lines; ++l) text += QStringLiteral("b%1 l%2\r\n").arg(burst).arg(i);
            if (rng() % 3 == 0) text += QStringLiteral("tail");
            const uint32_t style = styles[rng() % std::size(styles)];
            single.AppendStyled(text, style);
            single.FlushPending();
            batched.AppendStyled(text, style);
        }
        QApplication::processEvents();
        ASSERT_EQ(Fragments(batched), Fragments(single)) << "burst " << burst;
    }
    EXPECT_GT(single.Text()->document()->blockCount(),
              CConsoleWnd::kKeepLines - CConsoleWnd::kTrimStep);
}

TEST(ConsoleWnd, TheAppendAfter1051LinesDropsTheFirstFifty) {
    CConsoleWnd console;
    for (int i = 1; i <= 1051; ++i) console.AppendStyled(QStringLiteral("line %1\n").arg(i), 0);
    console.FlushPending();
    ASSERT_EQ(console.Text()->document()->blockCount(), 1051);
    console.AppendStyled(QStringLiteral("next"), 0);
    console.FlushPending();
    const QTextDocument* document = console.Text()->document();
    EXPECT_EQ(document->blockCount(), 1002);
    EXPECT_EQ(document->firstBlock().text(), "line 51");
    EXPECT_EQ(document->lastBlock().text(), "next");
}

TEST(ConsoleWnd, AReaderScrolledUpKeepsTextAndSelectionWhileLinesAreTrimmed) {
    CConsoleWnd console;
    console.resize(500, 300);
    console.show();
    for (int i = 0; i < 1040; ++i) console.AppendStyled(QStringLiteral("old %1\n").arg(i), 0);
    QApplication::processEvents();
    QScrollBar* bar = console.Text()->verticalScrollBar();
    ASSERT_EQ(bar->value(), bar->maximum()) << "new text follows the end";

    bar->setValue(bar->maximum() / 2);
    const QString topLine = console.Text()->cursorForPosition(QPoint(2, 2)).block().text();
    QTextCursor selection = console.Text()->document()->find(QStringLiteral("old 700"));
    console.Text()->setTextCursor(selection);
    bar->setValue(bar->maximum() / 2);
    for (int i = 0; i < 100; ++i) console.AppendStyled(QStringLiteral("new %1\n").arg(i), 0);
    QApplication::processEvents();
    EXPECT_EQ(console.Text()->document()->firstBlock().text(), "old 100") << "trimmed twice";
    EXPECT_EQ(console.Text()->cursorForPosition(QPoint(2, 2)).block().text(), topLine);
    EXPECT_EQ(console.Text()->textCursor().selectedText(), "old 700");

    bar->setValue(bar->maximum());
    console.AppendStyled(QStringLiteral("newest\nafter\n"), 0);
    QApplication::processEvents();
    EXPECT_EQ(bar->value(), bar->maximum());
}

TEST(ConsoleWnd, HistoryKeysAndHelpers) {
    CConsoleWnd console;
    CCommandEdit* entry = console.Entry();
    for (int i = 1; i <= 12; ++i) {
        entry->setText(QStringLiteral("cmd %1").arg(i));
        Press(entry, Qt::Key_Return);
    }
    EXPECT_EQ(entry->text(), "");
    QStringList shown;
    for (int i = 0; i < 11; ++i) {
        Press(entry, Qt::Key_Up);
        shown << entry->text();
    }
    EXPECT_EQ(shown.front(), "cmd 12") << "Up right after sending shows the last command";
    EXPECT_EQ(shown[9], "cmd 3") << "ten commands are kept";
    EXPECT_EQ(shown.back(), "cmd 12") << "the eleventh Up comes back to it";
    Press(entry, Qt::Key_Down);
    EXPECT_EQ(entry->text(), "cmd 3") << "Down wraps from the newest to the oldest";
    Press(entry, Qt::Key_Escape);
    EXPECT_EQ(entry->text(), "");

    console.SetLastTellerSource([] { return QStringLiteral("Judit"); });
    Press(entry, Qt::Key_F9);
    EXPECT_EQ(entry->text(), "/Tell Judit! ");

    console.AddHelper(QStringLiteral("Commands"), QString());
    console.AddHelper(QStringLiteral("Channel 50"), QStringLiteral("tell 50"));
    console.AddHelper(QStringLiteral("Kibitz"), QStringLiteral("kibitz"));
    entry->setText(QStringLiteral("  hello"));
    Press(entry, Qt::Key_Tab);
    EXPECT_EQ(console.TakeCommand(), "tell 50   hello");
    Press(entry, Qt::Key_Backtab, Qt::ShiftModifier);
    Press(entry, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(console.TakeCommand(), "kibitz   hello") << "Shift+Tab wraps backwards";
    entry->setText(QStringLiteral("/finger"));
    EXPECT_EQ(console.TakeCommand(), "/finger") << "a slash command goes out without prefix";
    EXPECT_TRUE(entry->hasFocus() || !console.isVisible()) << "Tab kept the focus in the box";
}

TEST(ConsoleWnd, LogFileGetsThePaneTextBetweenItsBeginAndEndLines) {
    ScratchFolder scratch("consolelog");
    const QString path = QString::fromStdString(scratch.File("console.txt"));
    CConsoleWnd console;
    console.AppendStyled(QStringLiteral("before\n"), 0);
    ASSERT_TRUE(console.StartLog(path));
    console.AppendStyled(QStringLiteral("one\r\ntwo\n"), 0xffff);
    console.StopLog();
    console.AppendStyled(QStringLiteral("after\n"), 0);
    console.FlushPending();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("\r\n--- Log begins (" + path.toUtf8() +
                                         ") ---\r\none\r\ntwo\r\n--- Log ends ---"));
    EXPECT_FALSE(console.StartLog(QString::fromStdString(scratch.File("no/such/folder.txt"))));
    EXPECT_FALSE(console.IsLogging());
}

TEST(ConsoleWnd, FindNextWrapsToTheTopOnce) {
    CConsoleWnd console;
    console.AppendStyled(QStringLiteral("alpha Beta\ngamma beta\ndelta betamax\n"), 0);
    console.FlushPending();
    auto selected = [&] { return console.Text()->textCursor().selectionStart(); };
    ASSERT_TRUE(console.FindNext(QStringLiteral("beta"), true, false));
    EXPECT_EQ(selected(), 17);
    ASSERT_TRUE(console.FindNext(QStringLiteral("beta"), true, false));
    EXPECT_EQ(selected(), 28);
    ASSERT_TRUE(console.FindNext(QStringLiteral("beta"), true, true)) << "wraps to the top";
    EXPECT_EQ(selected(), 17);
    ASSERT_TRUE(console.FindNext(QStringLiteral("beta"), false, true));
    EXPECT_EQ(selected(), 6);
    EXPECT_FALSE(console.FindNext(QStringLiteral("epsilon"), false, false));
}

}  // namespace
