// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "app/TipDialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "net/Profile.h"

namespace {

constexpr const char* kTips[CTipDialog::kTipCount] = {
    "All game-related text (opponent's tells, offers, kibitzes, etc.) appears in the console "
    "below the board.  If you choose Options / Advanced / Disable Board Console, they appear in "
    "the main console instead.",
    "You can hit F9 to quickly respond to the most recent person sending you a personal tell.",
    "You can use UP- and DOWN-arrows to access recently typed commands.",
    "You can customize extra console windows to receive specific channels you are interested "
    "in.  Create the extra console with Window->New Console, activate the console, and choose "
    "Options->Customize Console.",
    "In any console including a command-helper combo-box (like the game console), you can cycle "
    "through the prefixes using the Tab key.",
    "In any console including a command-helper combo-box (like the game console), you can issue "
    "an ordinary command by beginning the line with a slash (\"/\").",
    "You can use CTRL-Return to have the output of a command placed in a new window.",
    "If you use CTRL-Return on a tell command, the resulting window will automatically prefix "
    "future commands with \"Tell <whomever>!\".",
    "Using an exclamation point after a name prevents auto-name-completion.  For example, if you "
    "\"tell Tom! hi\" just as Tom is logging out, the message will not go to user Tomahawk by "
    "mistake.",
    "You can increase or decrease the amount of text associated with a game window by dragging "
    "the divider between the board and the text.  To get rid of the text area entirely, choose "
    "Options / Advanced / Disable Board Console.",
    "If you highlight a name and click the right mouse-button, you will get a convenient popup "
    "menu of actions on that person.",
    "\"Liblist\", \"search\", \"stored\", and \"history\" commands create a game-list window.  "
    "Right-click on a game to get a popupmenu of actions on that game.",
    "In the seek graph, right-click a circle for a popup menu of actions relevant to that seek.",
    "You can assign frequently used text-commands to the 1 through 10 toolbar buttons.  Choose "
    "Options / Customize User Buttons from the menubar.",
    "Even with the toolbar hidden, you can use the toolbar buttons' macros by typing "
    "CTRL-<number>.",
    "You can change the font by choosing Options->Customize Text from the menubar.",
    "A \"Temporary Console\" window (created with CTRL-Return or a \"Chat\" popup menu "
    "selection) will not auto-load the next time you run Kordane 2.",
    "You can hit ESC to erase the current command-entry area.",
    "You can cycle through open windows by using the keyboard shortcuts CTRL-Tab and "
    "SHIFT-CTRL-Tab.",
    "The 3D pieces look best when they do not need to be stretched.  For best results, resize "
    "your game board until the images do not appear \"ragged\".",
};

constexpr const char* kTipFormat = "Did you know...\r\n\r\n%1";

// The stored number may be anything a hand-edited file holds, negative included.
int Wrap(int number) {
    return (number % CTipDialog::kTipCount + CTipDialog::kTipCount) % CTipDialog::kTipCount;
}

}  // namespace

CTipDialog::CTipDialog(CProfile& profile, QWidget* parent) : QDialog(parent), m_profile(profile) {
    setWindowTitle(QStringLiteral("Tip of the Day"));

    m_text = new QPlainTextEdit(this);
    m_text->setReadOnly(true);
    m_text->setMinimumSize(380, 150);
    // The tips wrap to the box's width and none is longer than the box.
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_text->setFrameShape(QFrame::Box);
    QPalette white = m_text->palette();
    white.setColor(QPalette::Base, Qt::white);
    white.setColor(QPalette::Text, Qt::black);
    m_text->setPalette(white);
    m_showTips = new QCheckBox(QStringLiteral("Show tips on startup"), this);
    auto* next = new QPushButton(QStringLiteral("Next Tip"), this);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setDefault(true);

    auto* row = new QHBoxLayout;
    row->addWidget(m_showTips);
    row->addStretch(1);
    row->addWidget(next);
    row->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addLayout(row);

    m_showTipsAtOpen = m_profile.GetInt(kSection, kShowTipsKey, 1) != 0;
    m_showTips->setChecked(m_showTipsAtOpen);
    m_tip = Wrap(m_profile.GetInt(kSection, kTipNumberKey, 0));
    ShowTip();
    // The next start shows the next tip, however far the user clicks on.
    m_profile.WriteInt(kSection, kTipNumberKey, Wrap(m_tip + 1));

    connect(next, &QPushButton::clicked, this, [this] {
        m_tip = Wrap(m_tip + 1);
        ShowTip();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(this, &QDialog::finished, this, &CTipDialog::SaveShowTips);
}

CTipDialog::~CTipDialog() = default;

CTipDialog* CTipDialog::ShowAtStartup(CProfile& profile, QWidget* parent) {
    if (profile.GetInt(kSection, kShowTipsKey, 1) == 0) return nullptr;
    auto* dialog = new CTipDialog(profile, parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // Window-modal without a nested event loop: start-up goes on to the
    // first connection while the tip is up.
    dialog->open();
    return dialog;
}

const char* CTipDialog::Tip(int number) {
    return kTips[Wrap(number)];
}

QString CTipDialog::Text() const {
    return m_text->toPlainText();
}

void CTipDialog::ShowTip() {
    // The text box breaks lines at "\n"; a "\r" would show as a stray glyph.
    QString text = QString::fromLatin1(kTipFormat).arg(QString::fromLatin1(kTips[m_tip]));
    text.remove(QLatin1Char('\r'));
    m_text->setPlainText(text);
}

void CTipDialog::SaveShowTips() {
    const bool on = m_showTips->isChecked();
    if (on != m_showTipsAtOpen) {
        m_profile.WriteInt(kSection, kShowTipsKey, on ? 1 : 0);
        m_showTipsAtOpen = on;
    }
}
