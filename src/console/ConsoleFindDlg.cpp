// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "console/ConsoleFindDlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CConsoleFindDlg::CConsoleFindDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Find"));
    setModal(false);
    m_what = new QLineEdit(this);
    m_what->setMaxLength(80);
    m_case = new QCheckBox(QStringLiteral("Match &case"), this);
    m_word = new QCheckBox(QStringLiteral("Match &whole word only"), this);
    auto* next = new QPushButton(QStringLiteral("&Find Next"), this);
    next->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);

    auto* label = new QLabel(QStringLiteral("Fi&nd what:"), this);
    label->setBuddy(m_what);
    auto* grid = new QGridLayout(this);
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_what, 0, 1);
    grid->addWidget(next, 0, 2);
    grid->addWidget(m_word, 1, 0, 1, 2);
    grid->addWidget(cancel, 1, 2);
    grid->addWidget(m_case, 2, 0, 1, 2);

    connect(next, &QPushButton::clicked, this,
            [this] { emit findNext(m_what->text(), m_case->isChecked(), m_word->isChecked()); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);
}
