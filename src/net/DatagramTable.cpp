// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "net/DatagramTable.h"

#include <algorithm>

namespace {

using R = DatagramRequest;
constexpr Unclaimed C = Unclaimed::Console;
constexpr Unclaimed S = Unclaimed::Silent;

#define ROW(name, request, unclaimed) \
    { name, #name, request, unclaimed }

constexpr DatagramInfo kTable[] = {
    ROW(DG_WHO_AM_I, R::LoginAndRunTime, C),
    ROW(DG_GAME_STARTED, R::Login, C),
    ROW(DG_GAME_RESULT, R::Login, S),
    ROW(DG_GAME_STARTED_18, R::Login, C),
    ROW(DG_OFFERS, R::Login, C),
    ROW(DG_UNDO_MOVES, R::Login, S),
    ROW(DG_UNDO_MOVES_2, R::Login, S),
    ROW(DG_MOVE, R::Login, S),
    ROW(DG_POSITION_AND_MOVES, R::Login, S),
    ROW(DG_KIBITZ_TEXT, R::Login, C),
    ROW(DG_CHANNEL_TEXT, R::Login, C),
    ROW(DG_CHALLENGE, R::Login, C),
    ROW(DG_CHALLENGE_REMOVED, R::Login, C),
    ROW(DG_TELL_TEXT, R::Login, C),
    ROW(DG_SHOUT_TEXT, R::Login, C),
    ROW(DG_PLUGIN_ONLY_33, R::Login, C),
    ROW(DG_PLUGIN_ONLY_34, R::Login, C),
    ROW(DG_PLUGIN_ONLY_36, R::Login, C),
    ROW(DG_PIECES_IN_HAND, R::Login, S),
    ROW(DG_UNNAMED_38, R::Never, S),
    ROW(DG_FLIP, R::Login, S),
    ROW(DG_GAME_STARTED_40, R::Login, C),
    ROW(DG_RAISE_WINDOW, R::Login, S),
    ROW(DG_ILLEGAL_MOVE, R::Login, S),
    ROW(DG_RELATION, R::Login, S),
    ROW(DG_MY_VARIABLE, R::RunTime, C),
    ROW(DG_MY_STRING_VARIABLE, R::RunTime, C),
    ROW(DG_SEEK, R::RunTime, S),
    ROW(DG_SEEK_REMOVED, R::RunTime, S),
    ROW(DG_GAME_NOTIFY, R::Login, C),
    ROW(DG_SET_CLOCK, R::Login, S),
    ROW(DG_UNNAMED_57, R::Never, S),
    ROW(DG_CIRCLE, R::Login, S),
    ROW(DG_ARROW, R::Login, S),
    ROW(DG_CLOCK_ADD, R::Login, S),
    ROW(DG_TELL_ECHO, R::Login, C),
    ROW(DG_SUGGESTION, R::LoginIfSuggestions, C),
    ROW(DG_NOTIFY_ARRIVED, R::RunTime, C),
    ROW(DG_NOTIFY_DEPARTED, R::RunTime, C),
    ROW(DG_NOTIFY_FLAG, R::RunTime, S),
    ROW(DG_GAMELIST_BEGIN, R::LoginUnlessBypassGamelist, C),
    ROW(DG_GAMELIST_ITEM, R::LoginUnlessBypassGamelist, S),
    ROW(DG_RATING_CATEGORY, R::Login, C),
    ROW(DG_INFO_LINE, R::Login, C),
    ROW(DG_NOTIFY_STAGE, R::RunTime, C),
    ROW(DG_CHANNEL_QUOTE, R::Login, C),
    ROW(DG_PERSONAL_QUOTE, R::Login, C),
    ROW(DG_SET_BOARD, R::Login, C),
    ROW(DG_PLUGIN_ONLY_85, R::Login, C),
    ROW(DG_SAVE_GAME_TEXT, R::Login, C),
    ROW(DG_MY_RATINGS, R::RunTime, C),
    ROW(DG_UNCIRCLE, R::Login, C),
    ROW(DG_UNARROW, R::Login, C),
    ROW(DG_SUGGESTION_91, R::Login, C),
    ROW(DG_CLIENT_REPORT_REQUEST, R::Login, C),
    ROW(DG_CLIENT_INFO_STORE, R::Login, C),
    ROW(DG_SUGGESTION_REMOVED, R::Login, C),
    ROW(DG_GAME_HEADER, R::Login, C),
    ROW(DG_EVENT, R::RunTime, S),
    ROW(DG_EVENT_REMOVED, R::RunTime, S),
    ROW(DG_DIALOG_BEGIN, R::Login, C),
    ROW(DG_DIALOG_DATA, R::Login, C),
    ROW(DG_DIALOG_DEFAULT, R::Login, C),
    ROW(DG_DIALOG_SHOW, R::Login, C),
    ROW(DG_DIALOG_CLOSE, R::Login, C),
    ROW(DG_SET_LOGIN, R::Login, C),
    ROW(DG_WILD_NAME, R::RunTime, C),
    ROW(DG_CLIENT_INFO_ECHO, R::Login, C),
    ROW(DG_WILD_NAMES_VERSION, R::Login, C),
    ROW(DG_REDIRECT, R::Login, C),
    ROW(DG_PLUGIN_AUTH_RESULT, R::Login, C),
};

#undef ROW

constexpr bool Sorted() {
    for (size_t i = 1; i < std::size(kTable); ++i) {
        if (kTable[i - 1].number >= kTable[i].number) return false;
    }
    return true;
}
static_assert(Sorted(), "FindDatagram searches the table by number");

}  // namespace

std::span<const DatagramInfo> DatagramTable() {
    return kTable;
}

const DatagramInfo* FindDatagram(int number) {
    const auto it = std::lower_bound(std::begin(kTable), std::end(kTable), number,
                                     [](const DatagramInfo& d, int n) { return d.number < n; });
    return it != std::end(kTable) && it->number == number ? it : nullptr;
}

bool DroppedSilently(int number) {
    const DatagramInfo* info = FindDatagram(number);
    return info && info->unclaimed == Unclaimed::Silent;
}

std::string Level2SettingsLine(int bypassGamelist, int qsuggest) {
    std::string bits(DG_PLUGIN_AUTH_RESULT + 1, '0');
    for (const DatagramInfo& d : kTable) {
        bool wanted = false;
        switch (d.request) {
            case R::Login:
            case R::LoginAndRunTime:
                wanted = true;
                break;
            case R::LoginIfSuggestions:
                wanted = qsuggest != 0;
                break;
            case R::LoginUnlessBypassGamelist:
                wanted = bypassGamelist == 0;
                break;
            case R::RunTime:
            case R::Never:
                break;
        }
        if (wanted) bits[d.number] = '1';
    }
    bits.erase(bits.find_last_of('1') + 1);
    return "level2settings=" + bits + "\n";
}
