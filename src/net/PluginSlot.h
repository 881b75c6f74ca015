// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "net/PluginRecords.h"

class CServerMessage;

// What the client knows about one plug-in of one connection: its name and
// declared number, what it subscribed to, and whether the server approved
// it. The connection's plug-in host keeps one per plug-in and feeds it the
// records the plug-in sends; the rules of what a plug-in may see live here
// so that they do not depend on how the records travel.
class CPluginSlot {
  public:
    static constexpr size_t kMaxName = 20;
    static constexpr int16_t kUndeclared = -1;
    // Position n: datagram n reaches an unapproved plug-in while the user
    // plays. Everything past the end (and every level-1 block) does not.
    static constexpr std::string_view kAllowedWhilePlaying =
        "1110000000001111111111110011011000000000000110000000110000000001110001000000100000110001"
        "000101000101";

    // What a record asks the connection to do.
    enum class Effect { None, Named, Declared, SendToServer, ShowText };
    struct Outcome {
        Effect effect = Effect::None;
        std::string text;
    };

    // Forgets everything of an earlier launch.
    void Reset();
    Outcome Apply(const PluginRecord& record);

    const std::string& Name() const { return m_name; }
    int16_t Declared() const { return m_declared; }
    bool Ready() const { return !m_name.empty() && m_declared != kUndeclared; }
    void SetDigest(std::string digest) { m_digest = std::move(digest); }
    // Datagram 122: approves the plug-in when `text` is its digest.
    bool ApplyAuthResult(std::string_view text);

    // Whether `message` goes to this plug-in, given the user's situation.
    bool Receives(const CServerMessage& message, int gamesPlaying, bool computerAccount) const;

    // Messages an unapproved plug-in may not see while the user plays.
    static bool Restricted(const CServerMessage& message, int gamesPlaying, bool computerAccount);
    // The name a type-1 record gives: the first line, trimmed, cut to 20.
    static std::string CleanName(std::string_view text);
    // The 0x18 line that asks the server to approve plug-in `index`.
    std::string AuthenticateLine(int index) const;

    // Pipe numbers of plug-in `index` of `count` in document `document`.
    static int ReceivePipe(int count, int document, int index) {
        return 2 * count * document + 2 * index;
    }
    static int SendPipe(int count, int document, int index) {
        return ReceivePipe(count, document, index) + 1;
    }

  private:
    bool Subscribed(const CServerMessage& message) const;

    std::string m_name;
    int16_t m_declared = kUndeclared;
    std::vector<int16_t> m_level1;
    std::vector<int16_t> m_datagrams;
    bool m_authenticated = false;
    std::string m_digest;
};
