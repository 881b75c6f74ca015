// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "net/DatagramTable.h"
#include "net/ServerMessage.h"
#include "net/ServerMessageSink.h"

// Texts of the status bar's last pane, by their string numbers.
enum class StatusText { Ready = 130, Sent = 131, Working = 132 };

// What the parser needs from its connection. The connection document
// implements it; the stream dump tool and the tests use small stand-ins.
class IStreamParserHost {
  public:
    virtual ~IStreamParserHost() = default;
    virtual bool IsConnected() const = 0;
    virtual void SendToServer(std::string_view text) = 0;
    virtual void ShowStatus(StatusText text) = 0;
    // Queues a finished message for the main console. The host later hands it
    // back to CStreamParser::Dispatch from its event loop, so that no sink
    // ever runs inside the parser.
    virtual void PostMessage(std::unique_ptr<CServerMessage> message) = 0;
    // "/debug" on the command line: every block and datagram is also dumped.
    virtual bool DebugEnabled() const { return false; }
};

// Turns the server's byte stream (after Chronel) into text, level-1 blocks and
// datagrams, and offers each finished message to the windows of the
// connection: the plug-in forwarder, then the extra sinks in the order they
// were added, then the main console.
class CStreamParser {
  public:
    // Blocks and datagrams nest at most this deep; deeper ones are skipped.
    static constexpr int kMaxDepth = 7;

    explicit CStreamParser(IStreamParserHost& host);
    ~CStreamParser();

    void ProcessBytes(const char* bytes, size_t length);
    void ProcessBytes(std::string_view bytes) { ProcessBytes(bytes.data(), bytes.size()); }

    void SendCommand(std::string_view text);
    void SetDatagram(DatagramNumber number, bool on);
    void ShowLocalText(std::string_view text);
    void EchoText(std::string_view text);
    void Reset();

    void SetMainSink(IServerMessageSink* sink) { m_mainSink = sink; }
    IServerMessageSink* MainSink() const { return m_mainSink; }
    void AddSink(IServerMessageSink* sink);
    void RemoveSink(IServerMessageSink* sink);
    // The plug-in forwarder sees every message first and never keeps it.
    void SetPluginForwarder(std::function<void(const CServerMessage&)> forwarder) {
        m_forwarder = std::move(forwarder);
    }

    // Offers a posted message to the forwarder, the extra sinks and the main
    // sink; the message is destroyed when nobody kept it.
    void Dispatch(std::unique_ptr<CServerMessage> message);

    // The "/debug" line of a block or datagram ("L1 #..." / "L2 #...").
    static std::string DebugLine(const CServerMessage& message);

  private:
    std::unique_ptr<CServerMessage> ProcessChar(unsigned char c);
    std::unique_ptr<CServerMessage> DatagramByte(unsigned char c);
    std::unique_ptr<CServerMessage> Level1Byte(unsigned char c);
    std::unique_ptr<CServerMessage> OutsideByte(unsigned char c);
    void SkippedByte(unsigned char c);
    std::unique_ptr<CServerMessage> OpenNested(CServerMessage::Kind kind);
    void Deliver(std::unique_ptr<CServerMessage> message);
    size_t TextRun(const char* bytes, size_t length, std::string& into, uint8_t stop) const;

    IStreamParserHost& m_host;
    IServerMessageSink* m_mainSink = nullptr;
    std::vector<IServerMessageSink*> m_sinks;
    int m_dispatching = 0;  // nesting depth of Dispatch
    std::function<void(const CServerMessage&)> m_forwarder;
    std::string m_pendingEcho;

    std::unique_ptr<CServerMessage> m_text;  // the open text message
    std::array<std::unique_ptr<CServerMessage>, kMaxDepth + 1> m_stack;
    int m_depth = 0;
    bool m_escape = false;
    bool m_inLevel1 = false;
    bool m_inDatagram = false;
    bool m_inQuote = false;
    bool m_inBraces = false;
    bool m_atFieldStart = false;
    // Blocks and datagrams opened past kMaxDepth, innermost last: 'L' or 'D'.
    // Their bytes are dropped, but their ends are still found so that the
    // stream stays in step.
    std::string m_skipped;
};
