// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "lists/AdjudicationDlg.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

CAdjudicationDlg::CAdjudicationDlg(const QString& opponent, QWidget* parent)
    : QDialog(parent),
      m_opponent(new QLineEdit(opponent, this)),
      m_results(new QButtonGroup(this)),
      m_justification(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("Request Adjudication"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Opponent:"), m_opponent);
    layout->addLayout(form);

    auto* box = new QGroupBox(QStringLiteral("Result"), this);
    auto* boxLayout = new QVBoxLayout(box);
    const struct {
        const char* text;
        Result result;
    } choices[] = {{"Win", Result::Win},
                   {"Draw", Result::Draw},
                   {"Loss  (automatic)", Result::Loss},
                   {"Abort", Result::Abort}};
    for (const auto& choice : choices) {
        auto* button = new QRadioButton(QString::fromLatin1(choice.text), box);
        m_results->addButton(button, static_cast<int>(choice.result));
        boxLayout->addWidget(button);
    }
    layout->addWidget(box);

    auto* justification = new QFormLayout;
    justification->addRow(QStringLiteral("Justification:"), m_justification);
    layout->addLayout(justification);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

CAdjudicationDlg::Answer CAdjudicationDlg::Values() const {
    Answer answer;
    answer.opponent = m_opponent->text().trimmed();
    const int id = m_results->checkedId();
    answer.result = id < 0 ? Result::None : static_cast<Result>(id);
    answer.justification = m_justification->text();
    return answer;
}

QString CAdjudicationDlg::CommandLine(const Answer& answer) {
    // The line goes to the server as one command: a line break typed into a
    // field would start a second one.
    const auto oneLine = [](QString text) {
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
        text.replace(QLatin1Char('\r'), QLatin1Char(' '));
        return text;
    };
    const QString opponent = oneLine(answer.opponent);
    if (opponent.isEmpty()) return {};
    const QString why = oneLine(answer.justification);
    switch (answer.result) {
        case Result::Win:
            return "Request-win " + opponent + " " + why + "\n";
        case Result::Draw:
            return "Request-draw " + opponent + " " + why + "\n";
        case Result::Abort:
            return "Request-abort " + opponent + " " + why + "\n";
        case Result::Loss:
            return "Resign " + opponent + "\n";
        case Result::None:
            break;
    }
    return {};
}
