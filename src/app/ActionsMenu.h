// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QObject>
#include <functional>
#include <string_view>

class QMenu;

// The "Actions" menu of a connection: fixed server commands such as "Finger"
// or "Who T", each sent as one line to the active connection. CMainFrame
// owns it and says where a command goes; the menu knows only its table.
class CActionsMenu : public QObject {
    Q_OBJECT
  public:
    using Sender = std::function<void(std::string_view line)>;
    // `canSend` says whether a connection is active (the items are greyed
    // out otherwise); `send` hands a line, "\n" included, to it.
    CActionsMenu(QMenu* menu, std::function<bool()> canSend, Sender send);

  private:
    std::function<bool()> m_canSend;
    Sender m_send;
};
