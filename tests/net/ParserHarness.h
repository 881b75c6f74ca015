// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "net/StreamParser.h"

// A connection stand-in for parser tests: records what the parser posts,
// what it shows synchronously, what it sends and which status it sets.
class ParserHarness : public IStreamParserHost, public IServerMessageSink {
  public:
    ParserHarness() : parser(*this) { parser.SetMainSink(this); }

    bool IsConnected() const override { return connected; }
    void SendToServer(std::string_view text) override { sent.emplace_back(text); }
    void ShowStatus(StatusText text) override { status.push_back(static_cast<int>(text)); }
    void PostMessage(std::unique_ptr<CServerMessage> m) override { posted.push_back(std::move(m)); }
    bool DebugEnabled() const override { return debug; }
    int Receive(std::unique_ptr<CServerMessage>& m) override {
        local.push_back(std::move(m));
        return 1;
    }

    // Feeds the bytes in pieces of `chunk` bytes (0 = all at once).
    void Feed(const std::string& bytes, size_t chunk = 0) {
        if (chunk == 0) chunk = bytes.size() ? bytes.size() : 1;
        for (size_t i = 0; i < bytes.size(); i += chunk) {
            parser.ProcessBytes(bytes.data() + i, std::min(chunk, bytes.size() - i));
        }
    }

    // Everything posted, as one line per message: kind, number, header, tag
    // and fields joined by '|'.
    std::vector<std::string> Summary() const {
        std::vector<std::string> out;
        for (const auto& m : posted) {
            std::string line = std::to_string(m->kind) + " " + std::to_string(m->number) + " " +
                               m->header + " " + std::to_string(m->tag) + " [";
            for (size_t i = 0; i < m->fields.size(); ++i) line += (i ? "|" : "") + m->fields[i];
            out.push_back(line + "]");
        }
        return out;
    }

    bool connected = false;
    bool debug = false;
    std::vector<std::string> sent;
    std::vector<int> status;
    std::vector<std::unique_ptr<CServerMessage>> posted;
    std::vector<std::unique_ptr<CServerMessage>> local;
    CStreamParser parser;
};
