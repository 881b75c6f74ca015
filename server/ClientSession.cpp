// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "ClientSession.h"

#include <algorithm>
#include <cctype>

#include "CommandWords.h"
#include "Transcript.h"

namespace {

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool IsTimingByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x9c && byte <= 0x9e;
}

}  // namespace

ClientSession::ClientSession(int id, Transcript& transcript,
                             ChronelServerSession::FailAt chronelFail)
    : m_id(id), m_transcript(transcript), m_chronel(chronelFail) {}

std::vector<LineSplitter::Line> ClientSession::Receive(std::string_view wire) {
    const ChronelServerSession::Mode before = m_chronel.GetMode();
    std::string reply;
    const std::string plain = m_chronel.Incoming(wire, reply);
    m_outbox += reply;
    const ChronelServerSession::Mode after = m_chronel.GetMode();
    if (after != before) {
        m_transcript.Note(
            m_id, after == ChronelServerSession::Mode::Chronel ? "mode chronel" : "mode plain");
    }
    if (m_chronel.HandshakeFailed() && !m_chronelFailureNoted) {
        m_chronelFailureNoted = true;
        m_transcript.Note(m_id, "chronel handshake failed");
    }
    std::vector<LineSplitter::Line> lines;
    m_lines.Feed(plain, lines);
    return lines;
}

void ClientSession::SendText(std::string_view text) {
    SendFramed(DatagramWriter::CleanText(text));
}

void ClientSession::SendFramed(std::string_view bytes) {
    if (m_chronel.GetMode() != ChronelServerSession::Mode::Chronel) {
        m_plain += bytes;
        return;
    }
    // A Chronel client would take these bytes (common inside UTF-8 text) for
    // the start or end of a timing command and lose the rest of the stream.
    for (char c : bytes) {
        if (!IsTimingByte(c)) m_plain += c;
    }
}

void ClientSession::SendDatagram(const DatagramWriter& datagram) {
    if (WantsDatagram(datagram.Number())) SendFramed(datagram.Bytes());
}

void ClientSession::SendDatagramOrText(const DatagramWriter& datagram, std::string_view text) {
    if (WantsDatagram(datagram.Number())) {
        SendFramed(datagram.Bytes());
    } else {
        SendText(text);
    }
}

int ClientSession::PageHeight() const {
    int height = 0;
    const std::string value = Variable("height");
    if (value.empty() || !CommandWords::ParseInt(value, height)) return kDefaultHeight;
    return std::clamp(height, kMinHeight, kMaxHeight);
}

void ClientSession::SendPaged(std::string_view text) {
    if (!m_more.empty()) {
        m_more += text;
        return;
    }
    // A page is "height" lines with its prompt, so it fits the screen the
    // height describes; a reply that fits goes whole.
    const auto height = static_cast<size_t>(PageHeight());
    size_t lines = 0;
    size_t cut = std::string_view::npos;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n') continue;
        ++lines;
        if (lines == height - 1) cut = i + 1;
    }
    if (text.empty() || text.back() != '\n') ++lines;
    if (lines <= height || cut == std::string_view::npos) {
        SendText(text);
        return;
    }
    SendText(text.substr(0, cut));
    SendText(kMorePrompt);
    m_more = text.substr(cut);
}

bool ClientSession::SendMore() {
    if (m_more.empty()) return false;
    std::string rest;
    rest.swap(m_more);
    SendPaged(rest);
    return true;
}

bool ClientSession::SendNextListBatch() {
    if (m_listBatches.empty()) return false;
    SendFramed(m_listBatches.front());
    m_listBatches.erase(m_listBatches.begin());
    return true;
}

void ClientSession::SendTiming(std::string_view command) {
    if (m_chronel.GetMode() == ChronelServerSession::Mode::Chronel) m_plain += command;
}

void ClientSession::Flush() {
    if (m_robot) m_plain.clear();
    if (m_plain.empty()) return;
    m_transcript.Sent(m_id, m_plain);
    m_outbox += m_chronel.Outgoing(m_plain);
    m_plain.clear();
}

void ClientSession::SetLevel2Settings(std::string_view flags) {
    m_datagrams.reset();
    const size_t count = std::min(flags.size(), static_cast<size_t>(kMaxDatagrams));
    for (size_t i = 0; i < count; ++i) m_datagrams.set(i, flags[i] == '1');
}

bool ClientSession::SetDatagram(int number, bool on) {
    if (number < 0 || number >= kMaxDatagrams) return false;
    m_datagrams.set(static_cast<size_t>(number), on);
    return true;
}

bool ClientSession::WantsDatagram(int number) const {
    return number >= 0 && number < kMaxDatagrams && m_datagrams.test(static_cast<size_t>(number));
}

std::string ClientSession::DisplayName() const {
    if (m_titles.empty()) return m_handle;
    return m_handle + "(" + m_titles + ")";
}

void ClientSession::SetVariable(std::string_view name, std::string_view value) {
    m_variables[Lower(name)] = std::string(value);
}

std::string ClientSession::Variable(std::string_view name) const {
    const auto it = m_variables.find(Lower(name));
    return it == m_variables.end() ? std::string() : it->second;
}

void ClientSession::RequestClose(Close how) {
    // A reset wins over an orderly close that is still flushing.
    if (how == Close::Reset || m_close == Close::None) m_close = how;
}
