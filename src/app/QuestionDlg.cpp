// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "app/QuestionDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/OfferCommands.h"

namespace {

constexpr int kQuestionColumns = 60;

}  // namespace

CQuestionDlg::CQuestionDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Ask a question"));
    auto* label = new QLabel(QStringLiteral("&Your question:"), this);
    m_question = new QLineEdit(this);
    m_question->setMaxLength(static_cast<int>(OfferCommands::kMaxQuestion));
    m_question->setMinimumWidth(m_question->fontMetrics().averageCharWidth() * kQuestionColumns);
    label->setBuddy(m_question);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_question);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_question->setFocus();
}

std::string CQuestionDlg::Question() const {
    return m_question->text().toStdString();
}
