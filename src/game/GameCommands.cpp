// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "game/GameCommands.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMenu>
#include <QPushButton>

#include "game/BoardOptions.h"
#include "game/GameView.h"
#include "net/qt/Kordane2Doc.h"

#if __has_include("game/PromoteDlg.h")
#include "game/PromoteDlg.h"
#define KORDANE_HAVE_PROMOTE_DLG 1
#endif

namespace {

constexpr std::array<CGameCommands::MenuItem, 6> kActions = {{
    {"&Abort", "Abort"},
    {"A&djourn", "Adjourn"},
    {"&Flag", "Flag"},
    {"&Moretime 60", "Moretime 60"},
    {"&Takeback 2", "Takeback 2"},
    {"&Pending offers && draws", "Pending"},
}};

// The player popup: the person commands that send "<command> <name>\n".
// Match and Chat open windows of their own, which game windows cannot open
// yet, so they are shown disabled. A null text is a separator; `inEditList`
// items go into the "&Edit List" submenu.
struct PersonRow {
    const char* text;
    const char* format;
    bool inEditList;
};
constexpr PersonRow kPerson[] = {
    {"&Finger", "Finger %s\n", false},
    {"&Vars", "Vars %s\n", false},
    {"&Ping", "Ping %s\n", false},
    {"&Match", nullptr, false},
    {"&Assess", "Assess %s\n", false},
    {nullptr, nullptr, false},
    {"&Chat", nullptr, false},
    {"&Observe", "Observe %s\n", false},
    {"Follo&w", "Follow %s\n", false},
    {"&Notify (be notified on arrival)", "+notify %s\n", true},
    {"No&Play (block match requests)", "+noplay %s\n", true},
    {"&Censor (block communication)", "+censor %s\n", true},
    {"Remove from Notify list", "-notify %s\n", true},
    {"Remove from NoPlay list", "-noplay %s\n", true},
    {"Remove from Censor list", "-censor %s\n", true},
    {nullptr, nullptr, false},
    {"&History", "History %s\n", false},
    {"&Liblist", "Liblist %s\n", false},
    {"&Stored", "Stored %s\n", false},
};

constexpr const char* kNavigation[] = {"Back 999\n", "Back\n", "Forward\n", "Forward 999\n"};

}  // namespace

const std::array<CGameCommands::MenuItem, 6>& CGameCommands::ActionItems() {
    return kActions;
}

std::string CGameCommands::PersonCommand(const char* format, const std::string& name) {
    std::string line = format;
    const size_t at = line.find("%s");
    if (at != std::string::npos) line.replace(at, 2, name);
    return line;
}

void CGameCommands::BuildPersonMenu(QMenu& menu, const std::string& name) {
    QMenu* editList = nullptr;
    for (const PersonRow& row : kPerson) {
        if (!row.text) {
            menu.addSeparator();
            continue;
        }
        QMenu* target = &menu;
        if (row.inEditList) {
            if (!editList) editList = menu.addMenu(QStringLiteral("&Edit List"));
            target = editList;
        }
        QAction* action = target->addAction(QString::fromLatin1(row.text));
        if (!row.format) {
            action->setEnabled(false);
            continue;
        }
        const std::string line = PersonCommand(row.format, name);
        QObject::connect(action, &QAction::triggered, &m_view,
                         [this, line] { m_view.SendGameCommand(line); });
    }
    menu.addSeparator();
    QObject::connect(menu.addAction(QStringLiteral("&Copy")), &QAction::triggered, &m_view, [name] {
        QGuiApplication::clipboard()->setText(QString::fromStdString(name));
    });
}

char CGameCommands::AskPromotion(QWidget* parent, bool kingPromotion) {
#ifdef KORDANE_HAVE_PROMOTE_DLG
    return CPromoteDlg::Ask(parent, kingPromotion);
#else
    QStringList pieces = {QStringLiteral("Knight"), QStringLiteral("Bishop"),
                          QStringLiteral("Rook"), QStringLiteral("Queen")};
    if (kingPromotion) pieces << QStringLiteral("King");
    bool ok = false;
    const QString chosen = QInputDialog::getItem(parent, QStringLiteral("Promote to"), QString(),
                                                 pieces, 3, false, &ok);
    static const char kLetters[] = "NBRQK";
    const qsizetype index = pieces.indexOf(chosen);
    return ok && index >= 0 ? kLetters[index] : 'Q';
#endif
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
