// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "SocketServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "ServerCore.h"

SocketServer::SocketServer(ServerCore& core) : m_core(core) {}

SocketServer::~SocketServer() {
    for (Client& client : m_clients) {
        if (client.fd >= 0) ::close(client.fd);
    }
    if (m_listenFd >= 0) ::close(m_listenFd);
}

bool SocketServer::Listen(int port, std::string& error) {
    m_listenFd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (m_listenFd < 0) {
        error = std::string("socket: ") + std::strerror(errno);
        return false;
    }
    const int yes = 1;
    ::setsockopt(m_listenFd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(m_listenFd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        error = "bind 127.0.0.1:" + std::to_string(port) + ": " + std::strerror(errno);
        return false;
    }
    if (::listen(m_listenFd, 64) != 0) {
        error = std::string("listen: ") + std::strerror(errno);
        return false;
    }
    socklen_t length = sizeof address;
    ::getsockname(m_listenFd, reinterpret_cast<sockaddr*>(&address), &length);
    m_port = ntohs(address.sin_port);
    return true;
}

void SocketServer::Run(const volatile std::sig_atomic_t& stop) {
    std::vector<pollfd> fds;
    while (stop == 0) {
        fds.clear();
        // While out of descriptors the pending connection stays queued; not
        // polling for it meanwhile keeps the loop from spinning.
        const bool accepting = std::chrono::steady_clock::now() >= m_acceptPausedUntil;
        fds.push_back({m_listenFd, static_cast<short>(accepting ? POLLIN : 0), 0});
        bool lingering = false;
        for (const Client& client : m_clients) {
            short events = 0;
            if (!client.peerDone) events |= POLLIN;
            ClientSession* session = m_core.Find(client.id);
            if (!client.lingering && session != nullptr && !session->Outbox().empty())
                events |= POLLOUT;
            lingering = lingering || client.lingering;
            fds.push_back({client.fd, events, 0});
        }
        for (int fd : m_core.WatchedFds()) fds.push_back({fd, POLLIN, 0});
        // Game clocks and the computer player need a turn at least this often.
        const int timeout = lingering || !accepting || !m_core.Games().All().empty() ? 50 : 250;
        if (::poll(fds.data(), fds.size(), timeout) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        // Index i + 1 of fds is m_clients[i]; clients accepted below are
        // appended after the ones polled, so the indices stay valid.
        const size_t polled = m_clients.size();
        for (size_t i = 0; i < polled; ++i) {
            const short revents = fds[i + 1].revents;
            Client& client = m_clients[i];
            if (client.fd < 0) continue;
            if ((revents & (POLLIN | POLLHUP | POLLERR)) != 0) ReadFrom(client);
            if (client.fd >= 0 && (revents & POLLOUT) != 0) WriteTo(client);
        }
        if ((fds[0].revents & POLLIN) != 0) AcceptAll();
        m_core.Tick();
        SettleCloses();
    }
}

void SocketServer::AcceptAll() {
    while (true) {
        const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM)
                m_acceptPausedUntil = std::chrono::steady_clock::now() + kAcceptPause;
            return;  // also EAGAIN, or a connection that died in the queue
        }
        if (m_clients.size() >= kMaxClients) {
            ::close(fd);
            continue;
        }
        Client client;
        client.fd = fd;
        client.id = m_core.Connect();
        m_clients.push_back(client);
    }
}

void SocketServer::ReadFrom(Client& client) {
    if (client.peerDone) return;  // nothing more will come; errors show on the next send
    char buffer[kReadChunk];
    const ssize_t n = ::recv(client.fd, buffer, sizeof buffer, 0);
    if (n < 0) {
        if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) return;
        Drop(client, false);
        return;
    }
    if (client.lingering) {
        // Only waiting for the peer's FIN; its late input is discarded.
        if (n == 0) Drop(client, false);
        return;
    }
    if (n == 0) {
        client.peerDone = true;
        m_core.PeerFinished(client.id);
        return;
    }
    m_core.Receive(client.id, std::string_view(buffer, static_cast<size_t>(n)));
}

void SocketServer::WriteTo(Client& client) {
    ClientSession* session = m_core.Find(client.id);
    if (session == nullptr) return;
    std::string& outbox = session->Outbox();
    while (!outbox.empty()) {
        const ssize_t n = ::send(client.fd, outbox.data(), outbox.size(), MSG_NOSIGNAL);
        if (n < 0) {
            if (errno == EINTR) continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK) return;
            Drop(client, false);
            return;
        }
        outbox.erase(0, static_cast<size_t>(n));
    }
}

void SocketServer::SettleCloses() {
    const auto now = std::chrono::steady_clock::now();
    for (Client& client : m_clients) {
        if (client.fd < 0) continue;
        if (client.lingering) {
            if (now >= client.deadline) Drop(client, false);
            continue;
        }
        ClientSession* session = m_core.Find(client.id);
        if (session == nullptr) {
            Drop(client, false);
            continue;
        }
        // Output queued for this client by someone else's command goes out
        // now instead of after another trip through poll().
        if (!session->Outbox().empty()) WriteTo(client);
        if (client.fd < 0) continue;
        switch (session->CloseRequest()) {
            case ClientSession::Close::None:
                break;
            case ClientSession::Close::Reset:
                Drop(client, true);
                break;
            case ClientSession::Close::Orderly:
                if (!session->Outbox().empty()) {
                    // A peer that stops reading after "quit" does not keep
                    // its socket for ever.
                    if (client.flushDeadline == std::chrono::steady_clock::time_point{})
                        client.flushDeadline = now + kFlushLimit;
                    if (now >= client.flushDeadline) Drop(client, true);
                    break;
                }
                ::shutdown(client.fd, SHUT_WR);
                m_core.Remove(client.id);
                if (client.peerDone) {
                    Drop(client, false);
                } else {
                    client.lingering = true;
                    client.deadline = now + kLinger;
                }
                break;
        }
    }
    m_clients.erase(std::remove_if(m_clients.begin(), m_clients.end(),
                                   [](const Client& client) { return client.fd < 0; }),
                    m_clients.end());
}

void SocketServer::Drop(Client& client, bool reset) {
    if (client.fd < 0) return;
    if (reset) {
        const linger abort{1, 0};
        ::setsockopt(client.fd, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
    }
    ::close(client.fd);
    client.fd = -1;
    m_core.Remove(client.id);
}
