// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QDialog>
#include <QString>

class QButtonGroup;
class QLineEdit;

// "Request Adjudication": the opponent of a stored game, the result asked
// for and a justification, for the game list's "Ad&judication...".
class CAdjudicationDlg : public QDialog {
    Q_OBJECT
  public:
    enum class Result { None, Win, Draw, Loss, Abort };
    struct Answer {
        QString opponent;
        Result result = Result::None;
        QString justification;
    };

    CAdjudicationDlg(const QString& opponent, QWidget* parent = nullptr);

    Answer Values() const;
    // The line to send for an answer, or empty when it lacks an opponent or a
    // result (nothing may be sent then).
    static QString CommandLine(const Answer& answer);

  private:
    QLineEdit* m_opponent;
    QButtonGroup* m_results;
    QLineEdit* m_justification;
};
