// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "net/Profile.h"

// The program's preferences as typed values: the "Play Options", "Newbie
// Mode", "Board Colors", "User Buttons" and "Start Windows" sections and the
// list column widths and tool-bar state of "Layout". The main frame loads
// them once when it is created and saves them when it goes; everything in
// between reads and changes the values here, never the file. Each section
// is one table below (key, default, range), the only place its names live.
// Other sections have their own owners: "Sounds" and "BellOnly" the sound
// player, "Tips" the tip dialog, "Text Colors" the console text styles,
// "DNS Cache" the connection, window placements CWindowLayout.
class CSettings {
  public:
    // The integer keys of "Play Options" and "Newbie Mode". Flags read any
    // non-zero number as on and are written "1" or "0".
    enum class Option {
        AlwaysQueen,
        BoardStyle,
        PieceSet,
        DrawCoords,
        BypassConsole,
        BypassMatch,
        BypassGamelist,
        ExaminePlunkers,
        DisableURLs,
        UseSfilter,
        ConfirmResign,
        LogMyGames,
        Strength,
        ShowTenthsAlways,
        ShowTenthsWhenLow,
        HighlightMoves,
        DragMove,
        DragType,
        SmartMove,
        ShowCaptures,
        AnimateMoves,
        AnimateTime,
        SeekWild,
        SeekFast,
        Qsuggest,
        Count
    };
    enum class BoardColour { LightSquare, DarkSquare, Highlight, Arrow, Circle, Background, Count };
    enum class StartWindow {
        GameViews,
        SeekViews,
        ConsoleSubViews,
        NotifyListViews,
        EventListViews,
        Count
    };
    enum class ListColumns { History, GameList, PgnList, Count };

    struct OptionRow {
        Option option;
        IntSetting setting;
        bool flag;  // 0 or 1; otherwise a number in [low, high]
        int low, high;
        bool written;  // false: read only, the file's value is never replaced
    };
    struct ColourRow {
        BoardColour colour;
        const char* key;
        uint32_t fallback;  // 0x00BBGGRR
    };
    struct StartRow {
        StartWindow kind;
        const char* key;
        int fallback;
    };

    static constexpr int kUserButtons = 10;
    // A stored string this long or longer reads as missing, so nothing longer
    // than this is kept.
    static constexpr size_t kMaxString = 497;

    static constexpr const char* kPlayOptions = "Play Options";
    static constexpr const char* kNewbieMode = "Newbie Mode";
    static constexpr const char* kBoardColors = "Board Colors";
    static constexpr const char* kUserButtonsSection = "User Buttons";
    static constexpr const char* kStartWindows = "Start Windows";
    static constexpr const char* kLayout = "Layout";
    static constexpr const char* kToolBarsKey = "ToolBars";

    static std::span<const OptionRow> Options();
    static std::span<const ColourRow> BoardColours();
    static std::span<const StartRow> StartWindows();
    static const char* ColumnWidthsKey(ListColumns list);
    // "Button_A" .. "Button_J".
    static std::string UserButtonKey(int index);

    CSettings();

    int Value(Option option) const { return m_values[Index(option)]; }
    bool Flag(Option option) const { return Value(option) != 0; }
    // Out-of-range values are refused (false) and the value stays.
    bool Set(Option option, int value);
    // Writes one option at once, for a value another reader takes straight
    // from the file (the connection reads "BypassGamelist" when it connects).
    bool WriteNow(Option option, CProfile& profile) const;

    uint32_t Colour(BoardColour colour) const { return m_colours[Index(colour)]; }
    void SetColour(BoardColour colour, uint32_t rgb) { m_colours[Index(colour)] = rgb & 0xFFFFFF; }

    const std::string& UserButton(int index) const { return m_buttons.at(index); }
    void SetUserButton(int index, std::string text);
    bool UserButtonsChanged() const { return m_buttonsChanged; }

    int StartCount(StartWindow kind) const { return m_start[Index(kind)]; }
    void SetStartCount(StartWindow kind, int count) { m_start[Index(kind)] = count; }
    // "Start Windows" is written when it is decided (first run, a connection
    // closing), not with the rest.
    bool SaveStartWindows(CProfile& profile) const;

    const std::string& ColumnWidths(ListColumns list) const { return m_columns[Index(list)]; }
    void SetColumnWidths(ListColumns list, std::string widths);

    // The tool bars' saved state (the frame's own encoding, one line of text).
    const std::string& ToolBarState() const { return m_toolBars; }
    void SetToolBarState(std::string state) { m_toolBars = std::move(state); }

    // Starts from the defaults, then takes every readable stored value.
    void Load(const CProfile& profile);
    // Board colours, the options, column widths, and the buttons when they
    // were changed. False when any write failed.
    bool Save(CProfile& profile);

    // A colour as "%x" reads it; false when the text has no hex number.
    static bool ParseColour(const std::string& text, uint32_t& rgb);
    static std::string FormatColour(uint32_t rgb);
    // A stored string value: empty or too long reads as missing.
    static std::string ReadString(const CProfile& profile, const char* section,
                                  const std::string& key);

  private:
    template <typename E>
    static size_t Index(E e) {
        return static_cast<size_t>(e);
    }
    static const OptionRow& Row(Option option);

    std::array<int, static_cast<size_t>(Option::Count)> m_values{};
    std::array<uint32_t, static_cast<size_t>(BoardColour::Count)> m_colours{};
    std::array<std::string, kUserButtons> m_buttons;
    bool m_buttonsChanged = false;
    std::array<int, static_cast<size_t>(StartWindow::Count)> m_start{};
    std::array<std::string, static_cast<size_t>(ListColumns::Count)> m_columns;
    std::string m_toolBars;
};
