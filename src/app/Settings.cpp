// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "app/Settings.h"

#include <cstdio>
#include <cstdlib>

#include "net/ConnectionSettings.h"

namespace {

using Option = CSettings::Option;
using Row = CSettings::OptionRow;
constexpr const char* kPlay = CSettings::kPlayOptions;
constexpr const char* kNewbie = CSettings::kNewbieMode;
constexpr int kAnyInt = 0x7fffffff;

// In enum order. DragType's default depends on DragMove and is fixed up
// after reading; AnimateTime of 0 or less keeps its default.
constexpr Row kOptions[] = {
    {Option::AlwaysQueen, {kPlay, "AlwaysQueen", 0}, true, 0, 1, true},
    {Option::BoardStyle, {kPlay, "BoardStyle", 0}, false, 0, 6, true},
    {Option::PieceSet, {kPlay, "PieceSet", 2}, false, 0, 7, true},
    {Option::DrawCoords, {kPlay, "DrawCoords", 0}, true, 0, 1, true},
    {Option::BypassConsole, {kPlay, "BypassConsole", 0}, true, 0, 1, true},
    {Option::BypassMatch, {kPlay, "BypassMatch", 0}, true, 0, 1, true},
    {Option::BypassGamelist, ConnectionSettings::kBypassGamelist, true, 0, 1, true},
    {Option::ExaminePlunkers, {kPlay, "ExaminePlunkers", 0}, true, 0, 1, true},
    {Option::DisableURLs, {kPlay, "DisableURLs", 0}, true, 0, 1, true},
    {Option::UseSfilter, {kPlay, "UseSfilter", 0}, true, 0, 1, true},
    {Option::ConfirmResign, {kPlay, "ConfirmResign", 1}, true, 0, 1, true},
    {Option::LogMyGames, {kPlay, "LogMyGames", 0}, true, 0, 1, true},
    {Option::Strength, {kPlay, "Strength", 0}, true, 0, 1, true},
    {Option::ShowTenthsAlways, {kPlay, "ShowTenthsAlways", 0}, true, 0, 1, true},
    {Option::ShowTenthsWhenLow, {kPlay, "ShowTenthsWhenLow", 1}, true, 0, 1, true},
    {Option::HighlightMoves, {kPlay, "HighlightMoves", 1}, true, 0, 1, true},
    {Option::DragMove, {kPlay, "DragMove", 1}, true, 0, 1, true},
    {Option::DragType, {kPlay, "DragType", 0}, false, 0, 2, true},
    {Option::SmartMove, {kPlay, "SmartMove", 0}, true, 0, 1, true},
    {Option::ShowCaptures, {kPlay, "ShowCaptures", 0}, true, 0, 1, true},
    {Option::AnimateMoves, {kPlay, "AnimateMoves", 1}, true, 0, 1, true},
    {Option::AnimateTime, {kPlay, "AnimateTime", 400}, false, 1, kAnyInt, true},
    {Option::SeekWild, {kNewbie, "SeekWild", 1}, true, 0, 1, true},
    {Option::SeekFast, {kNewbie, "SeekFast", 1}, true, 0, 1, true},
    {Option::Qsuggest, ConnectionSettings::kQsuggest, true, 0, 1, false},
};
static_assert(std::size(kOptions) == static_cast<size_t>(Option::Count));

constexpr CSettings::ColourRow kColours[] = {
    {CSettings::BoardColour::LightSquare, "LightSquare", 0xe0f0f0},
    {CSettings::BoardColour::DarkSquare, "DarkSquare", 0x80a000},
    {CSettings::BoardColour::Highlight, "Highlight", 0xff},
    {CSettings::BoardColour::Arrow, "Arrow", 0xff},
    {CSettings::BoardColour::Circle, "Circle", 0xffff00},
    {CSettings::BoardColour::Background, "BoardBackground", 0xc0c0c0},
};
static_assert(std::size(kColours) == static_cast<size_t>(CSettings::BoardColour::Count));

constexpr CSettings::StartRow kStart[] = {
    {CSettings::StartWindow::GameViews, "GameViews", 1},
    {CSettings::StartWindow::SeekViews, "SeekViews", 1},
    {CSettings::StartWindow::ConsoleSubViews, "ConsoleSubViews", 0},
    {CSettings::StartWindow::NotifyListViews, "NotifyListViews", 0},
    {CSettings::StartWindow::EventListViews, "EventListViews", 1},
};
static_assert(std::size(kStart) == static_cast<size_t>(CSettings::StartWindow::Count));

constexpr const char* kColumnKeys[] = {"HistoryColumnWidths", "GameListColumnWidths",
                                       "PGNListColumnWidths"};
static_assert(std::size(kColumnKeys) == static_cast<size_t>(CSettings::ListColumns::Count));

// A window's start count: more than this many of one kind is a damaged file,
// not a remembered session.
constexpr int kMaxStartCount = 20;

std::string Truncated(std::string text) {
    if (text.size() > CSettings::kMaxString) text.resize(CSettings::kMaxString);
    return text;
}

}  // namespace

