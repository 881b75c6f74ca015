// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "net/MainDispatch.h"
#include "net/Profile.h"
#include "net/qt/Kordane2Doc.h"

// Runs the event loop until `done` holds or `ms` pass; returns `done()`.
inline bool WaitFor(const std::function<bool()>& done, int ms = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// The VCX test server on a free loopback port, with the demo accounts and a
// transcript of everything it received.
class TestServer {
  public:
    explicit TestServer(QStringList extra = {}) {
        m_process.setProgram(VCX_SERVER_PATH);
        QStringList args = {
            "--port",       "0",
            "--accounts",   QString(KORDANE_SOURCE_DIR) + "/server/demo-accounts.txt",
            "--transcript", TranscriptPath(),
            "--no-computer"};
        args += extra;
        m_process.setArguments(args);
        m_process.start();
        WaitFor([this] {
            m_stdout += m_process.readAllStandardOutput().toStdString();
            return m_stdout.find('\n') != std::string::npos ||
                   m_process.state() == QProcess::NotRunning;
        });
        const size_t at = m_stdout.find("127.0.0.1:");
        if (at != std::string::npos) m_port = std::atoi(m_stdout.c_str() + at + 10);
    }
    ~TestServer() {
        m_process.kill();
        m_process.waitForFinished(2000);
    }
    int Port() const { return m_port; }
    QString TranscriptPath() const { return m_dir.filePath("transcript.log"); }
    std::string Transcript() const {
        QFile file(TranscriptPath());
        if (!file.open(QIODevice::ReadOnly)) return {};
        return file.readAll().toStdString();
    }

  private:
    QTemporaryDir m_dir;
    QProcess m_process;
    std::string m_stdout;
    int m_port = 0;
};

// A main console without a window: records every message that reaches it
// and hands it to the real dispatcher, whose console text it collects.
class ConsoleRecorder : public IServerMessageSink, public IMainConsoleHost {
  public:
    explicit ConsoleRecorder(CKordane2Doc& doc)
        : m_doc(doc), m_dispatch(*this, doc.Parser(), doc.Params(), doc.Values()) {
        doc.Parser().SetMainSink(this);
    }
    ~ConsoleRecorder() override { m_doc.Parser().SetMainSink(nullptr); }

    int Receive(std::unique_ptr<CServerMessage>& m) override {
        if (m->kind == CServerMessage::Datagram) datagrams.push_back(*m);
        return m_dispatch.Receive(m);
    }
    void ShowConsoleText(std::string_view text) override { console += text; }
    bool LogsInAutomatically() const override {
        return m_doc.Params().guest || !m_doc.Params().handle.empty();
    }

    int Count(int number) const {
        int n = 0;
        for (const auto& d : datagrams) n += d.number == number;
        return n;
    }
    const CServerMessage* Last(int number) const {
        for (auto it = datagrams.rbegin(); it != datagrams.rend(); ++it) {
            if (it->number == number) return &*it;
        }
        return nullptr;
    }
    size_t Occurrences(const std::string& text) const {
        size_t n = 0;
        for (size_t at = console.find(text); at != std::string::npos;
             at = console.find(text, at + 1))
            ++n;
        return n;
    }

    std::string console;
    std::vector<CServerMessage> datagrams;
    CMainDispatch& Dispatch() { return m_dispatch; }

  private:
    CKordane2Doc& m_doc;
    CMainDispatch m_dispatch;
};

// A plain-text client on a raw socket, as a second user or a script would be.
class RawClient {
  public:
    explicit RawClient(int port) {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(static_cast<uint16_t>(port));
        ::inet_pton(AF_INET, "127.0.0.1", &a.sin_addr);
        m_ok = ::connect(m_fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    }
    ~RawClient() { ::close(m_fd); }
    bool Ok() const { return m_ok; }
    void Send(const std::string& text) {
        ASSERT_EQ(::send(m_fd, text.data(), text.size(), MSG_NOSIGNAL),
                  static_cast<ssize_t>(text.size()));
    }

  private:
    int m_fd = -1;
    bool m_ok = false;
};
