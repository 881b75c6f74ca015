// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QDialog>

#include "net/ConnectionParams.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

// "Login Information": the parameters of a connection before it connects.
// The application shows it for every new or opened connection; the values
// go back into the parameters only through Apply, which also says whether
// anything that a connection file keeps was changed.
class CLoginDialog : public QDialog {
    Q_OBJECT
  public:
    enum class Outcome { Cancelled, Connect, Guest, Register };

    explicit CLoginDialog(const ConnectionParams& params, QWidget* parent = nullptr);

    Outcome Result() const { return m_outcome; }
    // Takes the dialog's values into `params` for the outcome. True when the
    // connection file's contents changed (the document is then modified).
    bool Apply(ConnectionParams& params) const;

    QComboBox* HostBox() const { return m_host; }
    QSpinBox* PortBox() const { return m_port; }
    QLineEdit* HandleBox() const { return m_handle; }
    QLineEdit* PasswordBox() const { return m_password; }
    QCheckBox* SavePasswordBox() const { return m_savePassword; }
    QPushButton* ConnectButton() const { return m_connect; }
    QPushButton* GuestButton() const { return m_guest; }
    QPushButton* JoinButton() const { return m_join; }
    QPushButton* CancelButton() const { return m_cancel; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void Finish(Outcome outcome);

    ConnectionParams m_original;
    Outcome m_outcome = Outcome::Cancelled;
    QComboBox* m_host = nullptr;
    QSpinBox* m_port = nullptr;
    QLineEdit* m_handle = nullptr;
    QLineEdit* m_password = nullptr;
    QCheckBox* m_savePassword = nullptr;
    QPushButton* m_connect = nullptr;
    QPushButton* m_guest = nullptr;
    QPushButton* m_join = nullptr;
    QPushButton* m_cancel = nullptr;
};
