// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QString>
#include <QWidget>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "console/MainConsoleHost.h"
#include "net/MainDispatch.h"
#include "net/ServerMessageSink.h"

class CKordane2Doc;
class QLineEdit;
class QTextBrowser;

// The main console of one connection: the text pane that shows everything the
// server says that no other window takes, and the one-line entry box whose
// commands go to the server. It is the parser's main sink and hands every
// message to its CMainDispatch, which calls back into it as the console host.
// CConsoleFrame holds it inside the main frame's MDI area.
class CConsoleView : public QWidget, public IServerMessageSink, public IMainConsoleHost {
    Q_OBJECT
  public:
    // The pane keeps between kKeepLines - kTrimStep + 1 and kKeepLines lines.
    static constexpr int kKeepLines = 1050;
    static constexpr int kTrimStep = 50;
    static constexpr int kMaxCommandLength = 319;

    CConsoleView(CKordane2Doc& doc, QString connectionTitle, QWidget* parent = nullptr);
    ~CConsoleView() override;

    // Becomes the parser's main sink, shows the banner and starts the
    // connection (or says that there is none to start).
    void InitialUpdate();

    // "Main Console", the connection's title or the user's handle, and the
    // connection's status suffix.
    const CMainDispatch& Dispatch() const { return m_dispatch; }
    // Popups, the browser and the document for the dispatcher.
    CMainConsoleHost& Host() { return m_host; }
    QString Title() const;

    void SetPluginNames(std::vector<std::string> names) { m_pluginNames = std::move(names); }

    // IServerMessageSink: the main console takes everything offered to it.
    int Receive(std::unique_ptr<CServerMessage>& message) override;

    // IMainConsoleHost
    void ShowConsoleText(std::string_view text) override;
    bool LogsInAutomatically() const override;
    void OnLoggedIn(const std::string& handle) override;
    std::vector<std::string> PluginNames() const override { return m_pluginNames; }

    QTextBrowser* Pane() const { return m_pane; }
    QLineEdit* Entry() const { return m_entry; }

  signals:
    void titleChanged();
    // Emitted once per batch of text laid out in the pane.
    void textAppended();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FlushPending();
    void AppendToPane(const QString& text);
    void TrimPane();
    void SendEntry();

    CKordane2Doc& m_doc;
    CMainConsoleHost m_host;
    CMainDispatch m_dispatch;
    QString m_connectionTitle;
    QString m_handle;
    bool m_loggedIn = false;
    std::vector<std::string> m_pluginNames;
    QTextBrowser* m_pane = nullptr;
    QLineEdit* m_entry = nullptr;
    std::string m_pending;
    bool m_flushScheduled = false;
    // A final line break is held back until more text arrives, so the pane
    // never ends in an empty line.
    bool m_pendingBreak = false;
};
