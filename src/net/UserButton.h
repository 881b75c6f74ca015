// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <string>
#include <string_view>

// The names a user button's macros stand for, as the connection knows them
// when the button is pressed. Unknown names are empty.
struct UserButtonNames {
    std::string teller;    // %teller: whoever told the user something last
    std::string opponent;  // %opp
    std::string white;     // %white
    std::string black;     // %black
};

// What pressing a user button sends.
struct UserButtonLine {
    std::string line;  // ends in "\n"; no "%newwindow" left in it
    // "%newwindow" was in the text: the reply goes to a new console.
    bool newWindow = false;
};

// Fills in the macros of a button's command text. Every occurrence is
// replaced, and replacements are not scanned again, so a name that itself
// reads "%opp" stays as it is.
UserButtonLine ExpandUserButton(std::string_view text, const UserButtonNames& names);
