// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

// What the server has told us about the logged-in user, per connection: the
// confirmed handle, the ratings and their category names, the server
// variables the offer dialogs edit, the last person who told us something.
// The connection document holds one; the main console's dispatcher writes
// it from the datagrams, and the windows and dialogs read it.
struct ServerValues {
    // A category number past this is not a category but a damaged datagram;
    // growing the tables for it would cost memory for nothing.
    static constexpr int kMaxCategories = 256;
    static constexpr int kNoteCount = 10;

    ServerValues();

    // Datagram 47: a known integer variable takes the value (a boolean one
    // takes 1 for any non-zero value). False for a name we do not mirror.
    bool SetVariable(std::string_view name, int value);
    // Datagram 48: "formula", "sfilter" and "note1" to "note10".
    bool SetStringVariable(std::string_view name, std::string_view text);
    // Datagram 76.
    void SetCategoryName(int index, std::string_view name);
    // Datagram 87: ratings[i - 1] := field i.
    void SetRating(int category, int rating);

    std::string ownHandle;
    bool computerAccount = false;
    std::vector<std::string> categoryNames;  // by category number
    std::vector<int> ratings;                // by category number - 1
    std::string lastTeller;
    int gamesPlaying = 0;
    std::string wildNameVersion;

    int time = 2;
    int increment = 12;
    int wild = 0;
    int rated = 1;
    int reg = 1;
    int examine = 1;
    int autoflag = 1;
    int open = 1;
    int shout = 1;
    int sshout = 1;
    int tell = 0;
    int unobserve = 0;
    int ctell = 0;
    int ropen = 1;
    int wopen = 1;
    int noescape = 0;
    int bell = 1;
    int kibitz = 1;
    int seek = 1;
    int mood = 0;
    int quietplay = 0;
    int minseek = 0;
    int maxseek = 9999;
    int manualaccept = 0;
    int useformula = 0;
    std::string formula;
    std::string sfilter;
    std::array<std::string, kNoteCount> notes;  // note1 .. note10
};
