// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "app/SeekDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "app/WildTypeBox.h"

namespace {

// Wide enough for "-9999" and a little more, so a slip of the finger shows.
constexpr int kRatingLength = 6;

}  // namespace

CSeekDlg::CSeekDlg(const OfferCommands::SeekChoice& initial,
                   const std::vector<OfferCommands::WildEntry>& wilds, QWidget* parent)
    : QDialog(parent) {
    using namespace OfferCommands;
    setWindowTitle(QStringLiteral("Seek"));

    auto* game = new QGroupBox(QStringLiteral("Game"), this);
    auto* gameForm = new QFormLayout(game);
    m_time = new QSpinBox(game);
    m_time->setRange(0, kMaxMinutes);
    m_time->setValue(initial.time);
    m_increment = new QSpinBox(game);
    m_increment->setRange(0, kMaxIncrement);
    m_increment->setValue(initial.increment);
    m_wild = new CWildTypeBox(wilds, initial.wild, game);
    m_rated = new QCheckBox(QStringLiteral("Rated game"), game);
    m_rated->setChecked(initial.rated);
    m_colour = new QComboBox(game);
    m_colour->addItems({QStringLiteral("Auto"), QStringLiteral("White"), QStringLiteral("Black")});
    gameForm->addRow(QStringLiteral("&Initial time (minutes):"), m_time);
    gameForm->addRow(QStringLiteral("In&crement (seconds):"), m_increment);
    gameForm->addRow(QStringLiteral("&Wild type:"), m_wild);
    gameForm->addRow(QStringLiteral("C&olour:"), m_colour);
    gameForm->addRow(QString(), m_rated);

    auto* opponent = new QGroupBox(QStringLiteral("Opponent"), this);
    auto* opponentForm = new QFormLayout(opponent);
    m_minRating = new QLineEdit(QString::number(initial.minRating), opponent);
    m_maxRating = new QLineEdit(QString::number(initial.maxRating), opponent);
    for (QLineEdit* box : {m_minRating, m_maxRating}) box->setMaxLength(kRatingLength);
    m_manual = new QCheckBox(QStringLiteral("Manual accept"), opponent);
    m_manual->setChecked(initial.manualAccept);
    m_formula = new QCheckBox(QStringLiteral("Use formula"), opponent);
    m_formula->setChecked(initial.useFormula);
    opponentForm->addRow(QStringLiteral("Mi&nimum rating:"), m_minRating);
    opponentForm->addRow(QStringLiteral("Ma&ximum rating:"), m_maxRating);
    opponentForm->addRow(QString(), m_manual);
    opponentForm->addRow(QString(), m_formula);

    // One label column for both groups, so that their fields line up.
    int labelWidth = 0;
    for (QFormLayout* form : {gameForm, opponentForm}) {
        for (int row = 0; row < form->rowCount(); ++row) {
            if (QLayoutItem* label = form->itemAt(row, QFormLayout::LabelRole)) {
                labelWidth = std::max(labelWidth, label->sizeHint().width());
            }
        }
    }
    for (QFormLayout* form : {gameForm, opponentForm}) {
        for (int row = 0; row < form->rowCount(); ++row) {
            QLayoutItem* label = form->itemAt(row, QFormLayout::LabelRole);
            if (label && label->widget()) label->widget()->setMinimumWidth(labelWidth);
        }
    }

    m_save =
        new QCheckBox(QStringLiteral("Save values for time controls, rated, and wild type"), this);
    m_save->setChecked(initial.saveValues);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(game);
    layout->addWidget(opponent);
    layout->addWidget(m_save);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

OfferCommands::SeekChoice CSeekDlg::Choice() const {
    OfferCommands::SeekChoice choice;
    choice.time = m_time->value();
    choice.increment = m_increment->value();
    choice.wild = m_wild->Wild();
    choice.rated = m_rated->isChecked();
    choice.minRating = OfferCommands::ReadNumber(m_minRating->text().toStdString());
    choice.maxRating = OfferCommands::ReadNumber(m_maxRating->text().toStdString());
    choice.colour = static_cast<OfferCommands::Colour>(m_colour->currentIndex());
    choice.manualAccept = m_manual->isChecked();
    choice.useFormula = m_formula->isChecked();
    choice.saveValues = m_save->isChecked();
    return choice;
}
