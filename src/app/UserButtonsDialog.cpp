// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "app/UserButtonsDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

CUserButtonsDialog::CUserButtonsDialog(CSettings& settings, QWidget* parent)
    : QDialog(parent), m_settings(settings) {
    setWindowTitle(QStringLiteral("Customize User Buttons"));
    auto* form = new QFormLayout;
    for (int i = 0; i < CSettings::kUserButtons; ++i) {
        auto* edit = new QLineEdit(QString::fromStdString(m_settings.UserButton(i)), this);
        edit->setMaxLength(static_cast<int>(CSettings::kMaxString));
        // Buttons are numbered 1 to 9, then 0, as on the keyboard.
        form->addRow(QStringLiteral("User Button %1").arg((i + 1) % 10), edit);
        m_edits[i] = edit;
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        for (int i = 0; i < CSettings::kUserButtons; ++i) {
            m_settings.SetUserButton(i, m_edits[i]->text().toStdString());
        }
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}
