// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "net/qt/Kordane2Doc.h"

#include <QElapsedTimer>
#include <QMetaObject>
#include <QTimer>
#include <algorithm>
#include <cstdio>

#include "net/ConnectionFile.h"
#include "net/ConnectionSettings.h"
#include "net/DatagramTable.h"
#include "net/FileNames.h"
#include "net/Profile.h"
#include "net/SocketErrors.h"
#include "net/qt/HostResolver.h"
#include "net/qt/ServerSocket.h"

namespace {

constexpr size_t kReceiveSize = 4095;
constexpr size_t kDrainSize = 1023;

// "%d.%d.%d.%d": four decimal numbers separated by dots.
bool IsDottedAddress(const std::string& host) {
    int a, b, c, d;
    char tail;
    return std::sscanf(host.c_str(), "%d.%d.%d.%d%c", &a, &b, &c, &d, &tail) >= 4;
}

}  // namespace

CKordane2Doc::CKordane2Doc(CProfile& profile, QObject* parent)
    : QObject(parent),
      m_profile(profile),
      m_parser(std::make_unique<CStreamParser>(*this)),
      m_chronel(std::make_unique<Chronel>(*this)),
      m_resolver(MakeSystemResolver()),
      m_alarm(new QTimer(this)),
      m_plugins(std::make_unique<CPluginHost>(*this)) {
    m_parser->SetPluginForwarder([this](const CServerMessage& m) { m_plugins->Forward(m); });
    m_alarm->setSingleShot(true);
    connect(m_alarm, &QTimer::timeout, this, [this] { m_chronel->OnAlarmTimer(); });
}

CKordane2Doc::~CKordane2Doc() {
    // Nothing is dispatched from here on: the sinks are about to go.
    m_posted.clear();
    // The windows refer to the document (its parser, its parameters), so they
    // go while all of it is still here.
    for (QPointer<QObject>& window : m_windows) delete window.data();
    m_windows.clear();
    if (m_socket) m_socket->Close();
}

void CKordane2Doc::AttachWindow(QObject* window) {
    std::erase_if(m_windows, [](const QPointer<QObject>& w) { return w.isNull(); });
    m_windows.emplace_back(window);
}

int CKordane2Doc::WindowCount() const {
    return static_cast<int>(std::count_if(m_windows.begin(), m_windows.end(),
                                          [](const auto& w) { return !w.isNull(); }));
}

void CKordane2Doc::Close() {
    if (m_closing) return;
    m_closing = true;
    Disconnect();
    emit closing();
    deleteLater();
}

void CKordane2Doc::LaunchPlugins() {
    if (std::optional<std::string> error = m_plugins->Launch()) {
        emit pluginLaunchFailed(QString::fromStdString(*error));
    }
}

void CKordane2Doc::SetResolver(std::unique_ptr<IHostResolver> resolver) {
    m_resolver = std::move(resolver);
}

void CKordane2Doc::ShowLine(std::string_view text) {
    // Connection lines keep their place after the server text already parsed.
    DrainPosted();
    m_parser->ShowLocalText(text);
}

void CKordane2Doc::ShowOutgoingOverflow() {
    ShowLine("Outgoing buffer overflow\n");
}

void CKordane2Doc::ReportSocketError(std::string_view text, int code) {
    ShowLine(SocketErrors::FormatLine(text, code));
}

void CKordane2Doc::SetState(ConnState state, const QString& suffix) {
    m_state = state;
    if (!suffix.isNull()) m_statusSuffix = suffix;
    emit stateChanged();
}

void CKordane2Doc::ReleaseSocket() {
    if (!m_socket) return;
    m_socket->Close();
    // The socket may be the one whose event brought us here.
    m_socket.release()->deleteLater();
}

void CKordane2Doc::Connect() {
    ReleaseSocket();
    m_connected = false;
    SetState(Connecting, {});
    m_socket = std::make_unique<CServerSocket>(*this);
    if (const int error = m_socket->Create()) {
        ReportSocketError("Socket creation failed", error);
        SetState(Failed, {});
        return;
    }
    const std::string& host = m_params.host;
    if (IsDottedAddress(host)) {
        char port[32];
        std::snprintf(port, sizeof port, "on port %d\n", m_params.port);
        ShowLine("Trying " + host + " ");
        ShowLine(port);
        StartConnect(host);
        return;
    }
    ShowLine("Looking up " + host + "...\n");
    const int serial = ++m_lookupSerial;
    m_resolver->Lookup(host, this, [this, serial, host](const std::string& address, int error) {
        // A lookup that finishes after a newer connection began is stale.
        if (serial == m_lookupSerial) OnLookupDone(host, address, error);
    });
    m_socket->SetReceiveBufferSize(65536);
}

