// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "console/CustomizeConsoleDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {

QLabel* BuddyLabel(const char* text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setTextFormat(Qt::PlainText);
    label->setBuddy(buddy);
    return label;
}

// The joined form shows one entry per line.
QString AsLines(const QString& joined) {
    QString text = joined;
    return text.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
}

}  // namespace

CCustomizeConsoleDlg::CCustomizeConsoleDlg(const ConsoleCustomization& values, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Customize console"));
    m_boxes[0] = new QCheckBox(QStringLiteral("&Shouts"), this);
    m_boxes[1] = new QCheckBox(QStringLiteral("S&erious Shouts"), this);
    m_boxes[2] = new QCheckBox(QStringLiteral("&Announcements"), this);
    for (size_t i = 0; i < m_boxes.size(); ++i) m_boxes[i]->setChecked(values.routing[i]);
    m_channels = new QLineEdit(values.channels, this);
    m_title = new QLineEdit(values.title, this);
    m_texts = new QPlainTextEdit(AsLines(values.helperTexts), this);
    m_prefixes = new QPlainTextEdit(AsLines(values.helperPrefixes), this);
    for (QPlainTextEdit* edit : {m_texts, m_prefixes}) {
        edit->setLineWrapMode(QPlainTextEdit::NoWrap);
        edit->setTabChangesFocus(true);
    }
    m_shownTexts = m_texts->toPlainText();
    m_shownPrefixes = m_prefixes->toPlainText();

    auto* channels = new QGridLayout;
    channels->addWidget(BuddyLabel("&Channels", m_channels, this), 0, 0);
    channels->addWidget(m_channels, 0, 1);
    auto* hint = new QLabel(QStringLiteral("Example: 1 2 50"), this);
    hint->setTextFormat(Qt::PlainText);
    channels->addWidget(hint, 1, 1);

    auto* helper = new QGroupBox(QStringLiteral("Command Helper"), this);
    auto* helperGrid = new QGridLayout(helper);
    helperGrid->addWidget(BuddyLabel("&Helper text", m_texts, helper), 0, 0);
    helperGrid->addWidget(BuddyLabel("&Command prefix", m_prefixes, helper), 0, 1);
    helperGrid->addWidget(m_texts, 1, 0);
    helperGrid->addWidget(m_prefixes, 1, 1);

    auto* title = new QGridLayout;
    title->addWidget(BuddyLabel("&Window Title", m_title, this), 0, 0);
    title->addWidget(m_title, 0, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    for (QCheckBox* box : m_boxes) layout->addWidget(box);
    layout->addLayout(channels);
    layout->addWidget(helper);
    layout->addLayout(title);
    layout->addWidget(buttons);
}

ConsoleCustomization CCustomizeConsoleDlg::Values() const {
    ConsoleCustomization values;
    for (size_t i = 0; i < m_boxes.size(); ++i) values.routing[i] = m_boxes[i]->isChecked();
    values.channels = m_channels->text();
    values.title = m_title->text();
    values.helperTexts = m_texts->toPlainText();
    values.helperPrefixes = m_prefixes->toPlainText();
    return values;
}

bool CCustomizeConsoleDlg::HelpersChanged() const {
    return m_texts->toPlainText() != m_shownTexts || m_prefixes->toPlainText() != m_shownPrefixes;
}
