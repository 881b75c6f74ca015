// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "app/MatchDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/WildTypeBox.h"

CMatchDlg::CMatchDlg(const OfferCommands::MatchChoice& initial,
                     const std::vector<OfferCommands::WildEntry>& wilds, QWidget* parent)
    : QDialog(parent) {
    using namespace OfferCommands;
    setWindowTitle(QStringLiteral("Match"));

    auto* game = new QGroupBox(QStringLiteral("Game"), this);
    auto* form = new QFormLayout(game);
    m_opponent = new QLineEdit(QString::fromStdString(initial.opponent), game);
    m_opponent->setMaxLength(static_cast<int>(kMaxOpponent));
    m_time = new QSpinBox(game);
    m_time->setRange(0, kMaxMinutes);
    m_time->setValue(initial.time);
    m_increment = new QSpinBox(game);
    m_increment->setRange(0, kMaxIncrement);
    m_increment->setValue(initial.increment);
    m_wild = new CWildTypeBox(wilds, initial.wild, game);
    m_colour = new QComboBox(game);
    m_colour->addItems({QStringLiteral("Auto"), QStringLiteral("White"), QStringLiteral("Black")});
    m_rated = new QCheckBox(QStringLiteral("Rated game"), game);
    m_rated->setChecked(initial.rated);
    form->addRow(QStringLiteral("O&pponent:"), m_opponent);
    form->addRow(QStringLiteral("&Initial time (minutes):"), m_time);
    form->addRow(QStringLiteral("In&crement (seconds):"), m_increment);
    form->addRow(QStringLiteral("&Wild type:"), m_wild);
    form->addRow(QStringLiteral("C&olour:"), m_colour);
    form->addRow(QString(), m_rated);

    m_save =
        new QCheckBox(QStringLiteral("Save values for time controls, rated, and wild type"), this);
    m_save->setChecked(initial.saveValues);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(game);
    layout->addWidget(m_save);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_opponent->setFocus();
}

OfferCommands::MatchChoice CMatchDlg::Choice() const {
    OfferCommands::MatchChoice choice;
    choice.opponent = m_opponent->text().toStdString();
    choice.time = m_time->value();
    choice.increment = m_increment->value();
    choice.wild = m_wild->Wild();
    choice.rated = m_rated->isChecked();
    choice.colour = static_cast<OfferCommands::Colour>(m_colour->currentIndex());
    choice.saveValues = m_save->isChecked();
    return choice;
}
