// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "EventBoard.h"

EventBoard::EventBoard() {
    Put({1, 0, "Blitz Arena: three-minute games for an hour, starting at 20:00 server time.",
         "+channel 50&tell 50 hi", "observe 1", "http://www.example.org/events/blitz-arena",
         "Join the Blitz Arena? You will be paired automatically."});
    Put({2, GuestsWelcome | UntaggedWatch, "Live broadcast: the city championship, round 5.", "",
         "observe 1", "http://www.example.org/broadcast/round-5", ""});
    Put({3, GuestsWelcome | UntaggedInformation,
         "Lecture: rook endings for beginners, with Judit. Everyone is welcome.",
         "+channel 60&tell 60 hello from the lecture", "", "finger Judit", ""});
}

bool EventBoard::Put(const Event& event) {
    if (!m_events.contains(event.id) && m_events.size() >= kMaxEvents) return false;
    m_events[event.id] = event;
    return true;
}

bool EventBoard::Remove(int id) {
    return m_events.erase(id) != 0;
}
