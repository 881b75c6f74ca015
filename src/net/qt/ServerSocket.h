// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QObject>
#include <array>
#include <string>
#include <string_view>

class QSocketNotifier;

// What a socket reports to the connection that owns it. Error codes are the
// numbers of the socket error table (SocketErrors.h); 0 means none.
class ISocketEvents {
  public:
    virtual ~ISocketEvents() = default;
    virtual void OnConnect(int error) = 0;
    virtual void OnReceive(int error) = 0;
    virtual void OnSend(int error) = 0;
    // 0 for an orderly close by the server, the reset code after a reset.
    virtual void OnClose(int error) = 0;
    virtual void ReportSocketError(std::string_view text, int code) = 0;
    // Bytes did not fit the outgoing buffer and were dropped.
    virtual void ShowOutgoingOverflow() = 0;
};

// A non-blocking TCP socket driven by the Qt event loop that reports its
// events the way the connection logic expects them: connect finished, data
// to read, writable again, closed (with 0 for an orderly close and the reset
// code when the server reset the connection). It also holds the 4096-byte
// outgoing buffer, so sending never blocks.
class CServerSocket : public QObject {
    Q_OBJECT
  public:
    static constexpr size_t kOutgoingSize = 4096;

    explicit CServerSocket(ISocketEvents& owner);
    ~CServerSocket() override;

    // 0, or the error code of the failed step.
    int Create();
    // 0 when the connect is under way (its result comes as OnConnect);
    // otherwise the error.
    int StartConnect(const std::string& dottedAddress, int port);
    void SetReceiveBufferSize(int bytes);
    // Returns the byte count, 0 at end of stream, -1 on error (error set).
    long Receive(char* buffer, size_t size, int& error);
    // 0 or the error.
    int ShutDownSend();
    // Stops all events; the descriptor is closed.
    void Close();

    void QueueSend(std::string_view bytes);
    void Flush();
    void ClearOutgoing() { m_outCount = 0; }
    size_t OutgoingCount() const { return m_outCount; }
    bool CanSend() const { return m_canSend; }
    void SetCanSend(bool on) { m_canSend = on; }

  private:
    void OnReadable();
    void OnWritable();
    void StopEvents();

    ISocketEvents& m_owner;
    int m_fd = -1;
    bool m_connecting = false;
    bool m_canSend = false;
    QSocketNotifier* m_read = nullptr;
    QSocketNotifier* m_write = nullptr;
    std::array<char, kOutgoingSize> m_out{};
    size_t m_outCount = 0;
};
