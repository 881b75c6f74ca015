// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QDialog>

class QListWidget;

// "Promote to": the piece a pawn becomes when the user does not always take
// a queen. The game window asks it while a promotion move is being made.
class CPromoteDlg : public QDialog {
    Q_OBJECT
  public:
    CPromoteDlg(bool kingPromotion, QWidget* parent = nullptr);

    // 'N', 'B', 'R', 'Q' or 'K' for the selected row after OK; 'Q' after any
    // other way of closing.
    char Choice() const;
    QListWidget* List() const { return m_list; }

    // Runs the dialog modally and returns the piece letter.
    static char Ask(QWidget* parent, bool kingPromotion);

  private:
    QListWidget* m_list = nullptr;
};
