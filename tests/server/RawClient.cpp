// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "RawClient.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

RawClient::~RawClient() {
    if (m_fd >= 0) close(m_fd);
}

bool RawClient::Connect(int port) {
    m_fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_fd < 0) return false;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    inet_pton(AF_INET, "127.0.0.1", &address.sin_addr);
    return connect(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
}

bool RawClient::Send(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

void RawClient::ShutdownWrite() {
    shutdown(m_fd, SHUT_WR);
}

bool RawClient::ReadSome(std::chrono::milliseconds limit) {
    if (m_end != End::Open) return false;
    pollfd pfd{m_fd, POLLIN, 0};
    if (poll(&pfd, 1, static_cast<int>(limit.count())) <= 0) return false;
    char buffer[65536];
    const ssize_t n = recv(m_fd, buffer, sizeof buffer, 0);
    if (n > 0) {
        m_received.append(buffer, static_cast<size_t>(n));
        return true;
    }
    if (n == 0) {
        m_end = End::Eof;
    } else {
        m_end = errno == ECONNRESET ? End::Reset : End::Error;
    }
    return false;
}

std::string RawClient::ReadUntil(std::string_view suffix, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!std::string_view(m_received).ends_with(suffix)) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || !ReadSome(left)) break;
    }
    std::string out;
    out.swap(m_received);
    return out;
}

std::string RawClient::ReadToEnd(std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (m_end == End::Open) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        ReadSome(left);
    }
    std::string out;
    out.swap(m_received);
    return out;
}
