// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "app/NotesDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/OfferCommands.h"

namespace {

// Room for most of a note without scrolling.
constexpr int kNoteColumns = 72;

}  // namespace

CNotesDlg::CNotesDlg(const Notes& notes, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Personal Profile"));
    auto* text = new QLabel(
        QStringLiteral("Edit your personal profile.  Each note may be up to 330 characters."),
        this);
    text->setTextFormat(Qt::PlainText);
    auto* form = new QFormLayout;
    for (size_t i = 0; i < m_notes.size(); ++i) {
        m_notes[i] = new QLineEdit(QString::fromStdString(notes[i]), this);
        m_notes[i]->setMaxLength(static_cast<int>(OfferCommands::kMaxNote));
        m_notes[i]->setMinimumWidth(m_notes[i]->fontMetrics().averageCharWidth() * kNoteColumns);
        form->addRow(QStringLiteral("%1:").arg(i + 1), m_notes[i]);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

CNotesDlg::Notes CNotesDlg::Choice() const {
    Notes notes;
    for (size_t i = 0; i < m_notes.size(); ++i) notes[i] = m_notes[i]->text().toStdString();
    return notes;
}
