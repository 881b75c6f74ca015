// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "app/FormulaDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/NumberBox.h"

CFormulaDlg::CFormulaDlg(const OfferCommands::FormulaChoice& initial, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Formula etc"));

    auto* open = new QGroupBox(QStringLiteral("Open for games"), this);
    auto* openLayout = new QVBoxLayout(open);
    m_open = new QCheckBox(QStringLiteral("&open"), open);
    m_ropen = new QCheckBox(QStringLiteral("&ropen"), open);
    m_wopen = new QCheckBox(QStringLiteral("&wopen"), open);
    m_rated = new QCheckBox(QStringLiteral("r&ated"), open);
    m_open->setChecked(initial.open);
    m_ropen->setChecked(initial.ropen);
    m_wopen->setChecked(initial.wopen);
    m_rated->setChecked(initial.rated);
    for (QCheckBox* box : {m_open, m_ropen, m_wopen, m_rated}) openLayout->addWidget(box);

    auto* filters = new QGroupBox(QStringLiteral("Which offers"), this);
    auto* form = new QFormLayout(filters);
    m_wild = NumberBox::Make(initial.wild, filters);
    m_mood = NumberBox::Make(initial.mood, filters);
    m_formula = new QLineEdit(QString::fromStdString(initial.formula), filters);
    m_sfilter = new QLineEdit(QString::fromStdString(initial.sfilter), filters);
    m_formula->setMinimumWidth(m_formula->fontMetrics().averageCharWidth() * 40);
    form->addRow(QStringLiteral("w&ild:"), m_wild);
    form->addRow(QStringLiteral("&mood:"), m_mood);
    form->addRow(QStringLiteral("&formula:"), m_formula);
    form->addRow(QStringLiteral("&sfilter:"), m_sfilter);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(open);
    layout->addWidget(filters);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

OfferCommands::FormulaChoice CFormulaDlg::Choice() const {
    OfferCommands::FormulaChoice choice;
    choice.open = m_open->isChecked();
    choice.ropen = m_ropen->isChecked();
    choice.wopen = m_wopen->isChecked();
    choice.rated = m_rated->isChecked();
    choice.wild = m_wild->value();
    choice.mood = m_mood->value();
    choice.formula = m_formula->text().toStdString();
    choice.sfilter = m_sfilter->text().toStdString();
    return choice;
}
