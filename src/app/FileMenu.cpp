// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "app/FileMenu.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPageSetupDialog>

#include "app/ConnectionFiles.h"
#include "app/MainFrame.h"
#include "app/PgnLists.h"
#include "chess/PgnFile.h"
#include "chess/PgnGame.h"
#include "console/ConsoleFrame.h"
#include "game/GameView.h"

namespace {

enum class Needs { Nothing, Connection };

struct FileItem {
    const char* text;
    const char* tip;
    QKeySequence::StandardKey key;
    Needs needs;
};

// In menu order.
constexpr FileItem kItems[] = {
    {"&New Connection", "Open a new connection to the server", QKeySequence::New, Needs::Nothing},
    {"&Open Connection", "Open a saved connection file", QKeySequence::Open, Needs::Nothing},
    {"&Save Connection", "Save the active connection's parameters", QKeySequence::Save,
     Needs::Connection},
    {"Save Connection &As...", "Save the active connection's parameters under a new name",
     QKeySequence::SaveAs, Needs::Connection},
    {"Se&t Log File...", "Choose the PGN file finished games are appended to",
     QKeySequence::UnknownKey, Needs::Connection},
    {"Open P&GN...", "List the games of a PGN file", QKeySequence::UnknownKey, Needs::Connection},
    {"&View PGN Game...", "Show a game of a PGN file on a board", QKeySequence::UnknownKey,
     Needs::Connection},
    {"P&rint Setup...", "Change the printer and printing options", QKeySequence::UnknownKey,
     Needs::Nothing},
};

}  // namespace

CFileMenu::CFileMenu(QMenu* file, CConnectionFiles& files, CMainFrame& frame)
    : QObject(file), m_files(files), m_frame(frame) {
    const QList<QAction*> existing = file->actions();
    QAction* before = existing.isEmpty() ? nullptr : existing.front();
    std::vector<QAction*> items;
    for (const FileItem& item : kItems) {
        auto* action = new QAction(QString::fromLatin1(item.text), file);
        action->setStatusTip(QString::fromLatin1(item.tip));
        if (item.key != QKeySequence::UnknownKey) action->setShortcut(item.key);
        action->setEnabled(item.needs == Needs::Nothing);
        action->setProperty("needsConnection", item.needs == Needs::Connection);
        file->insertAction(before, action);
        items.push_back(action);
    }
    file->insertSeparator(before);
    for (size_t i = 0; i < CRecentFiles::kMax; ++i) {
        auto* action = new QAction(file);
        file->insertAction(before, action);
        connect(action, &QAction::triggered, this, [this, i] { m_files.OpenRecent(i); });
        m_recent.push_back(action);
    }
    file->insertSeparator(before);
    m_new = items[0];
    m_open = items[1];
    m_save = items[2];
    m_saveAs = items[3];
    m_logFile = items[4];
    m_openPgn = items[5];
    m_viewPgn = items[6];
    m_pgnLists = new CPgnLists(m_frame);
    connect(m_openPgn, &QAction::triggered, this, [this] {
        if (CConsoleFrame* console = m_frame.ActiveConnectionConsole()) {
            m_pgnLists->Open(console->Doc());
        }
    });
    connect(m_viewPgn, &QAction::triggered, this, &CFileMenu::ViewPgnGame);
    connect(items[7], &QAction::triggered, this, [this] {
        QPageSetupDialog dialog(&m_frame.Printer(), &m_frame);
        dialog.exec();
    });
    connect(m_new, &QAction::triggered, this, [this] { m_files.NewConnection(); });
    connect(m_open, &QAction::triggered, this, [this] { m_files.OpenWithDialog(); });
    connect(m_save, &QAction::triggered, this, [this] {
        if (CConsoleFrame* console = m_frame.ActiveConsole()) m_files.Save(console->Doc());
    });
    connect(m_saveAs, &QAction::triggered, this, [this] {
        if (CConsoleFrame* console = m_frame.ActiveConsole()) m_files.SaveAs(console->Doc());
    });
    connect(m_logFile, &QAction::triggered, this, [this] {
        if (CConsoleFrame* console = m_frame.ActiveConsole()) m_files.SetLogFile(console->Doc());
    });
    connect(file, &QMenu::aboutToShow, this, &CFileMenu::Update);
    Update();
}

void CFileMenu::Update() {
    const bool active = m_frame.ActiveConsole() != nullptr;
    for (QAction* action : {m_save, m_saveAs, m_logFile}) action->setEnabled(active);
    CConsoleFrame* connection = m_frame.ActiveConnectionConsole();
    m_viewPgn->setEnabled(connection != nullptr);
    // One PGN list per connection: the next waits until it is closed.
    m_openPgn->setEnabled(connection != nullptr && !m_pgnLists->ListOf(connection->Doc()));
    const std::vector<std::string>& entries = m_files.Recent().Entries();
    for (size_t i = 0; i < m_recent.size(); ++i) {
        QAction* action = m_recent[i];
        action->setVisible(i < entries.size());
        if (i >= entries.size()) continue;
        // A "&" in a file name is a letter, not a mnemonic.
        QString name = QFileInfo(QString::fromLocal8Bit(entries[i].c_str())).fileName();
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
        action->setStatusTip(QString::fromLocal8Bit(entries[i].c_str()));
    }
}

QString CFileMenu::GameChoiceText(const PgnGame& game, int index) {
    const auto tag = [&game](const char* name) {
        return QString::fromUtf8(std::string(game.GetTag(name).value_or("?")));
    };
    return QStringLiteral("%1. %2 - %3 %4")
        .arg(index + 1)
        .arg(tag("White"), tag("Black"), tag("Result"));
}

void CFileMenu::ViewPgnGame() {
    CConsoleFrame* console = m_frame.ActiveConnectionConsole();
    if (!console) return;
    const QString path = QFileDialog::getOpenFileName(
        &m_frame, QStringLiteral("View PGN Game"), QString(), QStringLiteral("PGN files (*.pgn)"));
    if (path.isEmpty()) return;
    const PgnFile file = PgnFile::ReadPgnFile(path.toLocal8Bit().toStdString());
    if (file.Games().empty()) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Kordane 2"),
                        QString::fromLatin1(PgnFile::kOpenErrorText.data(),
                                            static_cast<qsizetype>(PgnFile::kOpenErrorText.size())),
                        QMessageBox::Ok, &m_frame);
        box.setTextFormat(Qt::PlainText);
        box.exec();
        return;
    }
    size_t chosen = 0;
    if (file.Games().size() > 1) {
        QStringList names;
        for (size_t i = 0; i < file.Games().size(); ++i) {
            names << GameChoiceText(file.Games()[i], static_cast<int>(i));
        }
        bool ok = false;
        const QString picked = QInputDialog::getItem(&m_frame, QStringLiteral("View PGN Game"),
                                                     QStringLiteral("Game:"), names, 0, false, &ok);
        if (!ok) return;
        chosen = static_cast<size_t>(std::max<qsizetype>(names.indexOf(picked), 0));
    }
    if (CGameView* view = m_frame.OpenGameWindow(console->Doc())) {
        view->LoadPgnGame(file.Games()[chosen]);
    }
}
