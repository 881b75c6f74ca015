// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Server dialogs driven through their datagrams with the templates the test
// server sends (compiled by a real resource compiler): the widgets each
// control becomes, their numbering, the initial values, the answers, and
// the ends without an answer.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "dialogs/ServerDialog.h"
#include "dialogs/ServerDialogSlot.h"
#include "dialogs/SimpleComboBox.h"
#include "net/ServerMessage.h"

namespace {

std::vector<std::uint8_t> ReadRes(const std::string& path) {
    std::ifstream in(std::string(KORDANE_SOURCE_DIR "/") + path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ServerDialogs : public ::testing::Test {
  protected:
    ServerDialogs()
        : m_slot(
              &m_parent, [this](const QString& text) { m_warnings << text; },
              [this](const std::string& line) { m_sent.push_back(line); }) {
        m_parent.resize(900, 700);
        m_parent.show();
    }

    void Datagram(int number, std::initializer_list<std::string> fields) {
        CServerMessage message(CServerMessage::Datagram, number);
        message.fields.push_back(std::to_string(number));
        for (const std::string& field : fields) message.fields.push_back(field);
        m_slot.Receive(message);
    }
    // 105 and the bytes in 106s of 100 bytes, as the server sends them.
    void Begin(const std::vector<std::uint8_t>& bytes) {
        ASSERT_FALSE(bytes.empty());
        Datagram(105, {std::to_string(bytes.size())});
        for (std::size_t at = 0; at < bytes.size(); at += 100) {
            std::string chars;
            for (std::size_t i = at; i < std::min(bytes.size(), at + 100); ++i) {
                chars += static_cast<char>('A' + (bytes[i] >> 4));
                chars += static_cast<char>('A' + (bytes[i] & 0x0F));
            }
            Datagram(106, {chars});
        }
    }
    QWidget* Control(std::size_t n) const { return m_slot.Current()->Controls().at(n - 1).widget; }
    template <typename T>
    T* ControlAs(std::size_t n) const {
        auto* widget = qobject_cast<T*>(Control(n));
        EXPECT_NE(widget, nullptr) << "control " << n;
        return widget;
    }
    static QWidget* NextTabStop(QWidget* from) {
        QWidget* w = from->nextInFocusChain();
        while (w != from && !((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(w->window())))
            w = w->nextInFocusChain();
        return w;
    }
    static QPushButton* Button(QWidget* widget) { return qobject_cast<QPushButton*>(widget); }

    QWidget m_parent;
    QStringList m_warnings;
    std::vector<std::string> m_sent;
    CServerDialogSlot m_slot;
};

TEST_F(ServerDialogs, SeekAnswersWithTextListSelectionAndCheckState) {
    const std::vector<std::uint8_t> res = ReadRes("server/dialogs/seek.res");
    for (const bool clearList : {false, true}) {
        Begin(res);
        Datagram(107, {"1", "s", "5"});
        Datagram(107, {"2", "l", "2"});
        Datagram(107, {"3", "b", "1"});
        Datagram(108, {"0", "1", "seek %1s %2l %3b", "cancelled", "", ""});
        CServerDialog* dialog = m_slot.Current();
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(dialog->Running());
        ASSERT_EQ(dialog->Controls().size(), 7u);
        EXPECT_EQ(ControlAs<QLineEdit>(1)->text(), "5");
        EXPECT_EQ(dialog->focusWidget(), Control(1));
        auto* list = ControlAs<QListWidget>(2);
        ASSERT_EQ(list->count(), 4);
        EXPECT_EQ(list->currentItem()->text(), "Standard");
        EXPECT_TRUE(ControlAs<QCheckBox>(3)->isChecked());
        if (clearList) list->clearSelection();
        Button(Control(6))->click();
        EXPECT_FALSE(dialog->Running());
        EXPECT_FALSE(dialog->isVisible());
    }
    // An answered dialog stays until the next one begins.
    EXPECT_EQ(m_sent, (std::vector<std::string>{"seek 5 2 1\n", "seek 5 65535 1\n"}));
    EXPECT_TRUE(m_warnings.isEmpty()) << m_warnings.join('\n').toStdString();
}

TEST_F(ServerDialogs, EveryControlKindIsBuiltNumberedAndAnswered) {
    Begin(ReadRes("server/dialogs/controls.res"));
    Datagram(107, {"3", "b", "1"});
    Datagram(107, {"7", "b", "1"});
    Datagram(107, {"13", "s", "plain"});
    Datagram(107, {"18", "l", "1"});
    Datagram(107, {"20", "c", "2"});
    Datagram(107, {"21", "c", "1"});
    Datagram(107, {"24", "s", "disabled"});
    Datagram(107, {"25", "x", "1"});
    Datagram(108, {"0", "13",
                   "%3b %4b %5b %6b %7b %8b|%13s|%17s|%18l %19c %20c %21c|%20s|%21s|%24s|%40s", "",
                   "yes %25s", ""});
    CServerDialog* dialog = m_slot.Current();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(m_warnings, QStringList{"Warning: unknown value type in DG_DIALOG_DEFAULT!"});
    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("Contr\xc3\xb4les \xe2\x80\x94 every kind"));

    struct Row {
        const char* className;
        const char* text;
        bool visible = true;
        bool enabled = true;
    };
    const Row rows[] = {
        {"QGroupBox", ""},
        {"QPushButton", "Push"},
        {"QCheckBox", "Auto check"},
        {"QCheckBox", "Manual check"},
        {"QCheckBox", "Three states"},
        {"QRadioButton", "Radio A"},
        {"QRadioButton", "Radio B"},
        {"QRadioButton", "Manual radio"},
        {"QGroupBox", ""},
        {"QLabel", "Left"},
        {"QLabel", "Centre"},
        {"QLabel", "Right"},
        {"QLineEdit", "plain"},
        {"QLineEdit", ""},
        {"QLineEdit", ""},
        {"QLineEdit", ""},
        {"QPlainTextEdit", ""},
        {"QListWidget", ""},
        {"CSimpleComboBox", ""},
        {"QComboBox", ""},
        {"QComboBox", ""},
        {"QScrollBar", ""},
        {"QFrame", ""},
        {"QLineEdit", "disabled", true, false},
        {"QLabel", "Hidden", false},
        {"QPushButton", "OK"},
        {"QPushButton", "Cancel"},
        {"QPushButton", "Yes"},
        {"QPushButton", "No"},
    };
    ASSERT_EQ(dialog->Controls().size(), std::size(rows));
    for (std::size_t n = 1; n <= std::size(rows); ++n) {
        const Row& row = rows[n - 1];
        QWidget* w = Control(n);
        EXPECT_STREQ(w->metaObject()->className(), row.className) << "control " << n;
        EXPECT_EQ(w->isVisible(), row.visible) << "control " << n;
        EXPECT_EQ(w->isEnabled(), row.enabled) << "control " << n;
        if (*row.text != 0) {
            EXPECT_EQ(CDialogBuilder::Text(dialog->Controls()[n - 1]).toStdString(), row.text)
                << "control " << n;
        }
    }
    // Styles that change what a widget does.
    EXPECT_TRUE(ControlAs<QCheckBox>(5)->isTristate());
    EXPECT_EQ(ControlAs<QLabel>(11)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(ControlAs<QLabel>(12)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(ControlAs<QLineEdit>(14)->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(ControlAs<QLineEdit>(15)->isReadOnly());
    EXPECT_NE(ControlAs<QLineEdit>(16)->validator(), nullptr);
    EXPECT_TRUE(ControlAs<QComboBox>(20)->isEditable());
    EXPECT_FALSE(ControlAs<QComboBox>(21)->isEditable());
    EXPECT_TRUE(Button(Control(26))->isDefault());
    // Initial strings are Windows-1252; the initial selections apply.
    EXPECT_EQ(ControlAs<QComboBox>(20)->itemText(0), QString::fromUtf8("Caf\xc3\xa9"));
    EXPECT_EQ(ControlAs<QComboBox>(20)->itemText(1), QString::fromUtf8("\xe2\x82\xac 10"));
    EXPECT_EQ(ControlAs<QComboBox>(21)->currentText(), "South");
    EXPECT_EQ(ControlAs<CSimpleComboBox>(19)->List()->count(), 2);
    EXPECT_EQ(dialog->focusWidget(), Control(13));
    // Tab goes through the tab stops in creation order: past the manual
    // radio button (no tab stop), the group box and the statics.
    EXPECT_EQ(NextTabStop(Control(7)), Control(13));
    EXPECT_EQ(NextTabStop(Control(13)), Control(14));

    // The user's changes: a click on a manual check box changes nothing,
    // automatic radio buttons exclude each other, and a line break typed
    // into the multi-line edit does not split the answer.
    ControlAs<QCheckBox>(4)->click();
    ControlAs<QRadioButton>(6)->click();
    ControlAs<QPlainTextEdit>(17)->setPlainText("two\nlines");
    Button(Control(26))->click();
    ASSERT_EQ(m_sent.size(), 1u);
    EXPECT_EQ(m_sent[0], "1 0 0 1 0 0|plain|two lines|1 0 2 1|Tea!|South|disabled|\n");

    // Shown again it keeps what was collected; Yes answers with its own
    // template, and a hidden control still has its text.
    Datagram(108, {"0", "0", "", "", "yes %25s", ""});
    EXPECT_EQ(ControlAs<QPlainTextEdit>(17)->toPlainText(), "two\nlines");
    Button(Control(28))->click();
    EXPECT_EQ(m_sent.back(), "yes Hidden\n");
}

// Enter in a multi-line edit breaks the line only with the want-return
// style; without it Enter is the default button and Ctrl+Enter breaks it.
TEST_F(ServerDialogs, EnterInAMultiLineEditFollowsTheWantReturnStyle) {
    const std::vector<std::uint8_t> original = ReadRes("server/dialogs/controls.res");
    const std::uint8_t style[] = {0x44, 0x10, 0xA1, 0x50};  // 17's, with want-return
    const auto at =
        std::search(original.begin(), original.end(), std::begin(style), std::end(style));
    ASSERT_NE(at, original.end());
    ASSERT_EQ(std::search(at + 1, original.end(), std::begin(style), std::end(style)),
              original.end());
    auto press = [this](Qt::KeyboardModifiers modifiers) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_Return, modifiers, QStringLiteral("\r"));
        QCoreApplication::sendEvent(Control(17), &key);
    };
    for (const bool wantReturn : {true, false}) {
        std::vector<std::uint8_t> res = original;
        if (!wantReturn) res[static_cast<std::size_t>(at - original.begin()) + 1] &= ~0x10;
        Begin(res);
        Datagram(108, {"0", "17", "ok %17s", "", "", ""});
        ASSERT_NE(m_slot.Current(), nullptr);
        auto* edit = ControlAs<QPlainTextEdit>(17);
        edit->setPlainText("a");
        edit->moveCursor(QTextCursor::End);
        press(wantReturn ? Qt::NoModifier : Qt::ControlModifier);
        EXPECT_EQ(edit->toPlainText(), "a\n");
        EXPECT_TRUE(m_slot.Current()->Running());
        if (!wantReturn) {
            press(Qt::NoModifier);
            EXPECT_FALSE(m_slot.Current()->Running());
        }
        Datagram(109, {});
    }
    EXPECT_EQ(m_sent, std::vector<std::string>{"ok a \n"});
}

TEST_F(ServerDialogs, BrokenTemplateEndsWithoutAnswer) {
    std::vector<std::uint8_t> res = ReadRes("server/dialogs/seek.res");
    // The dialog's control count (at 8 bytes into its data, after a first
    // empty entry of 32 bytes and its own 32-byte header) claims far more
    // controls than the bytes hold.
    ASSERT_EQ(res.at(64 + 8), 7);
    res[64 + 8] = 200;
    Begin(res);
    QPointer<CServerDialog> dialog = m_slot.Current();
    Datagram(108, {"0", "1", "seek %1s", "", "", ""});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialog.isNull());
    EXPECT_EQ(m_slot.Current(), nullptr);
    EXPECT_TRUE(m_sent.empty());
    // The data of a dialog that no longer exists is refused.
    Datagram(106, {"ABC"});
    EXPECT_EQ(m_warnings, QStringList{"Warning: no dialog yet in DG_DIALOG_DATA!"});
}

TEST_F(ServerDialogs, NewDialogOrCloseEndsARunningOneWithResultThree) {
    const std::vector<std::uint8_t> res = ReadRes("server/dialogs/seek.res");
    for (const int ender : {105, 109}) {
        Begin(res);
        Datagram(108, {"0", "0", "seek %1s", "seek %1s", "", ""});
        QPointer<CServerDialog> running = m_slot.Current();
        ASSERT_TRUE(running && running->Running());
        int result = 0;
        QObject::connect(running, &QDialog::finished, [&result](int r) { result = r; });
        if (ender == 105)
            Begin(res);
        else
            Datagram(109, {});
        EXPECT_EQ(result, CServerDialog::kResultClosed);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(running.isNull());
        // After 105 the new dialog waits for its show; after 109 none is left.
        EXPECT_EQ(m_slot.Current() != nullptr, ender == 105);
        Datagram(109, {});
    }
    EXPECT_TRUE(m_sent.empty());
    EXPECT_TRUE(m_warnings.isEmpty());
}

}  // namespace