void CKordane2Doc::OnLookupDone(const std::string& host, const std::string& address, int error) {
    if (!m_socket) return;
    std::string cached = m_profile.GetString(ConnectionSettings::kDnsCacheSection, host);
    if (cached.empty() || cached.size() > 18) cached.clear();
    std::string target = address;
    if (error != 0) {
        ReportSocketError("DNS Lookup failure", error);
        if (cached.empty()) return;
        ShowLine("Using cached IP address\n");
        target = cached;
    } else if (address != cached) {
        m_profile.WriteString(ConnectionSettings::kDnsCacheSection, host, address);
    }
    char line[96];
    std::snprintf(line, sizeof line, "Trying to connect to %s on port %d...\n", target.c_str(),
                  m_params.port);
    ShowLine(line);
    StartConnect(target);
}

void CKordane2Doc::StartConnect(const std::string& address) {
    if (const int error = m_socket->StartConnect(address, m_params.port)) {
        ReportSocketError("Connect failed", error);
        ReleaseSocket();
        SetState(Failed, {});
    }
}

void CKordane2Doc::OnConnect(int error) {
    if (error != 0) {
        ReportSocketError("OnConnect error", error);
        if (m_socket) m_socket->Close();
        return;
    }
    if (m_connected) {
        ShowLine("OnConnect called when already connected\n");
        return;
    }
    m_connected = true;
    SetState(LoggingIn, QStringLiteral("(logging in)"));
    ShowLine("Connected\n");
    SendToServer(Level2SettingsLine(m_profile.GetInt(ConnectionSettings::kBypassGamelist),
                                    m_profile.GetInt(ConnectionSettings::kQsuggest)));
    SendToServer(kLevel1Line);
}

size_t CKordane2Doc::FilterAndParse(const char* bytes, size_t length) {
    m_takenOutput = 0;
    const std::string_view plain = m_chronel->Filter(bytes, length);
    if (!plain.empty()) m_parser->ProcessBytes(plain.data(), plain.size());
    return m_takenOutput + plain.size();
}

bool CKordane2Doc::TakeFilterOutput(std::string_view bytes) {
    // Parsing a full filter buffer at once keeps it at its fixed size however
    // far one received chunk expands.
    m_takenOutput += bytes.size();
    m_parser->ProcessBytes(bytes.data(), bytes.size());
    return true;
}

void CKordane2Doc::OnReceive(int error) {
    if (error != 0) ReportSocketError("OnReceive error", error);
    if (!m_socket) return;
    char buffer[kReceiveSize + 1];
    int receiveError = 0;
    const long n = m_socket->Receive(buffer, kReceiveSize, receiveError);
    if (n == 0) {
        ShowLine("Receive returned 0, indicating server closed the connection\n");
        return;
    }
    if (n < 0) {
        ReportSocketError("Receive failed", receiveError);
        return;
    }
    buffer[n] = '\0';
    FilterAndParse(buffer, static_cast<size_t>(n));
    AnswerLoginPrompt();
}

void CKordane2Doc::AnswerLoginPrompt() {
    if (!m_chronel->LoginPromptSeen()) return;
    m_chronel->ClearLoginPrompt();
    if (m_params.guest) {
        SendToServer("g\n\n");
        m_parser->EchoText("guest\n");
    } else if (m_params.registerNew) {
        SendToServer("r\n");
        m_parser->EchoText("register\n");
    } else if (!m_params.handle.empty()) {
        std::string answer = m_params.handle;
        answer += m_params.password.empty() ? "\n" : " " + m_params.password + "\n";
        SendToServer(answer);
        m_parser->EchoText(m_params.handle + "\n");
    }
}

void CKordane2Doc::OnSend(int error) {
    if (error != 0) {
        ReportSocketError("OnSend error", error);
        return;
    }
    if (!m_socket) return;
    m_socket->SetCanSend(true);
    m_socket->Flush();
}

