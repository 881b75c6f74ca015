// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// The main console as the parser's main sink: what reaches the pane, how it
// is laid out, and what the entry box sends.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTextBlock>

#include "app/ScratchFolder.h"
#include "console/ConsoleView.h"
#include "console/ConsoleWnd.h"
#include "net/Profile.h"
#include "net/qt/Kordane2Doc.h"

namespace {

class ConsoleViewTest : public ::testing::Test {
  protected:
    ConsoleViewTest()
        : m_scratch(::testing::UnitTest::GetInstance()->current_test_info()->name()),
          m_profile(m_scratch.File("settings.ini")),
          m_doc(m_profile),
          m_view(m_doc, "Connection1") {
        m_doc.Parser().SetMainSink(&m_view);
        QObject::connect(&m_view, &CConsoleView::textAppended, [this] { ++m_batches; });
    }

    QString Pane() const { return m_view.Pane()->toPlainText(); }
    // Parsed messages reach the view in one queued call and the pane in a
    // second one.
    static void Settle() {
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
    }

    ScratchFolder m_scratch;
    CProfile m_profile;
    CKordane2Doc m_doc;
    CConsoleView m_view;
    int m_batches = 0;
};

TEST_F(ConsoleViewTest, ServerTextIsShownAsPlainText) {
    // No web address in it: addresses in server text are links of our own.
    m_doc.Parser().ProcessBytes("<b>x</b> &amp; <a href=\"top.html\">link</a>\n");
    Settle();
    EXPECT_EQ(Pane(), "<b>x</b> &amp; <a href=\"top.html\">link</a>");
    QTextBlock block = m_view.Pane()->document()->firstBlock();
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        EXPECT_NE(it.fragment().charFormat().fontWeight(), QFont::Bold);
        EXPECT_FALSE(it.fragment().charFormat().isAnchor());
    }
}

TEST_F(ConsoleViewTest, LineBreaksAreNormalisedAndTheLastOneHeldBack) {
    struct Row {
        std::vector<const char*> pieces;
        const char* expected;
    } rows[] = {
        {{"abc\n", "def\n"}, "abc\ndef"},
        {{"a\r\nb\rc\n"}, "a\nbc"},
        {{"one\n\n", "two"}, "one\n\ntwo"},
        {{"\n"}, ""},
        {{"\n", "x"}, "\nx"},
        {{"no break", " yet\n"}, "no break yet"},
    };
    for (const Row& row : rows) {
        ScratchFolder scratch("breaks");
        CProfile profile(scratch.File("settings.ini"));
        CKordane2Doc doc(profile);
        CConsoleView view(doc, {});
        for (const char* piece : row.pieces) {
            view.ShowConsoleText(piece);
            QApplication::processEvents();
        }
        EXPECT_EQ(view.Pane()->toPlainText(), row.expected) << row.pieces.front();
    }
}

