// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <string_view>

#include "EventBoard.h"

class ClientSession;
class ServerCore;

// "announce-event" and "remove-event": anyone may change the event board on
// this test server. Every change goes at once to the clients that switched
// on datagram 103 (an event) or 104 (an event that ended).
class EventCommands {
  public:
    static constexpr int kMaxId = 99999;

    static void Announce(ServerCore& core, ClientSession& session, std::string_view args);
    static void Remove(ServerCore& core, ClientSession& session, std::string_view args);

    // Datagram 103 for one event.
    static void SendEvent(ClientSession& to, const EventBoard::Event& event);
};
