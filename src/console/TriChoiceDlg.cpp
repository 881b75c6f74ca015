// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "console/TriChoiceDlg.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

std::array<bool, CTriChoiceDlg::kSlotCount> CTriChoiceDlg::s_taken{};

namespace {

QString FromServer(const std::string& text) {
    QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    // The texts carry "\r\n" line breaks; a label wants bare "\n".
    s.remove(QLatin1Char('\r'));
    return s;
}

}  // namespace

CTriChoiceDlg::CTriChoiceDlg(PopupContent popup, Actions actions, QWidget* parent)
    : QDialog(parent), m_popup(std::move(popup)), m_actions(std::move(actions)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setModal(false);
    setWindowTitle(FromServer(m_popup.title));

    m_text = new QLabel(FromServer(m_popup.text), this);
    // Names and descriptions come from other users: never markup or links.
    m_text->setTextFormat(Qt::PlainText);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* buttons = new QDialogButtonBox(this);
    m_first = buttons->addButton(FromServer(m_popup.firstLabel), QDialogButtonBox::AcceptRole);
    m_second = buttons->addButton(FromServer(m_popup.secondLabel), QDialogButtonBox::RejectRole);
    m_first->setDefault(true);
    connect(m_first, &QPushButton::clicked, this, &CTriChoiceDlg::First);
    connect(m_second, &QPushButton::clicked, this, &CTriChoiceDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(buttons);
    m_slot = TakeSlot();
    // The place is free as soon as the popup is gone from the screen.
    connect(this, &QDialog::finished, this, &CTriChoiceDlg::ReleaseSlot);
}

CTriChoiceDlg::~CTriChoiceDlg() {
    ReleaseSlot();
}

void CTriChoiceDlg::ReleaseSlot() {
    if (m_slot >= 0) s_taken[static_cast<size_t>(m_slot)] = false;
    m_slot = -1;
}

int CTriChoiceDlg::TakeSlot() {
    for (int i = 0; i < kSlotCount; ++i) {
        if (!s_taken[static_cast<size_t>(i)]) {
            s_taken[static_cast<size_t>(i)] = true;
            return i;
        }
    }
    return -1;
}

QString CTriChoiceDlg::Text() const {
    return m_text->text();
}

void CTriChoiceDlg::ShowInPlace() {
    const QPointer<QWidget> focus = QApplication::focusWidget();
    move(kLeft, kTop + kSlotHeight * std::max(m_slot, 0));
    show();
    // A popup that arrives while the user types must not take the next key.
    if (focus && QApplication::focusWidget() != focus) {
        focus->activateWindow();
        focus->setFocus();
    }
}

void CTriChoiceDlg::Dismiss() {
    m_answered = true;
    done(Rejected);
}

void CTriChoiceDlg::First() {
    if (m_answered) return;
    m_answered = true;
    const std::string& command = m_popup.firstCommand;
    if (m_popup.url && !command.empty()) {
        const bool opened = m_actions.openUrl && m_actions.openUrl(command);
        if (!opened && m_actions.send) {
            m_actions.send(PopupContent::SuggestFailedLine(m_popup.name, command, m_popup.id));
        }
    } else if (!command.empty() && m_actions.send) {
        m_actions.send(command);
    }
    done(Accepted);
}

void CTriChoiceDlg::reject() {
    // The second button, Escape and the close box all land here.
    if (!m_answered) {
        m_answered = true;
        if (!m_popup.secondCommand.empty() && m_actions.send) {
            m_actions.send(m_popup.secondCommand);
        }
    }
    QDialog::reject();
}
