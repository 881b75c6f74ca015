// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "net/PopupContent.h"

#include "net/DatagramTable.h"
#include "net/ServerMessage.h"

namespace {

// The challenger's name with titles and rating: "bob(GM)(1800)",
// "bob(1500 [provisional])", "bob(----)".
std::string ChallengerText(const CServerMessage& m) {
    std::string text = m.Field(1);
    if (!m.Field(4).empty()) text += "(" + m.Field(4) + ")";
    switch (m.FieldInt(3)) {
        case 0:
            text += "(----)";
            break;
        case 1:
            text += "(" + m.Field(2) + " [provisional])";
            break;
        default:
            text += "(" + m.Field(2) + ")";
            break;
    }
    return text;
}

// Written from the number, so that a field that already carries its sign
// does not get a second one.
std::string Signed(int value) {
    return value > 0 ? "+" + std::to_string(value) : std::to_string(value);
}

}  // namespace

PopupContent PopupContent::ForChallenge(const CServerMessage& m) {
    PopupContent popup;
    const std::string& challenger = m.Field(1);
    std::string& text = popup.text;
    text = ChallengerText(m) + " challenges you to a game of\r\n  ";
    text += m.FieldInt(11) != 0 ? "Rated " : "Unrated ";
    if (m.FieldInt(9) != 0) {
        text += "Wild " + m.Field(9) + " ";
    } else {
        text += m.Field(10) + " ";
    }
    if (m.FieldInt(13) == m.FieldInt(15) && m.FieldInt(14) == m.FieldInt(16)) {
        text += "time=" + std::to_string(m.FieldInt(13)) + " inc=" + std::to_string(m.FieldInt(14));
    } else {
        text += "your time=" + m.Field(15) + " inc=" + m.Field(16) + "\r\n" + challenger +
                "'s time=" + m.Field(13) + " inc=" + m.Field(14);
    }
    if (m.FieldInt(12) != 0) text += "\r\n[Adjourned game]";
    if (const int colour = m.FieldInt(17); colour != -1) {
        text += colour == 0 ? "\r\n[Challenger plays Black]" : "\r\n[Challenger plays White]";
    }
    if (m.FieldCount() > 18) {
        text += "\r\nRating changes: Loss " + Signed(m.FieldInt(18)) + "   Draw " +
                Signed(m.FieldInt(19)) + "   Win " + Signed(m.FieldInt(20));
    }
    popup.title = "You have been challenged...";
    popup.firstLabel = "Accept";
    popup.secondLabel = "Decline";
    popup.name = challenger;
    popup.firstCommand = "Accept " + challenger + "\n";
    popup.secondCommand = "Decline " + challenger + "\n";
    return popup;
}

PopupContent PopupContent::ForSuggestion(const CServerMessage& m) {
    PopupContent popup;
    const bool url = m.number == DG_SUGGESTION_91;
    popup.text = m.Field(4) + " suggests: " + m.Field(2) + "\r\n\r\n" +
                 (url ? "URL: " : "Command to be issued: ") + m.Field(1);
    popup.firstLabel = "OK";
    popup.secondLabel = "Cancel";
    popup.id = m.Field(6);
    popup.name = m.Field(4);
    popup.url = url;
    popup.firstCommand = url ? m.Field(1) : m.Field(1) + "\n";
    popup.title =
        m.FieldCount() > 5 && !m.Field(5).empty() ? m.Field(5) : m.Field(4) + " suggests...";
    return popup;
}

std::string PopupContent::SuggestFailedLine(std::string_view name, std::string_view url,
                                            std::string_view id) {
    std::string line = "\x18Wsuggestfailed ";
    line.append(name).append(" ").append(url).append(" ").append(id).append("\n");
    return line;
}