TEST_F(ConsoleViewTest, Utf8AndLatin1TextBothRead) {
    struct Row {
        const char* bytes;
        const char* expected;  // UTF-8
    } rows[] = {
        {"caf\xc3\xa9 \xe2\x99\x94\n", "caf\xc3\xa9 \xe2\x99\x94"},
        {"caf\xe9 na\xefve\n", "caf\xc3\xa9 na\xc3\xafve"},
        {"cut \xc3\n", "cut \xc3\x83"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(CConsoleWnd::FromServerBytes(row.bytes), QString::fromUtf8(row.expected) + "\n")
            << row.bytes;
    }
}

TEST_F(ConsoleViewTest, AFloodIsLaidOutOncePerEventLoopTurn) {
    for (int i = 0; i < 500; ++i) m_view.ShowConsoleText("flood line " + std::to_string(i) + "\n");
    EXPECT_EQ(Pane(), "") << "nothing is laid out inside the burst";
    QApplication::processEvents();
    EXPECT_EQ(m_batches, 1);
    EXPECT_EQ(m_view.Pane()->document()->blockCount(), 500);
    EXPECT_TRUE(Pane().endsWith("flood line 499"));
}

TEST(ConsoleViewColours, EachKindOfTextTakesItsClassStyle) {
    ScratchFolder scratch("colours");
    CProfile profile(scratch.File("settings.ini"));
    // Channel 7 is named twice around a stray item: the later colour (bold)
    // wins; channel 1 loses its default colour because the list replaces it.
    profile.WriteString("Text Colors", "Channels", "7:ff stray 9:zz 7:1000080");
    profile.WriteString("Text Colors", "Kibitz", "c0c0");
    CKordane2Doc doc(profile);
    CConsoleView view(doc, {});
    doc.Parser().SetMainSink(&view);

    const std::string e = "\x19";
    struct Row {
        std::string bytes;
        const char* line;
        uint32_t word;
    } rows[] = {
        {"plain server text\n", "plain server text", 0x80ff},
        {e + "[12 * 1\nour answer\n" + e + "]", "our answer", 0x4978f3},
        {e + "[12 x 1\nnot ours\n" + e + "]", "not ours", 0x80ff},
        {e + "(31 bob {} {psst} 1" + e + ")", "bob tells you: psst", 0xffff},
        {e + "(31 adm {*} {stop that} 4" + e + ")", "adm(*) tells you: stop that", 0x30000ff},
        {e + "(26 5 kib {} 1 {nice}" + e + ")", "kib kibitzes: nice", 0xc0c0},
        {e + "(32 sam {GM} 0 {hi all}" + e + ")", "sam(GM) shouts: hi all", 0xffff00},
        {e + "(32 sam {GM} 1 {waves}" + e + ")", "--> sam waves", 0xffff00},
        {e + "(32 sue {} 2 {psst}" + e + ")", "sue s-shouts: psst", 0xffffff},
        {e + "(32 td {TD} 3 {round 2}" + e + ")", "   ** ANNOUNCEMENT ** from td(TD): round 2",
         0x1ffffff},
        {e + "(28 7 ann {} {on seven} 0" + e + ")", "ann(7): on seven", 0x1000080},
        {e + "(28 1 ann {} {on one} 0" + e + ")", "ann(1): on one", 0x80bedf},
        {e + "(28 9 ann {} {on nine} 0" + e + ")", "ann(9): on nine", 0x80bedf},
        {e + "(28 7 adm {*} {careful} 4" + e + ")", "adm(*)(7): careful", 0x30000ff},
        {e + "(83 bob {} {quoted}" + e + ")", ">quoted", 0x80ff},
    };
    for (const Row& row : rows) {
        doc.Parser().ProcessBytes(row.bytes);
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
        const QTextBlock last = view.Pane()->document()->lastBlock();
        ASSERT_EQ(last.text(), QString::fromStdString(row.line));
        const QTextCharFormat format = last.begin().fragment().charFormat();
        const uint32_t rgb = row.word & 0xffffff;
        EXPECT_EQ(format.foreground().color(),
                  QColor(rgb & 0xff, (rgb >> 8) & 0xff, (rgb >> 16) & 0xff))
            << row.line;
        EXPECT_EQ(format.fontWeight() == QFont::Bold, (row.word & 0x1000000) != 0) << row.line;
        EXPECT_EQ(format.fontItalic(), (row.word & 0x2000000) != 0) << row.line;
    }
}

TEST_F(ConsoleViewTest, ReturnEchoesAndSendsTheCommand) {
    QLineEdit* entry = m_view.Entry();
    EXPECT_EQ(entry->maxLength(), 319);
    entry->setText("tell Judit <hello>");
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
    QApplication::sendEvent(entry, &press);
    Settle();
    EXPECT_EQ(entry->text(), "");
    // Not connected: the connection says so after the echo, so the command
    // did go to the parser's send operation.
    EXPECT_EQ(Pane(), "tell Judit <hello>\nWarning: Not connected to the server.");
}

TEST_F(ConsoleViewTest, TypingInThePaneGoesToTheEntryBox) {
    QKeyEvent letter(QEvent::KeyPress, Qt::Key_F, Qt::NoModifier, "f");
    QApplication::sendEvent(m_view.Pane(), &letter);
    QKeyEvent pageUp(QEvent::KeyPress, Qt::Key_PageUp, Qt::NoModifier);
    QApplication::sendEvent(m_view.Pane(), &pageUp);
    QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier, "\x03");
    QApplication::sendEvent(m_view.Pane(), &copy);
    EXPECT_EQ(m_view.Entry()->text(), "f");
}

TEST_F(ConsoleViewTest, LocalBoardStartsWithBannerAndNotice) {
    m_view.InitialUpdate();
    Settle();
    EXPECT_EQ(m_doc.Parser().MainSink(), &m_view);
    EXPECT_TRUE(Pane().startsWith("Kordane 2.31\n"));
    EXPECT_TRUE(Pane().endsWith("No server name provided.  Local chessboard mode."));
    EXPECT_EQ(m_doc.State(), CKordane2Doc::Idle) << "no connection is attempted";
}

TEST_F(ConsoleViewTest, DestroyedViewIsNoLongerTheMainSink) {
    {
        CConsoleView second(m_doc, {});
        m_doc.Parser().SetMainSink(&second);
    }
    EXPECT_EQ(m_doc.Parser().MainSink(), nullptr);
    m_doc.Parser().ProcessBytes("nobody is listening\n");
    Settle();  // must not reach the destroyed view
}

}  // namespace
