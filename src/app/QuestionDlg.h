// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QDialog>
#include <string>

class QLineEdit;

// "Ask a question": one line to the server's helpers.
class CQuestionDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CQuestionDlg(QWidget* parent = nullptr);

    std::string Question() const;

  private:
    QLineEdit* m_question;
};
