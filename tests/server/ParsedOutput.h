// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "net/StreamParser.h"

// Server output as the client's own parser reads it: every message, in order.
inline std::vector<std::unique_ptr<CServerMessage>> ParseServerOutput(std::string_view bytes) {
    class CollectingHost : public IStreamParserHost {
      public:
        bool IsConnected() const override { return true; }
        void SendToServer(std::string_view) override {}
        void ShowStatus(StatusText) override {}
        void PostMessage(std::unique_ptr<CServerMessage> message) override {
            messages.push_back(std::move(message));
        }
        std::vector<std::unique_ptr<CServerMessage>> messages;
    };
    CollectingHost host;
    CStreamParser parser(host);
    parser.ProcessBytes(bytes);
    return std::move(host.messages);
}
