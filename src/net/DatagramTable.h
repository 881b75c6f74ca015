// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <span>
#include <string>

// Every datagram number the client knows. Plain (not scoped) so that a
// message's number compares with them directly.
enum DatagramNumber : int {
    DG_WHO_AM_I = 0,
    DG_GAME_STARTED = 15,
    DG_GAME_RESULT = 16,
    DG_GAME_STARTED_18 = 18,
    DG_OFFERS = 21,
    DG_UNDO_MOVES = 22,
    DG_UNDO_MOVES_2 = 23,
    DG_MOVE = 24,
    DG_POSITION_AND_MOVES = 25,
    DG_KIBITZ_TEXT = 26,
    DG_CHANNEL_TEXT = 28,
    DG_CHALLENGE = 29,
    DG_CHALLENGE_REMOVED = 30,
    DG_TELL_TEXT = 31,
    DG_SHOUT_TEXT = 32,
    // Asked for at login only so that plug-ins see them; no window uses them.
    DG_PLUGIN_ONLY_33 = 33,
    DG_PLUGIN_ONLY_34 = 34,
    DG_PLUGIN_ONLY_36 = 36,
    DG_PIECES_IN_HAND = 37,
    // Never asked for, but dropped without a word should a server send it.
    DG_UNNAMED_38 = 38,
    DG_FLIP = 39,
    DG_GAME_STARTED_40 = 40,
    DG_RAISE_WINDOW = 41,
    DG_ILLEGAL_MOVE = 42,
    DG_RELATION = 43,
    DG_MY_VARIABLE = 47,
    DG_MY_STRING_VARIABLE = 48,
    DG_SEEK = 50,
    DG_SEEK_REMOVED = 51,
    DG_GAME_NOTIFY = 53,
    DG_SET_CLOCK = 56,
    DG_UNNAMED_57 = 57,
    DG_CIRCLE = 59,
    DG_ARROW = 60,
    DG_CLOCK_ADD = 61,
    DG_TELL_ECHO = 62,
    DG_SUGGESTION = 63,
    DG_NOTIFY_ARRIVED = 64,
    DG_NOTIFY_DEPARTED = 65,
    DG_NOTIFY_FLAG = 68,
    DG_GAMELIST_BEGIN = 72,
    DG_GAMELIST_ITEM = 73,
    DG_RATING_CATEGORY = 76,
    DG_INFO_LINE = 77,
    DG_NOTIFY_STAGE = 81,
    DG_CHANNEL_QUOTE = 82,
    DG_PERSONAL_QUOTE = 83,
    DG_SET_BOARD = 84,
    DG_PLUGIN_ONLY_85 = 85,
    DG_SAVE_GAME_TEXT = 86,
    DG_MY_RATINGS = 87,
    DG_UNCIRCLE = 89,
    DG_UNARROW = 90,
    DG_SUGGESTION_91 = 91,
    DG_CLIENT_REPORT_REQUEST = 92,
    DG_CLIENT_INFO_STORE = 98,
    DG_SUGGESTION_REMOVED = 99,
    DG_GAME_HEADER = 100,
    DG_EVENT = 103,
    DG_EVENT_REMOVED = 104,
    DG_DIALOG_BEGIN = 105,
    DG_DIALOG_DATA = 106,
    DG_DIALOG_DEFAULT = 107,
    DG_DIALOG_SHOW = 108,
    DG_DIALOG_CLOSE = 109,
    DG_SET_LOGIN = 114,
    DG_WILD_NAME = 116,
    DG_CLIENT_INFO_ECHO = 118,
    DG_WILD_NAMES_VERSION = 119,
    DG_REDIRECT = 120,
    DG_PLUGIN_AUTH_RESULT = 122,
};

// How the client asks for a datagram.
enum class DatagramRequest {
    Login,                      // in the login request line
    LoginAndRunTime,            // in the login line, and switched again at run time
    LoginIfSuggestions,         // in the login line while "Qsuggest" is non-zero
    LoginUnlessBypassGamelist,  // in the login line while "BypassGamelist" is 0
    RunTime,                    // switched on by the window that needs it
    Never,
};

// What the main console does with a datagram that no other window took.
enum class Unclaimed {
    Console,  // its console text, if it has any, or its own handling
    Silent,   // dropped without a word: the window it was meant for is closed
};

struct DatagramInfo {
    DatagramNumber number;
    const char* name;
    DatagramRequest request;
    Unclaimed unclaimed;
};

// Every datagram the client knows, in number order.
std::span<const DatagramInfo> DatagramTable();
// The entry for a number, or nullptr.
const DatagramInfo* FindDatagram(int number);
// True for the datagrams the main console drops silently when it gets them.
bool DroppedSilently(int number);

// "level2settings=...\n": position n is "1" when datagram n is wanted at
// login, under the two settings that decide about suggestions and game lists.
std::string Level2SettingsLine(int bypassGamelist, int qsuggest);
// Sent right after the request line.
inline constexpr const char* kLevel1Line = "level1=15\n";
// Level-1 command whose output never reaches a console.
inline constexpr int kLevel1Silent = 206;
