// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QPointer>
#include <string>
#include <vector>

#include "console/TriChoiceDlg.h"

class QWidget;

// The challenge and suggestion popups one main console has open. The
// popups are children of the console, so they go with its connection; each
// leaves the list by itself when it closes.
class CPopupList {
  public:
    CPopupList(QWidget* owner, CTriChoiceDlg::Actions actions)
        : m_owner(owner), m_actions(std::move(actions)) {}

    CTriChoiceDlg* Show(const PopupContent& popup);
    // Every popup of that challenger (datagram 30).
    void CloseNamed(const std::string& name);
    // The first popup of that suggestion (datagram 99).
    void CloseId(const std::string& id);
    // The open popups, oldest first.
    std::vector<CTriChoiceDlg*> Open() const;

  private:
    QWidget* m_owner;
    CTriChoiceDlg::Actions m_actions;
    std::vector<QPointer<CTriChoiceDlg>> m_popups;
};
