// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <string>
#include <string_view>

class CServerMessage;

// Everything a challenge or suggestion popup shows and does, built from the
// datagram without any window, so that the texts and commands can be checked
// byte for byte. The console's popup list turns one into a CTriChoiceDlg.
struct PopupContent {
    std::string title;
    // Line breaks are "\r\n", as the texts have always been written.
    std::string text;
    std::string firstLabel;
    std::string secondLabel;
    // The suggestion's identifier (datagram 99 closes by it); empty for challenges.
    std::string id;
    // The first command is a web address to open rather than a command to send.
    bool url = false;
    // The challenger or suggester (datagram 30 closes by it).
    std::string name;
    std::string firstCommand;
    std::string secondCommand;

    // Datagram 29 (DG_CHALLENGE).
    static PopupContent ForChallenge(const CServerMessage& challenge);
    // Datagrams 63 (DG_SUGGESTION) and 91 (DG_SUGGESTION_91).
    static PopupContent ForSuggestion(const CServerMessage& suggestion);
    // Tells the server that a suggested address could not be opened.
    static std::string SuggestFailedLine(std::string_view name, std::string_view url,
                                         std::string_view id);
};
