// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "console/OpenChatDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

QLabel* PlainLabel(const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

}  // namespace

COpenChatDlg::COpenChatDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Open Chat Window"));
    m_boxes[0] = new QCheckBox(QStringLiteral("Shouts"), this);
    m_boxes[1] = new QCheckBox(QStringLiteral("S-shouts"), this);
    m_boxes[2] = new QCheckBox(QStringLiteral("Announcements"), this);
    m_channels = new QLineEdit(this);
    m_people = new QLineEdit(this);

    auto* grid = new QGridLayout;
    grid->addWidget(PlainLabel("Channels", this), 0, 0);
    grid->addWidget(m_channels, 0, 1);
    grid->addWidget(PlainLabel("Example: 1 2 50", this), 1, 1);
    grid->addWidget(PlainLabel("People", this), 2, 0);
    grid->addWidget(m_people, 2, 1);
    grid->addWidget(PlainLabel("Example: Joe Julie Fred", this), 3, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    for (QCheckBox* box : m_boxes) layout->addWidget(box);
    layout->addLayout(grid);
    layout->addWidget(buttons);
}

std::array<bool, 3> COpenChatDlg::Routing() const {
    return {m_boxes[0]->isChecked(), m_boxes[1]->isChecked(), m_boxes[2]->isChecked()};
}

QString COpenChatDlg::ChannelsText() const {
    return m_channels->text();
}

QString COpenChatDlg::PeopleText() const {
    return m_people->text();
}
