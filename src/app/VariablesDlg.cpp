// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "app/VariablesDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/NumberBox.h"

CVariablesDlg::CVariablesDlg(const OfferCommands::VariablesChoice& initial, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QString::fromLatin1(kTitle));

    auto* switches = new QGroupBox(QStringLiteral("Switches"), this);
    auto* switchLayout = new QVBoxLayout(switches);
    const auto check = [switches, switchLayout](const char* text, bool on) {
        auto* box = new QCheckBox(QString::fromLatin1(text), switches);
        box->setChecked(on);
        switchLayout->addWidget(box);
        return box;
    };
    m_shout = check("&shout", initial.shout);
    m_sshout = check("ss&hout", initial.sshout);
    m_tell = check("&tell", initial.tell);
    m_ctell = check("&ctell", initial.ctell);
    m_unobserve = check("&unobserve", initial.unobserve);
    m_autoflag = check("&autoflag", initial.autoflag);
    m_examine = check("e&xamine", initial.examine);
    m_open = check("&open", initial.open);
    m_noescape = check("&noescape", initial.noescape);

    auto* numbers = new QGroupBox(QStringLiteral("Numbers"), this);
    auto* form = new QFormLayout(numbers);
    m_kibitz = NumberBox::Make(initial.kibitz, numbers);
    m_seek = NumberBox::Make(initial.seek, numbers);
    m_bell = NumberBox::Make(initial.bell, numbers);
    m_quietplay = NumberBox::Make(initial.quietplay, numbers);
    form->addRow(QStringLiteral("&kibitz:"), m_kibitz);
    form->addRow(QStringLiteral("s&eek:"), m_seek);
    form->addRow(QStringLiteral("&bell:"), m_bell);
    form->addRow(QStringLiteral("&quietplay:"), m_quietplay);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* columns = new QHBoxLayout;
    columns->addWidget(switches);
    columns->addWidget(numbers, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

OfferCommands::VariablesChoice CVariablesDlg::Choice() const {
    OfferCommands::VariablesChoice choice;
    choice.shout = m_shout->isChecked();
    choice.sshout = m_sshout->isChecked();
    choice.tell = m_tell->isChecked();
    choice.ctell = m_ctell->isChecked();
    choice.unobserve = m_unobserve->isChecked();
    choice.autoflag = m_autoflag->isChecked();
    choice.examine = m_examine->isChecked();
    choice.open = m_open->isChecked();
    choice.noescape = m_noescape->isChecked();
    choice.kibitz = m_kibitz->value();
    choice.seek = m_seek->value();
    choice.bell = m_bell->value();
    choice.quietplay = m_quietplay->value();
    return choice;
}
