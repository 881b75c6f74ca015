// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <span>
#include <string>

// How the client asks for a datagram.
enum class DatagramRequest {
    Login,            // in the login request line
    LoginIfSetting,   // in the login request line under a setting
    LoginAndRunTime,  // in the login line, and switched again at run time
    RunTime,          // switched on by the window that needs it
    Never,
};

struct DatagramInfo {
    int number;
    const char* name;
    DatagramRequest request;
};

// Every datagram the client knows, in number order.
std::span<const DatagramInfo> DatagramTable();
// The entry for a number, or nullptr.
const DatagramInfo* FindDatagram(int number);

// "level2settings=...\n": position n is "1" when datagram n is wanted at
// login. Game lists (72, 73) only when `bypassGamelist` is 0; suggestions
// (63) only when `qsuggest` is non-zero.
std::string Level2SettingsLine(int bypassGamelist, int qsuggest);
// Sent right after the request line.
inline constexpr const char* kLevel1Line = "level1=15\n";
