// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The texts and keys a game list makes from the fields of one game: the
// short result code, the time controls, the stored-list marks and the
// numbers rows sort by. Kept apart from the window so the tables read as
// tables.
class CGameListText {
  public:
    // "Res", "Mat", "Agr", "1/2", "?"... from result kind, result code and
    // winner colour (0 white won, anything else black).
    static std::string ResultCode(int kind, int code, int winner);
    // "1-0", "0-1", "1/2-1/2" or "*", then the result code unless it is "?".
    static std::string Result(int kind, int code, int winner);
    // The player-centred list's mark: "+" the owner won, "-" lost, "="
    // drawn, "a" not finished.
    static std::string ResultMark(int kind, int winner, int ownerWhite);
    // "%d %d [%s %c]": wild types 1 to 3 take their names from the
    // connection's wild-name list, others read "w" and the wild text.
    static std::string TimeControls(int minutes, int increment, int wildType,
                                    std::string_view wildText, bool rated,
                                    const std::vector<std::string>& wildNames);
    // Column 0 of a stored list: "+" opponent present, then "!" adjourned
    // when the player disconnected or "?" courtesy-adjourned by the opponent.
    static std::string StoredMarks(bool opponentPresent, int code, int winner, int ownerWhite);
    // "++++" is -1 (below every real rating), "----" is 0.
    static int Rating(std::string_view field);
    // Up to `count` widths from a settings value "%d,%d,...": reading stops
    // at the first part that is not a number, and each width is kept within
    // -1 (heading width) and 4000.
    static std::vector<int> ColumnWidths(std::string_view text, size_t count);
    // The order results sort in: white won, drawn, black won, then the rest.
    static int ResultOrder(int kind, int winner);
};
