// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "net/DatagramTable.h"

#include <algorithm>

namespace {

using R = DatagramRequest;

constexpr DatagramInfo kTable[] = {
    {0, "DG_WHO_AM_I", R::LoginAndRunTime},
    {15, "DG_GAME_STARTED", R::Login},
    {16, "DG_GAME_RESULT", R::Login},
    {18, "DG_GAME_STARTED_18", R::Login},
    {21, "DG_OFFERS", R::Login},
    {22, "DG_UNDO_MOVES", R::Login},
    {23, "DG_UNDO_MOVES_2", R::Login},
    {24, "DG_MOVE", R::Login},
    {25, "DG_POSITION_AND_MOVES", R::Login},
    {26, "DG_KIBITZ_TEXT", R::Login},
    {28, "DG_CHANNEL_TEXT", R::Login},
    {29, "DG_CHALLENGE", R::Login},
    {30, "DG_CHALLENGE_REMOVED", R::Login},
    {31, "DG_TELL_TEXT", R::Login},
    {32, "DG_SHOUT_TEXT", R::Login},
    {37, "DG_PIECES_IN_HAND", R::Login},
    {39, "DG_FLIP", R::Login},
    {40, "DG_GAME_STARTED_40", R::Login},
    {41, "DG_RAISE_WINDOW", R::Login},
    {42, "DG_ILLEGAL_MOVE", R::Login},
    {43, "DG_RELATION", R::Login},
    {47, "DG_MY_VARIABLE", R::RunTime},
    {48, "DG_MY_STRING_VARIABLE", R::RunTime},
    {50, "DG_SEEK", R::RunTime},
    {51, "DG_SEEK_REMOVED", R::RunTime},
    {53, "DG_GAME_NOTIFY", R::Login},
    {56, "DG_SET_CLOCK", R::Login},
    {59, "DG_CIRCLE", R::Login},
    {60, "DG_ARROW", R::Login},
    {61, "DG_CLOCK_ADD", R::Login},
    {62, "DG_TELL_ECHO", R::Login},
    {63, "DG_SUGGESTION", R::LoginIfSetting},
    {64, "DG_NOTIFY_ARRIVED", R::RunTime},
    {65, "DG_NOTIFY_DEPARTED", R::RunTime},
    {68, "DG_NOTIFY_FLAG", R::RunTime},
    {72, "DG_GAMELIST_BEGIN", R::LoginIfSetting},
    {73, "DG_GAMELIST_ITEM", R::LoginIfSetting},
    {76, "DG_RATING_CATEGORY", R::Login},
    {77, "DG_INFO_LINE", R::Login},
    {81, "DG_NOTIFY_STAGE", R::RunTime},
    {82, "DG_CHANNEL_QUOTE", R::Login},
    {83, "DG_PERSONAL_QUOTE", R::Login},
    {84, "DG_SET_BOARD", R::Login},
    {86, "DG_SAVE_GAME_TEXT", R::Login},
    {87, "DG_MY_RATINGS", R::RunTime},
    {89, "DG_UNCIRCLE", R::Login},
    {90, "DG_UNARROW", R::Login},
    {91, "DG_SUGGESTION_91", R::Login},
    {92, "DG_CLIENT_REPORT_REQUEST", R::Login},
    {98, "DG_CLIENT_INFO_STORE", R::Login},
    {99, "DG_SUGGESTION_REMOVED", R::Login},
    {100, "DG_GAME_HEADER", R::Login},
    {103, "DG_EVENT", R::RunTime},
    {104, "DG_EVENT_REMOVED", R::RunTime},
    {105, "DG_DIALOG_BEGIN", R::Login},
    {106, "DG_DIALOG_DATA", R::Login},
    {107, "DG_DIALOG_DEFAULT", R::Login},
    {108, "DG_DIALOG_SHOW", R::Login},
    {109, "DG_DIALOG_CLOSE", R::Login},
    {114, "DG_SET_LOGIN", R::Login},
    {116, "DG_WILD_NAME", R::RunTime},
    {118, "DG_CLIENT_INFO_ECHO", R::Login},
    {119, "DG_WILD_NAMES_VERSION", R::Login},
    {120, "DG_REDIRECT", R::Login},
    {122, "DG_PLUGIN_AUTH_RESULT", R::Login},
};

// Asked for at login although no window of the client uses them: only
// plug-ins see them.
constexpr int kPluginOnly[] = {33, 34, 36, 85};

}  // namespace

std::span<const DatagramInfo> DatagramTable() {
    return kTable;
}

const DatagramInfo* FindDatagram(int number) {
    const auto it = std::lower_bound(std::begin(kTable), std::end(kTable), number,
                                     [](const DatagramInfo& d, int n) { return d.number < n; });
    return it != std::end(kTable) && it->number == number ? it : nullptr;
}

std::string Level2SettingsLine(int bypassGamelist, int qsuggest) {
    std::string bits(123, '0');
    for (const DatagramInfo& d : kTable) {
        bool wanted = d.request == R::Login || d.request == R::LoginAndRunTime;
        if (d.request == R::LoginIfSetting) {
            wanted = (d.number == 63) ? qsuggest != 0 : bypassGamelist == 0;
        }
        if (wanted) bits[d.number] = '1';
    }
    for (int n : kPluginOnly) bits[n] = '1';
    bits.erase(bits.find_last_of('1') + 1);
    return "level2settings=" + bits + "\n";
}
