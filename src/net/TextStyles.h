// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "net/MessageText.h"

class CProfile;
class CServerMessage;

// The text styles every console of the program shares: the colour word of
// each of the eleven text classes, the channels that have a colour of their
// own, and the console font. The main frame loads them from the "Text Colors"
// section at start and writes back what the user changed; consoles ask
// ColourFor for the style of each message they show.
class CTextStyles {
  public:
    // The console font as the settings file keeps it: the numbers of a
    // Windows LOGFONT and a face name.
    struct LogFont {
        long height = 0, width = 0, escapement = 0, orientation = 0, weight = 400;
        uint8_t italic = 0, underline = 0, strikeOut = 0, charSet = 0, outPrecision = 0,
                clipPrecision = 0, quality = 0, pitchAndFamily = 0;
        std::string faceName = "Fixedsys";
        bool operator==(const LogFont&) const = default;
    };

    struct ClassInfo {
        const char* key;    // settings key in "Text Colors"
        const char* label;  // row label of the "Customize text" dialog
        uint32_t colour;    // default colour word
    };
    static const std::array<ClassInfo, kTextClassCount>& Classes();
    static constexpr const char* kSection = "Text Colors";
    static constexpr const char* kChannelsKey = "Channels";
    static constexpr const char* kFontKey = "Logfont";
    static constexpr const char* kFontNameKey = "LogfontName";
    static constexpr const char* kDefaultChannels =
        "272:f9b499 1:8587e4 2:8abc14 0:a4a400 15:8000ff 46:f27bd5 47:fbb5cd 40:b1d7eb "
        "34:c9b6bb 43:7979ff 49:f27bd5 64:8199d3 100:2020ff 166:bb0ac 223:f27bd5 222:f27bd5 "
        "221:f27bd5 224:f27bd5";
    static constexpr size_t kFaceNameMax = 31;

    CTextStyles();

    uint32_t Colour(TextClass textClass) const { return m_colours[static_cast<size_t>(textClass)]; }
    void SetColour(TextClass textClass, uint32_t word) {
        m_colours[static_cast<size_t>(textClass)] = word;
    }
    const std::map<int, uint32_t>& Channels() const { return m_channels; }
    // Replaces the channel map; entries that only repeat DefaultChannel go.
    void SetChannels(std::map<int, uint32_t> channels);
    // The channel's own colour word, or DefaultChannel's.
    uint32_t ChannelColour(int channel) const;

    // No value: the settings hold no font and the platform's is used.
    const std::optional<LogFont>& Font() const { return m_font; }
    void SetFont(std::optional<LogFont> font) { m_font = std::move(font); }

    // The colour word for a message; none (local text such as the banner)
    // is typed text.
    uint32_t ColourFor(const CServerMessage* message) const;
    uint32_t ColourFor(const MessageText& text) const;

    // Reads "Text Colors"; missing or unreadable values keep the defaults.
    void Load(const CProfile& profile);
    // The colours and the font, written when the user changed them.
    bool SaveColoursAndFont(CProfile& profile) const;
    // The channel map, written when the user changed it.
    bool SaveChannels(CProfile& profile) const;

    // The "Channels" value: "%d:%x" items separated by blanks; items that do
    // not read as two numbers are skipped, a later item for the same channel
    // wins. Written back as "%d:%x " items in channel order.
    static std::map<int, uint32_t> ParseChannels(std::string_view text);
    static std::string FormatChannels(const std::map<int, uint32_t>& channels);
    // A colour word as "%x" reads it; none when the text has no hex number.
    static std::optional<uint32_t> ParseColourWord(std::string_view text);
    static std::string FormatColourWord(uint32_t word);
    // The thirteen numbers of "Logfont"; none unless all thirteen read.
    static std::optional<LogFont> ParseLogFont(std::string_view numbers, std::string_view name);
    static std::string FormatLogFont(const LogFont& font);

  private:
    std::array<uint32_t, kTextClassCount> m_colours{};
    std::map<int, uint32_t> m_channels;
    std::optional<LogFont> m_font;
};
