// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

// The client events that can play a sound. The numbers are stored in the
// settings file ("Event%d" keys, the "Mute" string by position), so they
// never change.
enum class SoundEvent : int {
    PersonalTell = 0,
    GameStart = 1,
    GameEndOther = 2,
    IllegalMove = 3,
    Challenge = 4,
    NotifyArrived = 5,
    Alert = 6,
    OfferOther = 7,
    Move = 8,
    MoveCapture = 9,
    MoveCastle = 10,
    MovePlunk = 11,
    NotifyLeft = 12,
    GameEndWin = 13,
    GameEndLoss = 14,
    GameEndDraw = 15,
    OfferDraw = 16,
    GameNotify = 17,
    Announcement = 18,
    SShout = 19,
    KibitzWhisper = 20,
    Connection = 21,
    Disconnection = 22,
};

inline constexpr int kSoundEventCount = 23;
