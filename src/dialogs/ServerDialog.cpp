// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "dialogs/ServerDialog.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QPushButton>
#include <QStringDecoder>

#include "dialogs/DialogTemplate.h"

namespace {

// Server text is UTF-8 when it decodes as such, else Latin-1, as in the
// consoles.
QString FromServer(const std::string& bytes) {
    const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(view);
    if (utf8.hasError()) text = QString::fromLatin1(view);
    return text;
}

template <typename T>
void Grow(std::vector<T>& values, std::size_t size) {
    if (values.size() < size) values.resize(size);
}

int AnswerIndex(int result) {
    switch (result) {
        case CServerDialog::kIdOk:
            return 0;
        case CServerDialog::kIdCancel:
            return 1;
        case CServerDialog::kIdYes:
            return 2;
        case CServerDialog::kIdNo:
            return 3;
        default:
            return -1;
    }
}

}  // namespace

CServerDialog::CServerDialog(std::uint32_t templateSize, QWidget* parent)
    : QDialog(parent), m_bytes(templateSize) {
    m_values.texts.resize(kDialogInitialValues);
    m_values.checks.resize(kDialogInitialValues);
    m_values.listSelections.resize(kDialogInitialValues);
    m_values.comboSelections.resize(kDialogInitialValues);
}

bool CServerDialog::Open(int focusControl, const std::array<std::string, 4>& answers) {
    CDialogTemplate dialogTemplate;
    if (CDialogTemplate::Parse(m_bytes.Buffer(), dialogTemplate) != DialogTemplateError::None) {
        Ended(kResultFailed);
        return false;
    }
    // Shown again after an answer: the box is built afresh and shows the
    // values collected last time.
    qDeleteAll(findChildren<QObject*>(Qt::FindDirectChildrenOnly));
    m_controls = CDialogBuilder::Build(dialogTemplate, *this);
    m_answers = answers;
    m_focusControl = focusControl;
    for (const SDialogControl& control : m_controls) {
        const int id = static_cast<int>(control.id);
        auto* button = qobject_cast<QAbstractButton*>(control.widget);
        if (button && AnswerIndex(id) >= 0)
            connect(button, &QAbstractButton::clicked, this, [this, id] { Finish(id); });
    }
    Transfer();
    m_running = true;
    // Window-modal without an event loop of its own: the connection keeps
    // reading while the box is up, so a new dialog or DG_DIALOG_CLOSE can
    // still end it (with kResultClosed), and the answer is sent from done().
    open();
    if (m_focusControl >= 1 && static_cast<std::size_t>(m_focusControl) <= m_controls.size())
        m_controls[static_cast<std::size_t>(m_focusControl) - 1].widget->setFocus();
    return true;
}

void CServerDialog::Transfer() {
    for (std::size_t n = 1; n <= m_controls.size(); ++n) {
        SDialogControl& control = m_controls[n - 1];
        if (n < m_values.texts.size() && !m_values.texts[n].empty())
            CDialogBuilder::SetText(control, FromServer(m_values.texts[n]));
        if (control.kind == DialogControlKind::ListBox && n < m_values.listSelections.size())
            CDialogBuilder::SetSelection(control, m_values.listSelections[n]);
        if (control.kind == DialogControlKind::ComboBox && n < m_values.comboSelections.size())
            CDialogBuilder::SetSelection(control, m_values.comboSelections[n]);
        if (control.kind == DialogControlKind::Button && n < m_values.checks.size())
            CDialogBuilder::SetCheckState(control, m_values.checks[n] == 1
                                                       ? CDialogBuilder::kChecked
                                                       : CDialogBuilder::kUnchecked);
    }
}

void CServerDialog::Collect() {
    const std::size_t size = m_controls.size() + 1;
    Grow(m_values.texts, size);
    Grow(m_values.checks, size);
    Grow(m_values.listSelections, size);
    Grow(m_values.comboSelections, size);
    for (std::size_t n = 1; n < size; ++n) {
        const SDialogControl& control = m_controls[n - 1];
        m_values.texts[n] = CDialogBuilder::Text(control).toStdString();
        // No selection (-1) is kept as 16 bits, so it reads 65535.
        const auto selection = static_cast<std::uint16_t>(CDialogBuilder::Selection(control));
        if (control.kind == DialogControlKind::ListBox) m_values.listSelections[n] = selection;
        if (control.kind == DialogControlKind::ComboBox) m_values.comboSelections[n] = selection;
        if (control.kind == DialogControlKind::Button)
            m_values.checks[n] = static_cast<std::uint8_t>(CDialogBuilder::CheckState(control));
    }
}

void CServerDialog::Finish(int buttonId) {
    if (!m_running) return;
    Collect();
    done(buttonId);
}

void CServerDialog::End(int result) {
    if (m_running) done(result);
}

void CServerDialog::reject() {
    // Escape and the close box are the Cancel command, answered like it.
    Finish(kIdCancel);
}

void CServerDialog::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->modifiers() == Qt::NoModifier) {
        bool hasDefault = false;
        for (const QPushButton* button : findChildren<QPushButton*>())
            hasDefault = hasDefault || (button->isDefault() && button->isVisible());
        // Without a default button Enter is the OK command.
        if (!hasDefault) {
            Finish(kIdOk);
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

void CServerDialog::done(int result) {
    QDialog::done(result);
    if (!m_running) return;
    m_running = false;
    Ended(result);
}

void CServerDialog::Ended(int result) {
    const int index = AnswerIndex(result);
    if (index < 0) {
        emit discarded();
        deleteLater();
        return;
    }
    const SDialogAnswer answer =
        FormatDialogAnswer(m_answers[static_cast<std::size_t>(index)], m_values);
    if (answer.unknownType && m_warn)
        m_warn(QStringLiteral("Warning: unknown variable type in return value string!"));
    if (!answer.text.empty() && m_answer) m_answer(answer.text);
}
