// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "app/OfferDialogs.h"

#include <QPointer>
#include <QWidget>

#include "app/ConnectionMenus.h"
#include "app/FormulaDlg.h"
#include "app/MatchDlg.h"
#include "app/NotesDlg.h"
#include "app/QuestionDlg.h"
#include "app/SeekDlg.h"
#include "app/VariablesDlg.h"
#include "net/WildNameCache.h"
#include "net/qt/Kordane2Doc.h"

namespace {

std::vector<OfferCommands::WildEntry> WildEntries(const CKordane2Doc& doc) {
    return OfferCommands::WildEntries(CWildNameCache(doc.Profile()).ReadAll());
}

void SendFixed(CKordane2Doc& doc, std::string_view line) {
    doc.Parser().SendCommand(line);
}

}  // namespace

COfferDialogs::COfferDialogs(CConnectionMenus& menus, std::function<CKordane2Doc*()> activeDoc,
                             QWidget* parent)
    : QObject(parent), m_menus(menus), m_activeDoc(std::move(activeDoc)), m_parent(parent) {
    HookItem("&Seek a Game..", &COfferDialogs::OpenSeek);
    HookItem("&Match...", &COfferDialogs::OpenMatch);
    HookItem("Set F&ormula...", &COfferDialogs::OpenFormula);
    HookItem("Set &Variables...", &COfferDialogs::OpenVariables);
    HookItem("Set Personal Pro&file...", &COfferDialogs::OpenNotes);
    HookItem("Ask a &Question...", &COfferDialogs::OpenQuestion,
             [](CKordane2Doc& doc) { return doc.IsConnected(); });
    m_menus.Hook(
        QStringLiteral("&Rematch"),
        [this] {
            if (CKordane2Doc* doc = m_activeDoc()) SendFixed(*doc, "Rematch\n");
        },
        [this] {
            // Only after a game of the user's has ended is there someone to
            // ask again.
            CKordane2Doc* doc = m_activeDoc();
            return doc && doc->Games().gameEnded;
        });
    m_menus.Hook(QStringLiteral("R&esume"), [this] {
        if (CKordane2Doc* doc = m_activeDoc()) SendFixed(*doc, "Resume\n");
    });
}

void COfferDialogs::HookItem(const char* text, void (COfferDialogs::*open)(CKordane2Doc&),
                             std::function<bool(CKordane2Doc&)> enabled) {
    std::function<bool()> condition;
    if (enabled) {
        condition = [this, enabled = std::move(enabled)] {
            CKordane2Doc* doc = m_activeDoc();
            return doc && enabled(*doc);
        };
    }
    m_menus.Hook(
        QString::fromLatin1(text),
        [this, open] {
            if (CKordane2Doc* doc = m_activeDoc()) (this->*open)(*doc);
        },
        std::move(condition));
}

void COfferDialogs::Attach(CKordane2Doc& doc) {
    connect(&doc, &CKordane2Doc::matchDialogRequested, this, [this, &doc] { OpenMatch(doc); });
    connect(&doc, &CKordane2Doc::seekDialogRequested, this, [this, &doc] { OpenSeek(doc); });
}

void COfferDialogs::Send(CKordane2Doc& doc, const OfferCommands::Outcome& outcome) {
    for (const std::string& line : outcome.lines) {
        doc.Parser().EchoText(line);
        doc.Parser().SendCommand(line);
    }
    if (!outcome.warning.empty()) doc.Parser().ShowLocalText(outcome.warning);
}

void COfferDialogs::Show(CKordane2Doc& doc, QDialog* dialog, std::function<void()> accepted) {
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(&doc, &CKordane2Doc::closing, dialog, &QDialog::reject);
    connect(&doc, &QObject::destroyed, dialog, &QDialog::reject);
    connect(dialog, &QDialog::accepted, this, std::move(accepted));
    dialog->open();
}

void COfferDialogs::OpenSeek(CKordane2Doc& doc) {
    auto* dialog =
        new CSeekDlg(OfferCommands::SeekDefaults(doc.Values()), WildEntries(doc), m_parent);
    Show(doc, dialog, [dialog, docPtr = QPointer<CKordane2Doc>(&doc)] {
        if (docPtr) Send(*docPtr, OfferCommands::Seek(dialog->Choice(), docPtr->Values()));
    });
}

void COfferDialogs::OpenMatch(CKordane2Doc& doc) {
    const ServerValues& values = doc.Values();
    OfferCommands::MatchChoice initial;
    initial.opponent = OfferCommands::MatchOpponent(doc.MatchTarget(), doc.GameNames().opponent);
    initial.time = values.time;
    initial.increment = values.increment;
    initial.wild = values.wild;
    initial.rated = values.rated != 0;
    auto* dialog = new CMatchDlg(initial, WildEntries(doc), m_parent);
    Show(doc, dialog, [dialog, docPtr = QPointer<CKordane2Doc>(&doc)] {
        if (docPtr) Send(*docPtr, OfferCommands::Match(dialog->Choice(), docPtr->Values()));
    });
}

void COfferDialogs::OpenFormula(CKordane2Doc& doc) {
    auto* dialog = new CFormulaDlg(OfferCommands::FormulaDefaults(doc.Values()), m_parent);
    Show(doc, dialog, [dialog, docPtr = QPointer<CKordane2Doc>(&doc)] {
        if (docPtr) Send(*docPtr, OfferCommands::Formula(dialog->Choice(), docPtr->Values()));
    });
}

void COfferDialogs::OpenVariables(CKordane2Doc& doc) {
    auto* dialog = new CVariablesDlg(OfferCommands::VariablesDefaults(doc.Values()), m_parent);
    Show(doc, dialog, [dialog, docPtr = QPointer<CKordane2Doc>(&doc)] {
        if (docPtr) Send(*docPtr, OfferCommands::Variables(dialog->Choice(), docPtr->Values()));
    });
}

void COfferDialogs::OpenNotes(CKordane2Doc& doc) {
    auto* dialog = new CNotesDlg(doc.Values().notes, m_parent);
    Show(doc, dialog, [dialog, docPtr = QPointer<CKordane2Doc>(&doc)] {
        if (docPtr) Send(*docPtr, OfferCommands::Notes(dialog->Choice(), docPtr->Values()));
    });
}

void COfferDialogs::OpenQuestion(CKordane2Doc& doc) {
    auto* dialog = new CQuestionDlg(m_parent);
    Show(doc, dialog, [dialog, docPtr = QPointer<CKordane2Doc>(&doc)] {
        // A question is sent like the menu's fixed commands, without an echo.
        if (!docPtr) return;
        for (const std::string& line : OfferCommands::Question(dialog->Question()).lines) {
            SendFixed(*docPtr, line);
        }
    });
}
