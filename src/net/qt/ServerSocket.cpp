// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "net/qt/ServerSocket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <cstring>

#include "net/SocketErrors.h"

CServerSocket::CServerSocket(ISocketEvents& owner) : m_owner(owner) {}

CServerSocket::~CServerSocket() {
    Close();
}

int CServerSocket::Create() {
    m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (m_fd < 0) return SocketErrors::FromErrno(errno);
    m_read = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    m_write = new QSocketNotifier(m_fd, QSocketNotifier::Write, this);
    m_read->setEnabled(false);
    m_write->setEnabled(false);
    connect(m_read, &QSocketNotifier::activated, this, &CServerSocket::OnReadable);
    connect(m_write, &QSocketNotifier::activated, this, &CServerSocket::OnWritable);
    return 0;
}

int CServerSocket::StartConnect(const std::string& dottedAddress, int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    if (::inet_pton(AF_INET, dottedAddress.c_str(), &address.sin_addr) != 1) {
        return SocketErrors::FromErrno(EINVAL);
    }
    if (::connect(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 &&
        errno != EINPROGRESS) {
        return SocketErrors::FromErrno(errno);
    }
    // Even an immediate loopback connect is reported from the event loop, as
    // the connection logic expects its events one at a time.
    m_connecting = true;
    m_write->setEnabled(true);
    return 0;
}

void CServerSocket::SetReceiveBufferSize(int bytes) {
    if (m_fd >= 0) ::setsockopt(m_fd, SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes);
}

long CServerSocket::Receive(char* buffer, size_t size, int& error) {
    error = 0;
    if (m_fd < 0) {
        error = SocketErrors::FromErrno(ENOTSOCK);
        return -1;
    }
    const ssize_t n = ::recv(m_fd, buffer, size, 0);
    if (n < 0) error = SocketErrors::FromErrno(errno);
    return n;
}

int CServerSocket::ShutDownSend() {
    if (m_fd < 0) return SocketErrors::FromErrno(ENOTSOCK);
    return ::shutdown(m_fd, SHUT_WR) == 0 ? 0 : SocketErrors::FromErrno(errno);
}

void CServerSocket::StopEvents() {
    if (m_read) m_read->setEnabled(false);
    if (m_write) m_write->setEnabled(false);
}

void CServerSocket::Close() {
    StopEvents();
    delete m_read;
    delete m_write;
    m_read = m_write = nullptr;
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    m_canSend = false;
    m_connecting = false;
}

void CServerSocket::QueueSend(std::string_view bytes) {
    if (m_outCount + bytes.size() > kOutgoingSize - 1) {
        m_owner.ShowOutgoingOverflow();
        return;
    }
    std::memcpy(m_out.data() + m_outCount, bytes.data(), bytes.size());
    m_outCount += bytes.size();
    Flush();
}

void CServerSocket::Flush() {
    if (m_outCount == 0 || !m_canSend || m_fd < 0) return;
    const ssize_t sent = ::send(m_fd, m_out.data(), m_outCount, MSG_NOSIGNAL);
    if (sent < 0) {
        const int error = errno;
        if (error != EWOULDBLOCK && error != EAGAIN) {
            m_owner.ReportSocketError("Send failed", SocketErrors::FromErrno(error));
        }
        m_canSend = false;
    } else if (static_cast<size_t>(sent) < m_outCount) {
        std::memmove(m_out.data(), m_out.data() + sent, m_outCount - sent);
        m_outCount -= sent;
        m_canSend = false;
    } else {
        m_outCount = 0;
    }
    // Until the platform says the socket takes bytes again, watch for it.
    if (!m_canSend && m_write) m_write->setEnabled(true);
}

void CServerSocket::OnWritable() {
    m_write->setEnabled(false);
    if (m_connecting) {
        m_connecting = false;
        int error = 0;
        socklen_t length = sizeof error;
        if (::getsockopt(m_fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0) error = errno;
        const int code = SocketErrors::FromErrno(error);
        m_owner.OnConnect(code);
        if (code != 0 || m_fd < 0) return;
        m_read->setEnabled(true);
    }
    m_owner.OnSend(0);
}

void CServerSocket::OnReadable() {
    // A readable socket is either data or the end of the connection; peek to
    // tell them apart, so that an orderly close (0) and a reset (the reset
    // code) reach the close handler the way the connection logic expects.
    char probe;
    const ssize_t n = ::recv(m_fd, &probe, 1, MSG_PEEK);
    if (n > 0) {
        m_owner.OnReceive(0);
        return;
    }
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return;
    const int code = n == 0 ? 0 : SocketErrors::FromErrno(errno);
    StopEvents();
    m_owner.OnClose(code);
}
