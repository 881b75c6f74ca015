// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "net/StreamParser.h"

#include <algorithm>
#include <cstdio>

#include "net/TextUtil.h"

namespace {

constexpr unsigned char kEscape = 0x19;
constexpr unsigned char kOverflow = 0x1A;
constexpr unsigned char kBell = 0x07;

bool IsWhite(unsigned char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Reads a level-1 header line the way "%d %s %d" does: a number, a word and
// a number, each optional from the point where reading fails.
void ReadHeader(const std::string& line, CServerMessage& block) {
    const char* p = line.c_str();
    char* end = nullptr;
    auto skip = [&p] {
        while (IsWhite(static_cast<unsigned char>(*p))) ++p;
    };
    skip();
    if (!(*p == '-' || *p == '+' || (*p >= '0' && *p <= '9'))) return;
    const char* numberStart = p;
    if (*p == '-' || *p == '+') ++p;
    if (!(*p >= '0' && *p <= '9')) return;
    block.number =
        ParseLeadingInt(std::string_view(numberStart, line.c_str() + line.size() - numberStart));
    while (*p >= '0' && *p <= '9') ++p;
    skip();
    if (*p == '\0') return;
    const char* wordStart = p;
    while (*p && !IsWhite(static_cast<unsigned char>(*p))) ++p;
    block.header.assign(wordStart, p);
    skip();
    if (!(*p == '-' || *p == '+' || (*p >= '0' && *p <= '9'))) return;
    long tag = std::strtol(p, &end, 10);
    if (end != p && (end - p > 1 || (*p >= '0' && *p <= '9'))) {
        block.tag = static_cast<int>(std::clamp<long>(tag, INT32_MIN, INT32_MAX));
    }
}

}  // namespace

CStreamParser::CStreamParser(IStreamParserHost& host) : m_host(host) {}

CStreamParser::~CStreamParser() = default;

void CStreamParser::Reset() {
    m_text.reset();
    for (auto& slot : m_stack) slot.reset();
    m_depth = 0;
    m_escape = m_inLevel1 = m_inDatagram = m_inQuote = m_inBraces = m_atFieldStart = false;
    m_skipped.clear();
}

void CStreamParser::AddSink(IServerMessageSink* sink) {
    if (sink && std::find(m_sinks.begin(), m_sinks.end(), sink) == m_sinks.end()) {
        m_sinks.push_back(sink);
    }
}

void CStreamParser::RemoveSink(IServerMessageSink* sink) {
    const auto it = std::find(m_sinks.begin(), m_sinks.end(), sink);
    if (it == m_sinks.end()) return;
    // While a message is being offered, the list is walked by index; a
    // window closing in the middle only leaves a hole, closed afterwards.
    if (m_dispatching > 0) {
        *it = nullptr;
    } else {
        m_sinks.erase(it);
    }
}

void CStreamParser::SendCommand(std::string_view text) {
    if (m_host.IsConnected()) {
        m_host.SendToServer(text);
        m_host.ShowStatus(StatusText::Sent);
    } else {
        ShowLocalText("Warning: Not connected to the server.\n");
    }
}

void CStreamParser::SetDatagram(DatagramNumber number, bool on) {
    char line[48];
    std::snprintf(line, sizeof line, "Set-2 %d %d\n", number, on ? 1 : 0);
    SendCommand(line);
}

void CStreamParser::ShowLocalText(std::string_view text) {
    if (!m_mainSink) return;
    auto message = std::make_unique<CServerMessage>(CServerMessage::Local, -1);
    message->AppendField(text);
    m_mainSink->Receive(message);
}

void CStreamParser::EchoText(std::string_view text) {
    if (!m_mainSink) {
        m_pendingEcho.append(text);
        return;
    }
    auto message = std::make_unique<CServerMessage>(CServerMessage::Local, -2);
    message->AppendField(m_pendingEcho);
    message->LastField().append(text);
    m_pendingEcho.clear();
    m_host.PostMessage(std::move(message));
}

void CStreamParser::Dispatch(std::unique_ptr<CServerMessage> message) {
    if (!message) return;
    if (m_forwarder) m_forwarder(*message);
    // Sinks added while the message is offered see only later messages.
    const size_t count = m_sinks.size();
    bool consumed = false;
    ++m_dispatching;
    for (size_t i = 0; i < count && !consumed; ++i) {
        if (m_sinks[i] && m_sinks[i]->Receive(message)) consumed = true;
    }
    if (--m_dispatching == 0) {
        m_sinks.erase(std::remove(m_sinks.begin(), m_sinks.end(), nullptr), m_sinks.end());
    }
    if (!consumed && m_mainSink) m_mainSink->Receive(message);
}

std::string CStreamParser::DebugLine(const CServerMessage& message) {
    const char* rated = message.header == "*" ? "R" : "NR";
    char head[64];
    if (message.kind == CServerMessage::Level1) {
        std::snprintf(head, sizeof head, "L1 #%d (%s,%d): [", message.number, rated, message.tag);
        return head + message.TextValue() + "]\n";
    }
    std::snprintf(head, sizeof head, "L2 #%d (%s,%d): (", message.number, rated, message.tag);
    std::string line = head;
    for (size_t i = 1; i < message.fields.size(); ++i) {
        line += message.fields[i];
        line += " | ";
    }
    line += ")\n";
    return line;
}

void CStreamParser::Deliver(std::unique_ptr<CServerMessage> message) {
    if (message->kind == CServerMessage::Level1 && message->TextValue().empty()) return;
    if (m_host.DebugEnabled()) {
        const bool quiet =
            message->kind == CServerMessage::Datagram &&
            (message->number == DG_CLIENT_REPORT_REQUEST ||
             message->number == DG_CLIENT_INFO_STORE || message->number == DG_CLIENT_INFO_ECHO);
        if (!quiet && (message->kind == CServerMessage::Level1 ||
                       message->kind == CServerMessage::Datagram)) {
            ShowLocalText(DebugLine(*message));
        }
    }
    m_host.PostMessage(std::move(message));
}

std::unique_ptr<CServerMessage> CStreamParser::OpenNested(CServerMessage::Kind kind) {
    // The open block's text so far leaves now; a copy with the same header
    // carries on after the nested part.
    std::unique_ptr<CServerMessage> outer = std::move(m_stack[m_depth]);
    m_stack[m_depth] = CServerMessage::Continuation(*outer);
    ++m_depth;
    auto inner = std::make_unique<CServerMessage>(kind, -1);
    inner->tag = m_stack[1]->tag;
    if (kind == CServerMessage::Datagram) {
        inner->header = m_stack[1]->header;
        m_inDatagram = true;
        m_atFieldStart = true;
        m_inQuote = m_inBraces = false;
    } else {
        inner->AppendField();
    }
    m_stack[m_depth] = std::move(inner);
    return outer;
}

void CStreamParser::SkippedByte(unsigned char c) {
    if (!m_escape) {
        if (c == kEscape) m_escape = true;
        return;
    }
    m_escape = false;
    const bool inDatagram = m_skipped.back() == 'D';
    if (inDatagram) {
        if (c == ')') m_skipped.pop_back();
    } else if (c == ']') {
        m_skipped.pop_back();
    } else if (c == '[') {
        m_skipped.push_back('L');
    } else if (c == '(') {
        m_skipped.push_back('D');
    }
}

std::unique_ptr<CServerMessage> CStreamParser::DatagramByte(unsigned char c) {
    CServerMessage& current = *m_stack[m_depth];
    if (m_escape) {
        m_escape = false;
        switch (c) {
            case ')': {
                m_inDatagram = false;
                current.number = current.FieldInt(0);
                std::unique_ptr<CServerMessage> done = std::move(m_stack[m_depth]);
                --m_depth;
                return done;
            }
            case '{':
                if (!m_inQuote) {
                    m_inQuote = true;
                    if (m_atFieldStart) {
                        current.AppendField();
                        m_atFieldStart = false;
                    }
                }
                break;
            case '}':
                if (m_inQuote) {
                    m_inQuote = false;
                    m_atFieldStart = true;
                }
                break;
            default:
                break;
        }
        return nullptr;
    }
    if (c == kEscape) {
        m_escape = true;
        return nullptr;
    }
    if (m_atFieldStart) {
        if (IsWhite(c)) return nullptr;
        current.AppendField();
        m_atFieldStart = false;
        if (c == '{' && !m_inQuote && !m_inBraces) {
            m_inBraces = true;
            return nullptr;
        }
        current.LastField().push_back(static_cast<char>(c));
        return nullptr;
    }
    if (IsWhite(c) && !m_inQuote && !m_inBraces) {
        m_atFieldStart = true;
        return nullptr;
    }
    // A closing brace ends a braced field even inside a quote that began in
    // the middle of it: the server's own framing is read byte for byte here,
    // and implementations must agree on it.
    if (c == '}' && m_inBraces) {
        m_inBraces = false;
        m_atFieldStart = true;
        return nullptr;
    }
    current.LastField().push_back(static_cast<char>(c));
    return nullptr;
}

std::unique_ptr<CServerMessage> CStreamParser::Level1Byte(unsigned char c) {
    CServerMessage& current = *m_stack[m_depth];
    if (current.number == -1) {
        if (c != '\n') {
            current.LastField().push_back(static_cast<char>(c));
        } else {
            current.tag = 0;
            ReadHeader(current.fields[0], current);
            current.fields[0].clear();
        }
        return nullptr;
    }
    if (m_escape) {
        m_escape = false;
        switch (c) {
            case ']': {
                std::unique_ptr<CServerMessage> done = std::move(m_stack[m_depth]);
                --m_depth;
                if (m_depth == 0) m_inLevel1 = false;
                return done;
            }
            case '[':
            case '(':
                if (m_depth >= kMaxDepth) {
                    m_skipped.push_back(c == '[' ? 'L' : 'D');
                    return nullptr;
                }
                return OpenNested(c == '[' ? CServerMessage::Level1 : CServerMessage::Datagram);
            default:
                return nullptr;
        }
    }
    if (c == kEscape) {
        m_escape = true;
    } else if (c != kBell) {
        current.fields[0].push_back(static_cast<char>(c));
    }
    return nullptr;
}

std::unique_ptr<CServerMessage> CStreamParser::OutsideByte(unsigned char c) {
    if (m_escape) {
        m_escape = false;
        switch (c) {
            case '(':
                m_inDatagram = true;
                m_atFieldStart = true;
                m_inQuote = m_inBraces = false;
                ++m_depth;
                m_stack[m_depth] = std::make_unique<CServerMessage>(CServerMessage::Datagram, -1);
                break;
            case '[':
                m_inLevel1 = true;
                m_depth = 1;
                m_stack[1] = std::make_unique<CServerMessage>(CServerMessage::Level1, -1);
                m_stack[1]->AppendField();
                break;
            case '<':
                m_host.ShowStatus(StatusText::Working);
                break;
            case '>':
                m_host.ShowStatus(StatusText::Ready);
                break;
            default:
                break;
        }
        return nullptr;
    }
    if (c == kEscape) {
        m_escape = true;
        return std::move(m_text);
    }
    if (c == kBell) return nullptr;
    if (!m_text) {
        m_text = std::make_unique<CServerMessage>(CServerMessage::Text, -1);
        m_text->AppendField();
    }
    m_text->fields[0].push_back(static_cast<char>(c));
    return nullptr;
}

std::unique_ptr<CServerMessage> CStreamParser::ProcessChar(unsigned char c) {
    if (c == kOverflow) {
        Reset();
        ShowLocalText(
            "WARNING: The server's send-buffer has overflowed.  This program may become "
            "unstable.\n");
        return nullptr;
    }
    if (!m_skipped.empty()) {
        SkippedByte(c);
        return nullptr;
    }
    if (m_inDatagram) return DatagramByte(c);
    if (m_inLevel1) return Level1Byte(c);
    return OutsideByte(c);
}

namespace {

// Byte classes for the bulk paths below: a run of bytes none of whose class
// bits are in the stop mask only appends to the current text or field.
enum : uint8_t { kStopText = 1, kStopField = 2, kStopBraced = 4, kStopQuoted = 8 };

constexpr std::array<uint8_t, 256> MakeClasses() {
    std::array<uint8_t, 256> t{};
    for (int c = 0; c < 256; ++c) {
        const bool white = c == ' ' || (c >= '\t' && c <= '\r');
        const bool escapeOrOverflow = c == kEscape || c == kOverflow;
        t[c] = static_cast<uint8_t>((escapeOrOverflow || c == kBell ? kStopText : 0) |
                                    (escapeOrOverflow || white ? kStopField : 0) |
                                    (escapeOrOverflow || c == '}' ? kStopBraced : 0) |
                                    (escapeOrOverflow ? kStopQuoted : 0));
    }
    return t;
}

constexpr std::array<uint8_t, 256> kClasses = MakeClasses();

}  // namespace

// Length of the run of ordinary bytes at the front of `bytes`, appended to
// `into` in one go: bytes that never change the parser's state. This keeps
// plain text, block bodies and datagram fields at memory speed.
size_t CStreamParser::TextRun(const char* bytes, size_t length, std::string& into,
                              uint8_t stop) const {
    size_t n = 0;
    while (n < length && !(kClasses[static_cast<unsigned char>(bytes[n])] & stop)) ++n;
    into.append(bytes, n);
    return n;
}

void CStreamParser::ProcessBytes(const char* bytes, size_t length) {
    size_t i = 0;
    while (i < length) {
        if (!m_escape && m_skipped.empty()) {
            std::string* into = nullptr;
            uint8_t stop = kStopText;
            if (m_inDatagram) {
                if (!m_atFieldStart) {
                    into = &m_stack[m_depth]->LastField();
                    stop = m_inBraces ? kStopBraced : m_inQuote ? kStopQuoted : kStopField;
                }
            } else if (!m_inLevel1) {
                if (m_text) into = &m_text->fields[0];
            } else if (m_stack[m_depth]->number != -1) {
                into = &m_stack[m_depth]->fields[0];
            }
            if (into) {
                i += TextRun(bytes + i, length - i, *into, stop);
                if (i == length) break;
            }
        }
        if (auto message = ProcessChar(static_cast<unsigned char>(bytes[i]))) {
            Deliver(std::move(message));
        }
        ++i;
    }

    // What arrived of open text and block bodies reaches the windows once per
    // chunk, so long output is seen as it comes rather than at its end.
    if (m_inLevel1 && !m_inDatagram && m_skipped.empty() && m_depth > 0) {
        CServerMessage& current = *m_stack[m_depth];
        if (current.number != -1 && !current.TextValue().empty()) {
            std::unique_ptr<CServerMessage> part = std::move(m_stack[m_depth]);
            m_stack[m_depth] = CServerMessage::Continuation(*part);
            Deliver(std::move(part));
        }
    }
    if (m_text) Deliver(std::move(m_text));
}
