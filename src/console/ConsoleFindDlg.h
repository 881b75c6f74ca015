// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;

// The modeless "Find" box of a console: search text, match case, whole word;
// the search always runs down the pane. CConsoleWnd hears findNext.
class CConsoleFindDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CConsoleFindDlg(QWidget* parent = nullptr);

  signals:
    void findNext(const QString& what, bool matchCase, bool wholeWord);

  private:
    QLineEdit* m_what = nullptr;
    QCheckBox* m_case = nullptr;
    QCheckBox* m_word = nullptr;
};
