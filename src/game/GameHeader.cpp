// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "game/GameHeader.h"

#include <cstdio>
#include <cstdlib>

#include "net/ServerMessage.h"

void GameHeader::Read(const CServerMessage& m, bool gameStart) {
    gameNumber = m.FieldInt(1);
    names[1] = m.Field(2);
    names[0] = m.Field(3);
    wild = m.FieldInt(4);
    ratingType = m.Field(5);
    rated = m.FieldInt(6) != 0;
    initialMinutes[1] = m.FieldInt(7);
    incrementSeconds[1] = m.FieldInt(8);
    initialMinutes[0] = m.FieldInt(9);
    incrementSeconds[0] = m.FieldInt(10);
    gameOver = m.FieldInt(11) == 0;
    ratings[1] = m.FieldInt(13);
    ratings[0] = m.FieldInt(14);
    // The identifier is unsigned 32-bit; FieldInt would clip the upper half.
    gameId = static_cast<uint32_t>(std::strtoul(m.Field(15).c_str(), nullptr, 10));
    titles[1] = m.Field(16);
    titles[0] = m.Field(17);
    localCheck = m.FieldInt(18) == 0;
    dropGame = m.FieldInt(20) != 0;
    untimed = m.Field(21) == "?" || m.Field(21) == "untimed";
    if (gameStart && m.FieldCount() > 22) kingPromotion = m.FieldInt(22) != 0;
}

std::string GameHeader::LabelText(int side, bool showMaterial, int material) const {
    const int s = side & 1;
    std::string text = names[s];
    if (!titles[s].empty()) text += " (" + titles[s] + ")";
    if (ratings[s] > 0) text += " " + std::to_string(ratings[s]);
    if (showMaterial) text += " (" + std::to_string(material) + ")";
    return text;
}

std::string GameHeader::InfoLine(bool inactive, bool examined) const {
    char head[64];
    std::snprintf(head, sizeof head, "%d %d %c ", initialMinutes[1], incrementSeconds[1],
                  rated ? 'r' : 'u');
    std::string text = head;
    if (wild != 0 && wild != 17 && wild != 24) {
        text += "w" + std::to_string(wild);
    } else {
        text += ratingType;
    }
    if (inactive) {
        text += " (inactive)";
    } else if (examined) {
        text += " (examined)";
    }
    return text;
}

std::string GameHeader::Title(const GameHeader& header, int shownNumber, const char* status) {
    if (shownNumber < 0) return "(no game yet)";
    std::string text =
        std::string(status) + " Game #" + std::to_string(shownNumber) + " - " + header.names[1];
    if (!header.titles[1].empty()) text += "(" + header.titles[1] + ")";
    text += " - " + header.names[0];
    if (!header.titles[0].empty()) text += "(" + header.titles[0] + ")";
    return text;
}
