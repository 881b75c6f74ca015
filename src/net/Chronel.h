// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// What a Chronel filter needs from its connection. The connection document
// implements it on top of its socket, its console and a timer.
class IChronelHost {
  public:
    virtual ~IChronelHost() = default;
    // Appends bytes to the socket's outgoing buffer.
    virtual void SendRaw(std::string_view bytes) = 0;
    // Shows one of the filter's own lines in the main console.
    virtual void ShowChronelText(std::string_view text) = 0;
    // A millisecond tick count (wraps at 32 bits).
    virtual uint32_t TickCount() = 0;
    // Starts (or restarts) the single alarm timer; false when it cannot run.
    // The host calls Chronel::OnAlarmTimer when it fires.
    virtual bool StartAlarmTimer(uint32_t intervalMs) = 0;
    virtual void StopAlarmTimer() = 0;
    // False while no window exists that could own the timer.
    virtual bool HasAlarmWindow() { return true; }
    // The client's handshake value; tests fix it, the default draws it
    // from std::random_device.
    virtual uint32_t HandshakeNonce();
    // One received chunk can expand into more than the 65536-byte output
    // buffer holds. When the buffer is full in the middle of a chunk, the
    // filter offers its bytes here: a host that hands them to the stream
    // parser at once returns true and the buffer starts again empty; the
    // bytes Filter then returns follow them. A host that returns false gets
    // everything from Filter, the buffer growing past 65536 for that chunk,
    // so that no byte is lost either way.
    virtual bool TakeFilterOutput(std::string_view bytes) {
        (void)bytes;
        return false;
    }
};

// The per-connection line filter between the socket and the stream parser.
// Outgoing lines wait in a queue until the handshake that follows the
// server's login prompt is done, then leave stamped with the milliseconds
// since the handshake. Incoming, the server's timing commands are answered
// at once and removed from the stream; everything else goes to the parser.
class Chronel {
  public:
    static constexpr size_t kOutputSize = 65536;
    static constexpr size_t kQueueSize = 1024;
    static constexpr size_t kCommandSize = 16384;

    explicit Chronel(IChronelHost& host);
    ~Chronel();
    Chronel(const Chronel&) = delete;
    Chronel& operator=(const Chronel&) = delete;

    // Runs one received chunk through the filter. The returned bytes (valid
    // until the next call) are what the stream parser is to see, after any
    // that IChronelHost::TakeFilterOutput took during the call.
    std::string_view Filter(const char* bytes, size_t length);

    // Queues outgoing text (as much as fits); flushes once stamping is on.
    void Queue(std::string_view text);
    // Sends every complete queued line; text after the last "\n" is dropped.
    // Until the handshake is done the lines stay queued.
    void Flush();

    // Raised when the server's login prompt was seen; the socket answers the
    // prompt and clears the flag.
    bool LoginPromptSeen() const;
    void ClearLoginPrompt();

    // The host's alarm timer fired.
    void OnAlarmTimer();

    bool HandshakeDone() const;
    // The handshake failed: the server's bytes pass on unfiltered and the
    // queued lines are never released.
    bool HandshakeFailed() const;

  private:
    struct Impl;
    Impl* m_impl;
};