void CKordane2Doc::OnClose(int error) {
    if (!m_socket) return;
    if (error != 0) ReportSocketError("OnClose with error code", error);
    m_socket->SetCanSend(false);
    if (const int shut = m_socket->ShutDownSend()) ReportSocketError("ShutDown", shut);
    char buffer[kDrainSize + 1];
    for (;;) {
        int receiveError = 0;
        const long n = m_socket->Receive(buffer, kDrainSize, receiveError);
        if (n <= 0) break;
        buffer[n] = '\0';
        if (FilterAndParse(buffer, static_cast<size_t>(n)) == 0) break;
    }
    m_socket->Close();
    ShowLine("Connection closed.\n");
    m_connected = false;
    SetState(Closed, QStringLiteral("(connection closed)"));
    emit connectionClosed(error);
    if (error != 0) emit soundEvent(SoundEvent::Disconnection);
    if (error == SocketErrors::kConnReset) {
        ShowLine("Attempting to reconnect...\n");
        OnReconnect();
    }
}

void CKordane2Doc::OnReconnect() {
    m_reconnecting = true;
    if (m_connected) ShowLine("already connected\n");
    if (m_socket) m_socket->ClearOutgoing();
    StopAlarmTimer();
    m_chronel = std::make_unique<Chronel>(*this);
    m_parser->Reset();
    SetState(m_state, QStringLiteral("(reconnecting)"));
    emit reconnectStarted();
    if (m_params.host.empty()) {
        ShowLine("No server name provided.  Local chessboard mode.\n");
        return;
    }
    Connect();
}

void CKordane2Doc::Disconnect() {
    if (!m_socket) return;
    m_socket->Close();
    if (m_connected) {
        m_connected = false;
        SetState(Closed, QStringLiteral("(connection closed)"));
    }
}

void CKordane2Doc::SendToServer(std::string_view text) {
    if (!m_connected) {
        ShowLine("Warning: Not connected to the server.\n");
        return;
    }
    m_chronel->Queue(text);
}

void CKordane2Doc::SendRaw(std::string_view bytes) {
    if (!m_connected || !m_socket) {
        ShowLine("Warning: Not connected to the server.\n");
        return;
    }
    m_socket->QueueSend(bytes);
}

void CKordane2Doc::ShowStatus(StatusText text) {
    switch (text) {
        case StatusText::Ready:
            emit statusText(QStringLiteral("Ready"));
            break;
        case StatusText::Sent:
            emit statusText(QStringLiteral("Sent"));
            break;
        case StatusText::Working:
            emit statusText(QStringLiteral("Working"));
            break;
    }
}

void CKordane2Doc::PostMessage(std::unique_ptr<CServerMessage> message) {
    m_posted.push_back(std::move(message));
    if (m_drainScheduled) return;
    m_drainScheduled = true;
    // One queued call empties everything parsed in this event-loop turn.
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_drainScheduled = false;
            DrainPosted();
        },
        Qt::QueuedConnection);
}

void CKordane2Doc::DrainPosted() {
    while (!m_posted.empty()) {
        std::unique_ptr<CServerMessage> message = std::move(m_posted.front());
        m_posted.pop_front();
        m_parser->Dispatch(std::move(message));
    }
}

void CKordane2Doc::ShowChronelText(std::string_view text) {
    ShowLine(text);
}

uint32_t CKordane2Doc::TickCount() {
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return static_cast<uint32_t>(clock.elapsed());
}

bool CKordane2Doc::StartAlarmTimer(uint32_t intervalMs) {
    m_alarm->start(static_cast<int>(intervalMs));
    return m_alarm->isActive();
}

void CKordane2Doc::StopAlarmTimer() {
    m_alarm->stop();
}

void CKordane2Doc::RequestMatch(const std::string& name) {
    m_matchTarget = name;
    emit matchDialogRequested();
}

void CKordane2Doc::EndGameAlarm() {
    m_games.gameEnded = true;
    m_alarm->stop();
}

bool CKordane2Doc::Save() {
    std::string path = m_filePath;
    if (path.empty()) {
        const std::string name = HandleFileName(m_params.handle, "kd2");
        if (name.empty()) return false;
        const std::optional<std::string> folder = ReadableCurrentFolder();
        path = (folder ? *folder + "/" : std::string()) + name;
    }
    if (!ConnectionFile::Write(path, m_params)) return false;
    m_filePath = path;
    m_modified = false;
    return true;
}

void CKordane2Doc::Redirect() {
    // The datagram that asked for this is still being dispatched by the
    // parser that a reconnect resets; close and reconnect after it.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_closing) return;
            OnClose(0);
            OnReconnect();
        },
        Qt::QueuedConnection);
}
