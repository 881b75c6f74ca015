// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

// The level-2 datagrams the test server sends, by the names the client knows
// them under (without the DG_ prefix). The numbers are the wire protocol's
// and never change.
enum class Dg : int {
    WhoAmI = 0,
    ChannelText = 28,
    Challenge = 29,
    ChallengeRemoved = 30,
    TellText = 31,
    ShoutText = 32,
    MyVariable = 47,
    MyStringVariable = 48,
    GameNotify = 53,
    TellEcho = 62,
    Suggestion = 63,
    NotifyArrived = 64,
    NotifyDeparted = 65,
    NotifyFlag = 68,
    RatingCategory = 76,
    InfoLine = 77,
    NotifyStage = 81,
    ChannelQuote = 82,
    PersonalQuote = 83,
    SaveGameText = 86,
    MyRatings = 87,
    Suggestion91 = 91,
    SuggestionRemoved = 99,
    SetLogin = 114,
    WildName = 116,
    WildNamesVersion = 119,
    Redirect = 120,
};
