// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "net/Chronel.h"
#include "net/ConnectionGames.h"
#include "net/ConnectionParams.h"
#include "net/ServerValues.h"
#include "net/SoundEvent.h"
#include "net/StreamParser.h"
#include "net/UserButton.h"
#include "net/qt/PluginHost.h"
#include "net/qt/ServerSocket.h"

class CProfile;
class IHostResolver;
class QTimer;

// One connection: its parameters, its socket, its Chronel filter, its stream
// parser and its windows. The application owns the documents (as their Qt
// parent); a document owns every window attached to it and deletes them when
// it goes, so no window ever outlives the connection it shows. Windows send
// through it and subscribe to its parser. Everything runs on the GUI thread;
// socket events, host lookups and parsed messages arrive through the Qt event
// loop.
class CKordane2Doc : public QObject,
                     public IStreamParserHost,
                     public IChronelHost,
                     public ISocketEvents,
                     public IPluginOwner {
    Q_OBJECT
  public:
    // Numbered as the connection's states have always been numbered, so that
    // a state printed in a log means the same in every version; nothing sets
    // 2, 3 or 4. Only the Reconnect command and the title look at it; sending
    // tests the connected flag instead.
    enum class ConnState { Idle = 0, LoggingIn = 1, Closed = 5, Connecting = 6, Failed = 7 };
    using enum ConnState;

    // `profile` holds the "DNS Cache" section; it must outlive the document.
    explicit CKordane2Doc(CProfile& profile, QObject* parent = nullptr);
    ~CKordane2Doc() override;

    ConnectionParams& Params() { return m_params; }
    const ConnectionParams& Params() const { return m_params; }
    CStreamParser& Parser() { return *m_parser; }
    ServerValues& Values() { return m_values; }
    const ServerValues& Values() const { return m_values; }
    CProfile& Profile() const { return m_profile; }

    // The ".kd2" file the parameters were read from or last saved to; empty
    // for a connection never saved.
    const std::string& FilePath() const { return m_filePath; }
    void SetFilePath(std::string path) { m_filePath = std::move(path); }
    // The parameters differ from the file's: closing asks to save them.
    bool IsModified() const { return m_modified; }
    void SetModified(bool modified = true) { m_modified = modified; }
    // Writes the parameters to the connection file; a connection never saved
    // goes to "<handle>.kd2" in the current folder, as a new connection
    // with a handle does. False when the file could not be written.
    bool Save();
    // The server sent us elsewhere (the parameters hold the new address):
    // ends this connection as if the server had closed it, then connects anew.
    void Redirect();
    // Asks the application for an event sound.
    void PlaySound(SoundEvent event) { emit soundEvent(event); }
    Chronel& Filter() { return *m_chronel; }

    // Starts a new connection to host:port.
    void Connect();
    // "R&econnect"; also run after a reset by the server.
    void OnReconnect();
    // Every command of the program leaves through here.
    void SendToServer(std::string_view text) override;
    void SendRaw(std::string_view bytes) override;
    // Closes the connection from our side (window closed, program ends).
    void Disconnect();

    // The document owns `window` from now on: it is deleted with the
    // document, unless it was deleted before.
    void AttachWindow(QObject* window);
    int WindowCount() const;
    // Ends the connection and everything of it: disconnects at once, then
    // deletes the document with its windows on the next event-loop turn, so
    // that a window may call this from its own close handler.
    void Close();

    // Console ids bring a command's reply back to the console that sent it:
    // the main console takes 1, later consoles 2, 3, ... Ids are not reused,
    // so a late reply never lands in a newer console.
    int TakeConsoleId() { return m_nextConsoleId++; }
    // The players of the current game and the user's opponent, as game
    // windows report them; user buttons fill them into their commands.
    UserButtonNames& GameNames() { return m_gameNames; }
    // The user's games on this connection, as its game windows keep them.
    ConnectionGames& Games() { return m_games; }
    // The name last picked for the person popup (a console selection).
    const QString& SelectedName() const { return m_selectedName; }
    void SetSelectedName(const QString& name) { m_selectedName = name; }
    // A played game ended: no Chronel alarm of it is answered any more.
    void EndGameAlarm();
    // The person popup's "&Match" on `name`: the Match dialog opens with it.
    void RequestMatch(const std::string& name);
    // The name the person popup's "&Match" last gave; empty before.
    const std::string& MatchTarget() const { return m_matchTarget; }
    // The seek graph's "seek" button: the Seek dialog opens.
    void RequestSeek() { emit seekDialogRequested(); }

    // The plug-ins named on the command line: the main console launches them
    // instead of connecting, and they connect once all have declared
    // themselves.
    bool HasPlugins() const { return m_plugins->Count() > 0; }
    void LaunchPlugins();
    std::vector<std::string> PluginNames() const { return m_plugins->Names(); }
    void AuthenticatePlugins() { m_plugins->Authenticate(); }
    void OnPluginAuthResult(int index, std::string_view text) {
        m_plugins->OnAuthResult(index, text);
    }
    CPluginHost& Plugins() { return *m_plugins; }

    ConnState State() const { return m_state; }
    bool IsConnected() const override { return m_connected; }
    bool Reconnecting() const { return m_reconnecting; }
    const QString& StatusSuffix() const { return m_statusSuffix; }

    void SetDebug(bool on) { m_debug = on; }
    bool DebugEnabled() const override { return m_debug; }

    // Replaces the host lookup (tests use a resolver that fails on demand).
    void SetResolver(std::unique_ptr<IHostResolver> resolver);

    // ISocketEvents. The one console line a socket error gives (see
    // SocketErrors.h).
    void ReportSocketError(std::string_view text, int code) override;
    void ShowOutgoingOverflow() override;
    void OnConnect(int error) override;
    void OnReceive(int error) override;
    void OnSend(int error) override;
    void OnClose(int error) override;

  signals:
    void stateChanged();
    // Status-bar pane 4: "Ready", "Sent", "Working".
    void statusText(const QString& text);
    // Connection lost: game views and consoles reset what depends on it.
    void connectionClosed(int error);
    // Sound event to play (the sound player belongs to the application,
    // which listens to every document).
    void soundEvent(SoundEvent event);
    // A reconnect began: per-connection values of the windows start afresh.
    void reconnectStarted();
    // Close() was called; the document and its windows go shortly.
    void closing();
    // A plug-in could not be started; `text` is for a message box.
    void pluginLaunchFailed(const QString& text);
    // The server confirmed the login: the user's handle is known (update
    // hint 1 to every window of the connection).
    void loggedIn();
    // The user's ratings, seek filter or formula changed (update hint 2).
    void serverValuesChanged();
    // The Match or Seek dialog was asked for from a window of the connection.
    void matchDialogRequested();
    void seekDialogRequested();

  private:
    // IStreamParserHost
    void ShowStatus(StatusText text) override;
    void PostMessage(std::unique_ptr<CServerMessage> message) override;
    // IChronelHost
    void ShowChronelText(std::string_view text) override;
    uint32_t TickCount() override;
    bool StartAlarmTimer(uint32_t intervalMs) override;
    void StopAlarmTimer() override;
    bool TakeFilterOutput(std::string_view bytes) override;

    // IPluginOwner
    void EchoPluginText(std::string_view text) override { m_parser->EchoText(text); }
    void SendPluginCommand(std::string_view text) override { SendToServer(text); }
    void SendClientCommand(std::string_view text) override { m_parser->SendCommand(text); }
    void PluginsReady() override { Connect(); }
    int GamesPlaying() const override { return m_games.played; }
    bool ComputerAccount() const override { return m_values.computerAccount; }

    void ShowLine(std::string_view text);
    void SetState(ConnState state, const QString& suffix);
    void OnLookupDone(const std::string& host, const std::string& address, int error);
    void StartConnect(const std::string& address);
    void ReleaseSocket();
    void DrainPosted();
    // Returns how many bytes reached the parser.
    size_t FilterAndParse(const char* bytes, size_t length);
    void AnswerLoginPrompt();

    CProfile& m_profile;
    ConnectionParams m_params;
    ServerValues m_values;
    std::string m_filePath;
    bool m_modified = false;
    std::unique_ptr<CStreamParser> m_parser;
    std::unique_ptr<Chronel> m_chronel;
    std::unique_ptr<CServerSocket> m_socket;
    std::unique_ptr<IHostResolver> m_resolver;
    QTimer* m_alarm = nullptr;
    std::deque<std::unique_ptr<CServerMessage>> m_posted;
    bool m_drainScheduled = false;
    bool m_connected = false;
    bool m_reconnecting = false;
    bool m_debug = false;
    ConnState m_state = Idle;
    QString m_statusSuffix;
    std::vector<QPointer<QObject>> m_windows;
    bool m_closing = false;
    int m_nextConsoleId = 1;
    UserButtonNames m_gameNames;
    ConnectionGames m_games;
    QString m_selectedName;
    std::string m_matchTarget;
    int m_lookupSerial = 0;
    // Bytes the filter handed over early during the current chunk.
    size_t m_takenOutput = 0;
    // Last: it tells the plug-ins that the connection goes while all of the
    // document is still there.
    std::unique_ptr<CPluginHost> m_plugins;
};
