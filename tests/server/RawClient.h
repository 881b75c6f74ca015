// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <chrono>
#include <string>
#include <string_view>

// A plain TCP client for the server tests: what nc would do, with time limits
// so that a server that stops answering fails the test instead of hanging it.
class RawClient {
  public:
    enum class End { Open, Eof, Reset, Error };
    static constexpr std::chrono::milliseconds kWait{5000};

    RawClient() = default;
    ~RawClient();
    RawClient(const RawClient&) = delete;
    RawClient& operator=(const RawClient&) = delete;

    bool Connect(int port);
    bool Send(std::string_view bytes);
    void ShutdownWrite();
    // Reads until the bytes received since the last Take end with `suffix`
    // (or the peer closes, or time runs out); returns them and starts afresh.
    std::string ReadUntil(std::string_view suffix, std::chrono::milliseconds limit = kWait);
    // Reads until the peer closes or resets the connection.
    std::string ReadToEnd(std::chrono::milliseconds limit = kWait);
    // How the connection ended, if it did.
    End Ended() const { return m_end; }

  private:
    bool ReadSome(std::chrono::milliseconds limit);

    int m_fd = -1;
    std::string m_received;
    End m_end = End::Open;
};
