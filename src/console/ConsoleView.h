// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "console/CommandEdit.h"
#include "console/ConsoleText.h"
#include "console/ConsoleWnd.h"
#include "console/MainConsoleHost.h"
#include "net/MainDispatch.h"
#include "net/ServerMessageSink.h"

class CConsoleSubView;
class CKordane2Doc;
class QMdiArea;
class QMdiSubWindow;
class CTextStyles;

// The main console of one connection: the text pane that shows everything the
// server says that no other window takes, and the one-line entry box whose
// commands go to the server. It is the parser's main sink and hands every
// message to its CMainDispatch, which calls back into it as the console host.
// CConsoleFrame holds it inside the main frame's MDI area. The pane and the
// entry are a CConsoleWnd; text is shown in the style of its text class.
class CConsoleView : public QWidget, public IServerMessageSink, public IMainConsoleHost {
    Q_OBJECT
  public:
    static constexpr int kKeepLines = CConsoleWnd::kKeepLines;
    static constexpr int kTrimStep = CConsoleWnd::kTrimStep;

    CConsoleView(CKordane2Doc& doc, QString connectionTitle, QWidget* parent = nullptr);
    ~CConsoleView() override;

    static constexpr int kMainConsoleId = 1;

    // Takes the console id, becomes the parser's main sink, shows the banner
    // and starts the connection (or says that there is none to start).
    void InitialUpdate();

    int ConsoleId() const { return m_consoleId; }
    // Set once the user is logged in; until then commands go out untagged.
    bool Tagging() const { return m_tagging; }
    // Sends one line (ending in "\n") with the tag of `consoleId` while
    // tagging is on.
    void SendTaggedCommand(std::string_view line, int consoleId);
    // A command from a clicked link or a popup: not echoed; with Ctrl held
    // its reply goes to a new temporary console.
    void SendCommandLine(std::string_view line, bool newConsole);
    // Runs a user button's command text on this connection.
    void RunUserButton(std::string_view text);
    // Opens a temporary console that carries on this console's tagging.
    CConsoleSubView* OpenTemporaryConsole();
    // The main console of `doc`, when it has one.
    static CConsoleView* Of(CKordane2Doc& doc);

    // Opens the windows of the last session at log-in; returns whether a
    // notify list opened. Without a handler nothing opens.
    void SetStartWindowsHandler(std::function<bool()> handler) {
        m_startWindows = std::move(handler);
    }
    bool OpenStartWindows() override { return m_startWindows && m_startWindows(); }

    const CMainDispatch& Dispatch() const { return m_dispatch; }
    // Popups, the browser and the document for the dispatcher.
    CMainConsoleHost& Host() { return m_host; }
    // "Main Console", the connection's title or the user's handle, and the
    // connection's status suffix.
    QString Title() const;

    // The text styles shared by every console (the main frame's). Until one
    // is given, the view reads its own from the connection's settings file.
    void SetTextStyles(std::shared_ptr<const CTextStyles> styles);
    const CTextStyles& TextStyles() const { return *m_styles; }

    // IServerMessageSink: the main console takes everything offered to it.
    int Receive(std::unique_ptr<CServerMessage>& message) override;

    // IMainConsoleHost
    void ShowConsoleText(std::string_view text) override;
    void ShowMessageText(std::string_view text, const CServerMessage& message) override;
    bool LogsInAutomatically() const override;
    void OnLoggedIn(const std::string& handle) override;
    void ServerValuesChanged() override;
    void PlaySoundEvent(SoundEvent event) override;

    CConsoleWnd* Console() const { return m_console; }
    CConsoleText* Pane() const;
    CCommandEdit* Entry() const;

  signals:
    void titleChanged();
    // A console of this connection was opened in its own sub-window.
    void consoleOpened(QMdiSubWindow* frame, bool temporary);
    // Emitted once per batch of text laid out in the pane.
    void textAppended();

  private:
    void AppendStyled(std::string_view text, uint32_t colourWord);
    void SendEntry(int code);
    QMdiArea* MdiArea() const;

    CKordane2Doc& m_doc;
    CMainConsoleHost m_host;
    CMainDispatch m_dispatch;
    QString m_connectionTitle;
    QString m_handle;
    bool m_loggedIn = false;
    std::shared_ptr<const CTextStyles> m_styles;
    CConsoleWnd* m_console = nullptr;
    int m_consoleId = 0;
    bool m_tagging = false;
    std::function<bool()> m_startWindows;
};
