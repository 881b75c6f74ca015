// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "dialogs/ServerDialogSlot.h"

#include "dialogs/ServerDialog.h"
#include "net/DatagramTable.h"
#include "net/ServerMessage.h"

CServerDialogSlot::CServerDialogSlot(QWidget* parent, Warn warn, Send send)
    : QObject(parent), m_parent(parent), m_warn(std::move(warn)), m_send(std::move(send)) {}

CServerDialogSlot::~CServerDialogSlot() {
    delete m_dialog.data();
}

CServerDialog* CServerDialogSlot::Current() const {
    return m_dialog.data();
}

void CServerDialogSlot::Receive(const CServerMessage& message) {
    switch (message.number) {
        case DG_DIALOG_BEGIN:
            Begin(message);
            return;
        case DG_DIALOG_DATA:
            Data(message);
            return;
        case DG_DIALOG_DEFAULT:
            Default(message);
            return;
        case DG_DIALOG_SHOW:
            Show(message);
            return;
        case DG_DIALOG_CLOSE:
            Discard();
            return;
        default:
            return;
    }
}

void CServerDialogSlot::Discard() {
    CServerDialog* dialog = m_dialog;
    m_dialog = nullptr;
    if (!dialog) return;
    if (dialog->Running()) {
        // Ending it with this result sends nothing; it deletes itself.
        dialog->End(CServerDialog::kResultClosed);
        return;
    }
    dialog->deleteLater();
}

void CServerDialogSlot::Begin(const CServerMessage& message) {
    Discard();
    auto* dialog = new CServerDialog(CDialogBytes::AnnouncedSize(message.Field(1)), m_parent);
    if (dialog->TooLarge()) {
        delete dialog;
        // No dialog remains, so the data that follows is dropped with the
        // "no dialog yet" warning instead of going nowhere.
        m_warn(QStringLiteral("Insufficient memory to create dialog box!"));
        return;
    }
    dialog->SetWarningHandler(m_warn);
    dialog->SetAnswerHandler([this](const std::string& answer) {
        m_send(answer.back() == '\n' ? answer : answer + '\n');
    });
    connect(dialog, &CServerDialog::discarded, this, [this, dialog] {
        if (m_dialog == dialog) m_dialog = nullptr;
    });
    m_dialog = dialog;
}

void CServerDialogSlot::Data(const CServerMessage& message) {
    if (!m_dialog) {
        m_warn(QStringLiteral("Warning: no dialog yet in DG_DIALOG_DATA!"));
        return;
    }
    if (m_dialog->AppendData(message.Field(1)).oddLength)
        m_warn(QStringLiteral("Warning: odd number of bytes in DG_DIALOG_DATA!"));
}

void CServerDialogSlot::Default(const CServerMessage& message) {
    if (!m_dialog) {
        m_warn(QStringLiteral("Warning: no dialog yet in DG_DIALOG_DEFAULT!"));
        return;
    }
    if (m_dialog->SetDefault(message.FieldInt(1), message.Field(2), message.Field(3)) ==
        DialogDefaultStatus::UnknownType)
        m_warn(QStringLiteral("Warning: unknown value type in DG_DIALOG_DEFAULT!"));
}

void CServerDialogSlot::Show(const CServerMessage& message) {
    // A second show while the box is up would only build it twice.
    if (!m_dialog || m_dialog->Running()) return;
    m_dialog->Open(message.FieldInt(2),
                   {message.Field(3), message.Field(4), message.Field(5), message.Field(6)});
}
