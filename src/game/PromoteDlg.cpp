// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "game/PromoteDlg.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>

namespace {
constexpr char kPieces[] = "NBRQK";
constexpr int kQueenRow = 3;
}  // namespace

CPromoteDlg::CPromoteDlg(bool kingPromotion, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Promote to"));
    m_list = new QListWidget(this);
    m_list->addItems({QStringLiteral("Knight"), QStringLiteral("Bishop"), QStringLiteral("Rook"),
                      QStringLiteral("Queen")});
    if (kingPromotion) m_list->addItem(QStringLiteral("King"));
    m_list->setCurrentRow(kQueenRow);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
}

char CPromoteDlg::Choice() const {
    if (result() != QDialog::Accepted) return 'Q';
    const int row = m_list->currentRow();
    if (row < 0 || row >= m_list->count()) return 'Q';
    return kPieces[row];
}

char CPromoteDlg::Ask(QWidget* parent, bool kingPromotion) {
    CPromoteDlg dialog(kingPromotion, parent);
    dialog.exec();
    return dialog.Choice();
}
