// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "app/LoginDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "net/ServerHosts.h"

CLoginDialog::CLoginDialog(const ConnectionParams& params, QWidget* parent)
    : QDialog(parent), m_original(params) {
    setWindowTitle(QStringLiteral("Login Information"));
    m_host = new QComboBox(this);
    m_host->setEditable(true);
    for (const ServerHosts::Host& host : ServerHosts::kHosts) {
        m_host->addItem(QString::fromLatin1(host.name));
    }
    m_host->setEditText(QString::fromStdString(params.host));
    m_port = new QSpinBox(this);
    m_port->setRange(0, 9999);
    m_port->setValue(params.port);
    m_handle = new QLineEdit(QString::fromStdString(params.handle), this);
    m_password = new QLineEdit(QString::fromStdString(params.password), this);
    m_password->setEchoMode(QLineEdit::Password);
    m_savePassword = new QCheckBox(QStringLiteral("Save password"), this);
    m_savePassword->setChecked(params.savePassword);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Server:"), m_host);
    form->addRow(QStringLiteral("Port:"), m_port);
    form->addRow(QStringLiteral("Handle:"), m_handle);
    form->addRow(QStringLiteral("Password:"), m_password);
    form->addRow(QString(), m_savePassword);

    auto* buttons = new QDialogButtonBox(this);
    m_connect = buttons->addButton(QStringLiteral("Connect"), QDialogButtonBox::AcceptRole);
    m_guest = buttons->addButton(QStringLiteral("Connect as guest"), QDialogButtonBox::ActionRole);
    m_join = buttons->addButton(QStringLiteral("Join VCX"), QDialogButtonBox::ActionRole);
    m_cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    m_connect->setDefault(true);
    connect(m_connect, &QPushButton::clicked, this, [this] { Finish(Outcome::Connect); });
    connect(m_guest, &QPushButton::clicked, this, [this] { Finish(Outcome::Guest); });
    connect(m_join, &QPushButton::clicked, this, [this] { Finish(Outcome::Register); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { Finish(Outcome::Cancelled); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void CLoginDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The first thing still to type gets the keyboard; with both filled in,
    // Return connects.
    if (m_handle->text().isEmpty()) {
        m_handle->setFocus();
    } else if (m_password->text().isEmpty()) {
        m_password->setFocus();
    } else {
        m_connect->setFocus();
    }
}

void CLoginDialog::Finish(Outcome outcome) {
    m_outcome = outcome;
    if (outcome == Outcome::Cancelled) {
        reject();
    } else {
        accept();
    }
}

bool CLoginDialog::Apply(ConnectionParams& params) const {
    if (m_outcome == Outcome::Cancelled) return false;
    params.host = m_host->currentText().trimmed().toStdString();
    params.port = m_port->value();
    params.savePassword = m_savePassword->isChecked();
    params.guest = m_outcome == Outcome::Guest;
    params.registerNew = m_outcome == Outcome::Register;
    // A guest or a new account logs in without the typed name.
    if (m_outcome == Outcome::Connect) {
        params.handle = m_handle->text().trimmed().toStdString();
        params.password = m_password->text().toStdString();
    }
    const ConnectionParams& o = m_original;
    return params.host != o.host || params.port != o.port || params.handle != o.handle ||
           (params.savePassword && params.password != o.password) ||
           params.savePassword != o.savePassword;
}
