// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "game/GameCommands.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>

#include "console/ConsoleActions.h"
#include "console/ConsoleWnd.h"
#include "game/BoardOptions.h"
#include "game/GameView.h"
#include "game/PromoteDlg.h"
#include "net/qt/Kordane2Doc.h"

namespace {

constexpr std::array<CGameCommands::MenuItem, 6> kActions = {{
    {"&Abort", "Abort"},
    {"A&djourn", "Adjourn"},
    {"&Flag", "Flag"},
    {"&Moretime 60", "Moretime 60"},
    {"&Takeback 2", "Takeback 2"},
    {"&Pending offers && draws", "Pending"},
}};

constexpr const char* kNavigation[] = {"Back 999\n", "Back\n", "Forward\n", "Forward 999\n"};

}  // namespace

const std::array<CGameCommands::MenuItem, 6>& CGameCommands::ActionItems() {
    return kActions;
}

void CGameCommands::ShowPersonMenu(const std::string& name, QPoint global) {
    const QString person = QString::fromStdString(name);
    const int id = CPersonMenu::Exec(&m_view, global);
    CPersonMenu::Targets targets = CConsoleActions::Targets(
        m_view.Doc(), [this](std::string_view line) { m_view.SendGameCommand(line); });
    targets.copy = [person] { QGuiApplication::clipboard()->setText(person); };
    targets.paste = [this] { m_view.Console()->Paste(); };
    CPersonMenu::Run(id, person, QGuiApplication::keyboardModifiers() & Qt::ControlModifier,
                     targets);
}

void CGameCommands::ConnectConsole() {
    CConsoleActions::Connect(*m_view.Console(), m_view.Doc(),
                             [this](std::string_view line) { m_view.SendGameCommand(line); });
}

char CGameCommands::AskPromotion(QWidget* parent, bool kingPromotion) {
    return CPromoteDlg::Ask(parent, kingPromotion);
}

QString CGameCommands::AskSaveFile(QWidget* parent, const QString& initial) {
    QFileDialog dialog(parent, QStringLiteral("Save/Append PGN"), initial,
                       QStringLiteral("PGN files (*.pgn)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pgn"));
    // The game is appended to a file that exists.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

void CGameCommands::SendMulti(const char* command) {
    const ConnectionGames& games = m_view.Doc().Games();
    if (m_view.Mode() == CGameView::Playing && games.PlaysSeveral()) {
        m_view.SendGameCommand("multi Goto " + std::to_string(m_view.GameNumber()) + ";" + command +
                               "\n");
    } else {
        m_view.SendGameCommand(std::string(command) + "\n");
    }
}

void CGameCommands::AfterCommand() {
    m_view.FocusEntry();
}

void CGameCommands::OnButton(int index) {
    switch (index) {
        case 0:
            Draw();
            break;
        case 1:
            Resign();
            break;
        case 2: {
            QMenu menu(&m_view);
            for (size_t i = 0; i < kActions.size(); ++i) {
                QAction* action = menu.addAction(QString::fromLatin1(kActions[i].text));
                QObject::connect(action, &QAction::triggered, &m_view,
                                 [this, i] { OnAction(static_cast<int>(i)); });
            }
            QPushButton* button = m_view.Button(2);
            menu.exec(button->mapToGlobal(QPoint(0, button->height())));
            break;
        }
        default:
            if (index >= 3 && index <= 6) m_view.SendGameCommand(kNavigation[index - 3]);
            break;
    }
    AfterCommand();
}

void CGameCommands::Draw() {
    SendMulti("Draw");
}

void CGameCommands::Resign() {
    const CGameView::Hooks& hooks = m_view.GetHooks();
    if (m_view.Options().confirmResign && hooks.confirm &&
        !hooks.confirm(&m_view, QString::fromLatin1(CGameView::kResignQuestion))) {
        return;
    }
    SendMulti("Resign");
    if (m_view.Mode() == CGameView::Playing && m_view.Doc().Games().PlaysSeveral()) {
        m_view.SwitchToNextGame(nullptr);
    }
}

void CGameCommands::OnAction(int item) {
    if (item < 0 || item >= static_cast<int>(kActions.size())) return;
    m_view.SendGameCommand(std::string(kActions[static_cast<size_t>(item)].command) + "\n");
    AfterCommand();
}

void CGameCommands::Flip() {
    m_view.SetFlipped(!m_view.Flipped());
    const CGameView::Hooks& hooks = m_view.GetHooks();
    if (m_view.Mode() != CGameView::Inactive && hooks.connected && hooks.connected()) {
        m_view.SendGameCommand("Flip\n");
    }
}

void CGameCommands::BackToShown() {
    const int behind = m_view.Record().Ply() - m_view.ShownPly();
    if (behind > 0) m_view.SendGameCommand("Back " + std::to_string(behind) + "\n");
}

void CGameCommands::SavePgn() {
    CGameView::Hooks& hooks = m_view.GetHooks();
    const QString initial =
        hooks.pgnTarget ? QString::fromLocal8Bit(hooks.pgnTarget->c_str()) : QString();
    const QString chosen = hooks.askSaveFile ? hooks.askSaveFile(&m_view, initial) : QString();
    if (chosen.isEmpty()) return;
    const std::string path = chosen.toLocal8Bit().toStdString().substr(0, 300);
    if (hooks.pgnTarget) *hooks.pgnTarget = path;
    if (m_view.Mode() != CGameView::Inactive && m_view.GameNumber() >= 0 &&
        !m_view.Header().gameOver) {
        m_view.SaveAtEnd(path);
        return;
    }
    m_view.SendGameCommand("Logpgn #" + std::to_string(m_view.Header().gameId) + "\n");
}

void CGameCommands::OnActivated() {
    m_view.FocusEntry();
    const int number = m_view.GameNumber();
    ConnectionGames& games = m_view.Doc().Games();
    if (number < 0 || number == games.primaryGame) return;
    m_view.SendGameCommand("Primary " + std::to_string(number) + "\n");
    games.primaryGame = number;
    if (m_view.Mode() == CGameView::Playing && games.PlaysSeveral()) {
        m_view.SendGameCommand("Goto " + std::to_string(number) + "\n");
        games.currentGame = number;
    }
}

bool CGameCommands::QueryClose() {
    if (m_view.Mode() != CGameView::Playing) return true;
    const CGameView::Hooks& hooks = m_view.GetHooks();
    return !hooks.confirm || hooks.confirm(&m_view, QString::fromLatin1(CGameView::kCloseQuestion));
}

void CGameCommands::OnViewClosing() {
    const CGameView::Hooks& hooks = m_view.GetHooks();
    // A connection that is gone (or going) has nobody to tell.
    if (!hooks.connected || !hooks.connected()) return;
    CKordane2Doc& doc = m_view.Doc();
    ConnectionGames& games = doc.Games();
    switch (m_view.Relation()) {
        case CGameView::PlaysBlack:
        case CGameView::PlaysWhite:
            if (m_view.Mode() != CGameView::Playing) break;
            SendMulti("Resign");
            doc.EndGameAlarm();
            if (games.PlaysSeveral() && games.currentGame == m_view.GameNumber()) {
                m_view.SwitchToNextGame(&m_view);
            }
            games.Leave(m_view.Header().rated);
            if (doc.Values().examine != 0) m_view.SendGameCommand("Unexamine\n");
            break;
        case CGameView::Observes:
            m_view.SendGameCommand("Unobserve " + std::to_string(m_view.GameNumber()) + "\n");
            break;
        case CGameView::Examines:
            m_view.SendGameCommand("Unexamine\n");
            break;
        default:
            break;
    }
}
