// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <chrono>
#include <csignal>
#include <string>
#include <vector>

class ServerCore;

// The sockets of the test server: one listening socket on 127.0.0.1 and one
// non-blocking socket per client, all served by poll() in one thread. Bytes
// read go to ServerCore; each session's outbox is written when the socket
// takes it, so a client that does not read never blocks the others. Closing
// follows the session's request: orderly (the output is sent, then FIN, and
// the socket lingers briefly so late input cannot turn it into a reset) or a
// reset (SO_LINGER 0, the peer sees ECONNRESET).
class SocketServer {
  public:
    static constexpr size_t kMaxClients = 1000;
    static constexpr size_t kReadChunk = 16384;
    static constexpr std::chrono::milliseconds kLinger{2000};
    static constexpr std::chrono::milliseconds kAcceptPause{100};
    static constexpr std::chrono::milliseconds kFlushLimit{10000};

    explicit SocketServer(ServerCore& core);
    ~SocketServer();
    SocketServer(const SocketServer&) = delete;
    SocketServer& operator=(const SocketServer&) = delete;

    // Binds and listens on 127.0.0.1:port (0 picks a free port).
    bool Listen(int port, std::string& error);
    int Port() const { return m_port; }
    // Serves clients until `stop` becomes non-zero (set by a signal handler).
    void Run(const volatile std::sig_atomic_t& stop);

  private:
    struct Client {
        int fd = -1;
        int id = 0;
        bool peerDone = false;                                // the peer sent FIN
        bool lingering = false;                               // our FIN is out; waiting for theirs
        std::chrono::steady_clock::time_point deadline;       // of lingering
        std::chrono::steady_clock::time_point flushDeadline;  // of the last output
    };

    void AcceptAll();
    void ReadFrom(Client& client);
    void WriteTo(Client& client);
    void SettleCloses();
    void Drop(Client& client, bool reset);

    ServerCore& m_core;
    int m_listenFd = -1;
    int m_port = 0;
    std::vector<Client> m_clients;
    std::chrono::steady_clock::time_point m_acceptPausedUntil;
};
