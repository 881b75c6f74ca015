// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <string>

class CServerDialog;
class CServerMessage;
class QWidget;

// The connection's one server dialog, as datagrams 105 to 109 build, show
// and end it. The main console owns the slot; the warnings go to message
// boxes and the answer to the console's command path through the handlers
// given here.
class CServerDialogSlot : public QObject {
    Q_OBJECT
  public:
    using Warn = std::function<void(const QString&)>;
    using Send = std::function<void(const std::string&)>;

    // `parent` is the window the dialogs are modal to.
    CServerDialogSlot(QWidget* parent, Warn warn, Send send);
    ~CServerDialogSlot() override;

    // One of datagrams 105 to 109; anything else is ignored.
    void Receive(const CServerMessage& message);

    // The current dialog, or nullptr.
    CServerDialog* Current() const;

  private:
    void Begin(const CServerMessage& message);
    void Data(const CServerMessage& message);
    void Default(const CServerMessage& message);
    void Show(const CServerMessage& message);
    void Discard();

    QWidget* m_parent;
    Warn m_warn;
    Send m_send;
    QPointer<CServerDialog> m_dialog;
};
