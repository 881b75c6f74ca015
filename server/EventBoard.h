// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <map>
#include <string>

// The server's scheduled and running events (tournaments, broadcasts,
// lectures) while the server runs: what datagram 103 tells a client about
// each. The server starts with three, so that a client's event list has
// something to show; "announce-event" and "remove-event" change them.
class EventBoard {
  public:
    // Flag bits, as the client reads them.
    enum Flag { GuestsWelcome = 1, UntaggedJoin = 2, UntaggedWatch = 4, UntaggedInformation = 8 };
    // Events the board holds at most, so that a client cannot grow it
    // without end.
    static constexpr size_t kMaxEvents = 50;

    struct Event {
        int id = 0;
        int flags = 0;
        std::string description;
        std::string join;
        std::string watch;
        std::string information;
        std::string question;  // asked before Join; empty for none
    };

    EventBoard();

    const std::map<int, Event>& All() const { return m_events; }
    // Adds or replaces the event of its id; false when the board is full.
    bool Put(const Event& event);
    // False when there was no such event.
    bool Remove(int id);

  private:
    std::map<int, Event> m_events;
};
