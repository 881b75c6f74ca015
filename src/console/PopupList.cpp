// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "console/PopupList.h"

CTriChoiceDlg* CPopupList::Show(const PopupContent& popup) {
    std::erase_if(m_popups, [](const QPointer<CTriChoiceDlg>& p) { return p.isNull(); });
    auto* dialog = new CTriChoiceDlg(popup, m_actions, m_owner);
    // A popup that is closing is no longer open, even before it is deleted.
    QObject::connect(dialog, &QDialog::finished, dialog, [this, dialog] {
        std::erase_if(m_popups, [dialog](const QPointer<CTriChoiceDlg>& p) { return p == dialog; });
    });
    m_popups.emplace_back(dialog);
    dialog->ShowInPlace();
    return dialog;
}

void CPopupList::CloseNamed(const std::string& name) {
    for (CTriChoiceDlg* popup : Open()) {
        if (popup->Popup().name == name) popup->Dismiss();
    }
}

void CPopupList::CloseId(const std::string& id) {
    for (CTriChoiceDlg* popup : Open()) {
        if (popup->Popup().id == id) {
            popup->Dismiss();
            return;
        }
    }
}

std::vector<CTriChoiceDlg*> CPopupList::Open() const {
    std::vector<CTriChoiceDlg*> open;
    for (const QPointer<CTriChoiceDlg>& p : m_popups) {
        if (!p.isNull()) open.push_back(p.data());
    }
    return open;
}
