// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "lists/GameListText.h"

#include <algorithm>
#include <array>
#include <charconv>

std::string CGameListText::ResultCode(int kind, int code, int winner) {
    const bool w = winner != 0;
    switch (kind) {
        case 0:
            switch (code) {
                case 0:
                case 7:
                    return "Res";
                case 1:
                case 8:
                    return "Mat";
                case 2:
                case 9:
                    return "Fla";
                case 3:
                    return "Adj";
                case 4:
                case 5:
                case 6:
                case 10:
                case 11:
                    return w ? "WQ" : "BQ";
                default:
                    return w ? "0-1" : "1-0";
            }
        case 1: {
            static constexpr std::array<const char*, 10> kDrawn = {
                "Agr", "Sta", "Rep", "50", "TM", "NM", "NT", "Adj", "Agr", "NT"};
            if (code >= 10) return "1/2";
            // A negative code is a damaged datagram; it shows like an unknown one.
            if (code < 0) return "?";
            return kDrawn[static_cast<size_t>(code)];
        }
        case 3:
            switch (code) {
                case 0:
                    return "Agr";
                case 1:
                case 6:
                    return w ? "WQ" : "BQ";
                case 2:
                    return "SD";
                case 3:
                    return w ? "WA" : "BA";
                case 4:
                case 10:
                    return "Adj";
                case 5:
                case 7:
                case 8:
                case 9:
                    return "Sho";
                default:
                    return "?";
            }
        default:
            return "?";
    }
}

std::string CGameListText::Result(int kind, int code, int winner) {
    std::string text;
    if (kind == 0)
        text = winner != 0 ? "0-1" : "1-0";
    else if (kind == 1)
        text = "1/2-1/2";
    else
        text = "*";
    const std::string codeText = ResultCode(kind, code, winner);
    if (codeText != "?") text += " " + codeText;
    return text;
}

std::string CGameListText::ResultMark(int kind, int winner, int ownerWhite) {
    if (kind == 0) return winner != ownerWhite ? "+" : "-";
    if (kind == 1) return "=";
    return "a";
}

std::string CGameListText::TimeControls(int minutes, int increment, int wildType,
                                        std::string_view wildText, bool rated,
                                        const std::vector<std::string>& wildNames) {
    std::string wild;
    if (wildType < 1 || wildType > 3)
        wild = "w" + std::string(wildText);
    else if (static_cast<size_t>(wildType) < wildNames.size())
        wild = wildNames[static_cast<size_t>(wildType)];
    return std::to_string(minutes) + " " + std::to_string(increment) + " [" + wild + " " +
           (rated ? 'r' : 'u') + "]";
}

std::string CGameListText::StoredMarks(bool opponentPresent, int code, int winner, int ownerWhite) {
    std::string marks = opponentPresent ? "+" : "";
    if (code == 1 && winner == ownerWhite)
        marks += "!";
    else if (code == 3 && winner != ownerWhite)
        marks += "?";
    return marks;
}

int CGameListText::Rating(std::string_view field) {
    if (field == "++++") return -1;
    if (field == "----") return 0;
    int value = 0;
    // Leading blanks and a sign are the server's; anything after the digits
    // is ignored, as a number read from text always was.
    while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
    if (!field.empty() && field.front() == '+') field.remove_prefix(1);
    const auto [ptr, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    (void)ptr;
    return ec == std::errc() ? value : 0;
}

std::vector<int> CGameListText::ColumnWidths(std::string_view text, size_t count) {
    std::vector<int> widths;
    while (widths.size() < count && !text.empty()) {
        const size_t comma = text.find(',');
        std::string_view part = text.substr(0, comma);
        while (!part.empty() && part.front() == ' ') part.remove_prefix(1);
        while (!part.empty() && part.back() == ' ') part.remove_suffix(1);
        long long value = 0;
        const auto [end, ec] = std::from_chars(part.data(), part.data() + part.size(), value);
        if (part.empty() || ec != std::errc() || end != part.data() + part.size()) break;
        // A damaged file must not make a column absurdly wide.
        widths.push_back(static_cast<int>(std::clamp<long long>(value, -1, 4000)));
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    return widths;
}

int CGameListText::ResultOrder(int kind, int winner) {
    if (kind == 1) return 1;
    if (kind != 0) return kind + 1;
    return winner > 0 ? 2 : 0;
}