std::span<const CSettings::OptionRow> CSettings::Options() {
    return kOptions;
}

std::span<const CSettings::ColourRow> CSettings::BoardColours() {
    return kColours;
}

std::span<const CSettings::StartRow> CSettings::StartWindows() {
    return kStart;
}

const char* CSettings::ColumnWidthsKey(ListColumns list) {
    return kColumnKeys[Index(list)];
}

std::string CSettings::UserButtonKey(int index) {
    return std::string("Button_") + static_cast<char>('A' + index);
}

const CSettings::OptionRow& CSettings::Row(Option option) {
    return kOptions[Index(option)];
}

CSettings::CSettings() {
    for (const OptionRow& row : kOptions) m_values[Index(row.option)] = row.setting.fallback;
    for (const ColourRow& row : kColours) m_colours[Index(row.colour)] = row.fallback;
    for (const StartRow& row : kStart) m_start[Index(row.kind)] = row.fallback;
}

bool CSettings::Set(Option option, int value) {
    const OptionRow& row = Row(option);
    if (row.flag) value = value != 0;
    if (value < row.low || value > row.high) return false;
    m_values[Index(option)] = value;
    return true;
}

bool CSettings::WriteNow(Option option, CProfile& profile) const {
    const OptionRow& row = Row(option);
    if (!row.written) return true;
    return profile.WriteInt(row.setting.section, row.setting.key, Value(option));
}

void CSettings::SetUserButton(int index, std::string text) {
    text = Truncated(std::move(text));
    if (m_buttons.at(index) == text) return;
    m_buttons[index] = std::move(text);
    m_buttonsChanged = true;
}

void CSettings::SetColumnWidths(ListColumns list, std::string widths) {
    m_columns[Index(list)] = Truncated(std::move(widths));
}

bool CSettings::ParseColour(const std::string& text, uint32_t& rgb) {
    unsigned long value = 0;
    char* end = nullptr;
    const char* start = text.c_str();
    value = std::strtoul(start, &end, 16);
    if (end == start) return false;
    rgb = static_cast<uint32_t>(value) & 0xFFFFFF;
    return true;
}

std::string CSettings::FormatColour(uint32_t rgb) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%x", static_cast<unsigned>(rgb));
    return buffer;
}

std::string CSettings::ReadString(const CProfile& profile, const char* section,
                                  const std::string& key) {
    std::string value = profile.GetString(section, key);
    if (value.size() > kMaxString) value.clear();
    return value;
}

void CSettings::Load(const CProfile& profile) {
    *this = CSettings();
    for (const OptionRow& row : kOptions) {
        const int stored = profile.GetInt(row.setting);
        // A value out of range is as good as none.
        if (!Set(row.option, stored)) m_values[Index(row.option)] = row.setting.fallback;
    }
    if (profile.GetString(kPlay, Row(Option::DragType).setting.key).empty()) {
        m_values[Index(Option::DragType)] = Flag(Option::DragMove) ? 0 : 1;
    }
    for (const ColourRow& row : kColours) {
        uint32_t rgb = 0;
        if (ParseColour(profile.GetString(kBoardColors, row.key), rgb)) {
            m_colours[Index(row.colour)] = rgb;
        }
    }
    for (int i = 0; i < kUserButtons; ++i) {
        m_buttons[i] = ReadString(profile, kUserButtonsSection, UserButtonKey(i));
    }
    for (const StartRow& row : kStart) {
        const int count = profile.GetInt(kStartWindows, row.key, row.fallback);
        m_start[Index(row.kind)] = count < 0 || count > kMaxStartCount ? row.fallback : count;
    }
    for (size_t i = 0; i < m_columns.size(); ++i) {
        m_columns[i] = ReadString(profile, kLayout, kColumnKeys[i]);
    }
    m_toolBars = ReadString(profile, kLayout, kToolBarsKey);
}

bool CSettings::Save(CProfile& profile) {
    bool ok = true;
    for (const ColourRow& row : kColours) {
        ok = profile.WriteString(kBoardColors, row.key, FormatColour(Colour(row.colour))) && ok;
    }
    if (m_buttonsChanged) {
        for (int i = 0; i < kUserButtons; ++i) {
            ok = profile.WriteString(kUserButtonsSection, UserButtonKey(i), m_buttons[i]) && ok;
        }
        if (ok) m_buttonsChanged = false;
    }
    for (const OptionRow& row : kOptions) ok = WriteNow(row.option, profile) && ok;
    for (size_t i = 0; i < m_columns.size(); ++i) {
        if (!m_columns[i].empty())
            ok = profile.WriteString(kLayout, kColumnKeys[i], m_columns[i]) && ok;
    }
    return ok;
}

bool CSettings::SaveStartWindows(CProfile& profile) const {
    bool ok = true;
    for (const StartRow& row : kStart) {
        ok = profile.WriteInt(kStartWindows, row.key, StartCount(row.kind)) && ok;
    }
    return ok;
}
