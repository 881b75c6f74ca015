// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// kd-streamdump: runs the bytes on standard input through the stream parser
// and prints every delivered message on one line,
//   KIND NUMBER <HEADER> TAG NFIELDS [F0|F1|...]
// with every byte outside 0x20..0x7E, every backslash and every vertical bar
// written as \xHH (spaces in the header word too), so that the output of
// different implementations can be compared with diff.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "net/StreamParser.h"

namespace {

void Escape(const std::string& text, bool escapeSpace, std::string& out) {
    static const char* hex = "0123456789ABCDEF";
    for (unsigned char c : text) {
        if (c < 0x20 || c > 0x7E || c == '\\' || c == '|' || (escapeSpace && c == ' ')) {
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
}

const char* KindName(CServerMessage::Kind kind) {
    switch (kind) {
        case CServerMessage::Text:
            return "TEXT";
        case CServerMessage::Level1:
            return "LEVEL1";
        case CServerMessage::Datagram:
            return "DATAGRAM";
        case CServerMessage::Local:
            return "LOCAL";
    }
    return "?";
}

void Print(const CServerMessage& message) {
    std::string line = KindName(message.kind);
    line += ' ';
    line += std::to_string(message.kind == CServerMessage::Text ? -1 : message.number);
    line += " <";
    Escape(message.header, true, line);
    line += "> ";
    line += std::to_string(message.tag);
    line += ' ';
    line += std::to_string(message.fields.size());
    line += " [";
    for (size_t i = 0; i < message.fields.size(); ++i) {
        if (i) line += '|';
        Escape(message.fields[i], false, line);
    }
    line += "]\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
}

class DumpHost : public IStreamParserHost, public IServerMessageSink {
  public:
    explicit DumpHost(bool debug) : m_debug(debug) {}
    bool IsConnected() const override { return false; }
    void SendToServer(std::string_view) override {}
    void ShowStatus(StatusText) override {}
    void PostMessage(std::unique_ptr<CServerMessage> message) override { Print(*message); }
    bool DebugEnabled() const override { return m_debug; }
    int Receive(std::unique_ptr<CServerMessage>& message) override {
        Print(*message);
        return 1;
    }

  private:
    bool m_debug;
};

int Usage() {
    std::fprintf(stderr, "usage: kd-streamdump [--chunk N] [--debug] < bytes\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    size_t chunk = 4095;  // what one socket receive hands the parser
    bool debug = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--chunk") == 0 && i + 1 < argc) {
            char* end = nullptr;
            const long n = std::strtol(argv[++i], &end, 10);
            if (!end || *end || n <= 0) return Usage();
            chunk = static_cast<size_t>(n);
        } else if (std::strcmp(argv[i], "--debug") == 0) {
            debug = true;
        } else {
            return Usage();
        }
    }
    DumpHost host(debug);
    CStreamParser parser(host);
    parser.SetMainSink(&host);
    std::vector<char> buffer(chunk);
    size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), stdin)) > 0) {
        parser.ProcessBytes(buffer.data(), n);
    }
    return 0;
}
