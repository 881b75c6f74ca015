// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// The settings values are read the way the C library's scanf reads them
// ("%x", "%d:%x", thirteen "%ld"/"%d"), because that is how the values found
// in existing settings files were meant to be read: leading blanks and a
// "0x" are accepted, trailing rubbish after the numbers is ignored.
#include "net/TextStyles.h"

#include <climits>
#include <cstdio>

#include "net/ColourWord.h"
#include "net/Profile.h"
#include "net/ServerMessage.h"

namespace {

using Classes = std::array<CTextStyles::ClassInfo, kTextClassCount>;

constexpr Classes kClasses = {{
    {"Background", "Background", 0x0},
    {"Shout", "Shouts", 0xffff00},
    {"SShout", "S-shouts", 0xffffff},
    {"Announcement", "Announcements", 0x1ffffff},
    {"PersonalTell", "Personal tells", 0xffff},
    {"Response", "Response text", 0x4978f3},
    {"Nonresponse", "Non-response text", 0x80ff},
    {"Typed", "Typed text", 0x2ff8000},
    {"Kibitz", "Kibitzes", 0xc0c0c0},
    {"Warning", "Warnings", 0x30000ff},
    {"DefaultChannel", "Default channel", 0x80bedf},
}};

bool IsBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads a decimal number at `pos` as "%ld" does; saturates instead of
// overflowing.
bool ScanDecimal(std::string_view s, size_t& pos, long& out) {
    size_t i = pos;
    while (i < s.size() && IsBlank(s[i])) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
    if (i >= s.size() || s[i] < '0' || s[i] > '9') return false;
    long long value = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        value = value * 10 + (s[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    out = static_cast<long>(value);
    pos = i;
    return true;
}

// Reads a hexadecimal number at `pos` as "%x" does; saturates at 32 bits.
bool ScanHex(std::string_view s, size_t& pos, uint32_t& out) {
    size_t i = pos;
    while (i < s.size() && IsBlank(s[i])) ++i;
    if (i + 2 < s.size() && s[i] == '0' && (s[i + 1] | 0x20) == 'x' && HexDigit(s[i + 2]) >= 0) {
        i += 2;
    }
    if (i >= s.size() || HexDigit(s[i]) < 0) return false;
    uint64_t value = 0;
    for (; i < s.size() && HexDigit(s[i]) >= 0; ++i) {
        value = value * 16 + static_cast<uint64_t>(HexDigit(s[i]));
        if (value > UINT32_MAX) value = UINT32_MAX;
    }
    out = static_cast<uint32_t>(value);
    pos = i;
    return true;
}

}  // namespace

const Classes& CTextStyles::Classes() {
    return kClasses;
}

CTextStyles::CTextStyles() : m_channels(ParseChannels(kDefaultChannels)) {
    for (size_t i = 0; i < kClasses.size(); ++i) m_colours[i] = kClasses[i].colour;
}

void CTextStyles::SetChannels(std::map<int, uint32_t> channels) {
    const uint32_t fallback = Colour(TextClass::DefaultChannel);
    std::erase_if(channels, [fallback](const auto& entry) { return entry.second == fallback; });
    m_channels = std::move(channels);
}

uint32_t CTextStyles::ChannelColour(int channel) const {
    const auto found = m_channels.find(channel);
    return found != m_channels.end() ? found->second : Colour(TextClass::DefaultChannel);
}

uint32_t CTextStyles::ColourFor(const CServerMessage* message) const {
    if (!message) return Colour(TextClass::Typed);
    const int channel = ColourChannelFor(*message);
    return channel >= 0 ? ChannelColour(channel) : Colour(TextClassFor(*message));
}

uint32_t CTextStyles::ColourFor(const MessageText& text) const {
    return text.channel >= 0 ? ChannelColour(text.channel) : Colour(text.textClass);
}

void CTextStyles::Load(const CProfile& profile) {
    for (size_t i = 0; i < kClasses.size(); ++i) {
        const auto word = ParseColourWord(profile.GetString(kSection, kClasses[i].key));
        if (word) m_colours[i] = *word;
    }
    // Absent and empty are different here: an empty value means the user
    // took every channel colour away.
    constexpr std::string_view kAbsent = "\x01";
    const std::string channels = profile.GetString(kSection, kChannelsKey, kAbsent);
    m_channels = ParseChannels(channels == kAbsent ? kDefaultChannels : channels);
    std::string faceName = profile.GetString(kSection, kFontNameKey);
    if (faceName.empty()) faceName = LogFont().faceName;
    m_font = ParseLogFont(profile.GetString(kSection, kFontKey), faceName);
}

bool CTextStyles::SaveColoursAndFont(CProfile& profile) const {
    bool ok = true;
    for (size_t i = 0; i < kClasses.size(); ++i) {
        ok = profile.WriteString(kSection, kClasses[i].key, FormatColourWord(m_colours[i])) && ok;
    }
    if (m_font) {
        ok = profile.WriteString(kSection, kFontKey, FormatLogFont(*m_font)) && ok;
        ok = profile.WriteString(kSection, kFontNameKey, m_font->faceName) && ok;
    }
    return ok;
}

bool CTextStyles::SaveChannels(CProfile& profile) const {
    return profile.WriteString(kSection, kChannelsKey, FormatChannels(m_channels));
}

std::map<int, uint32_t> CTextStyles::ParseChannels(std::string_view text) {
    std::map<int, uint32_t> channels;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && text[i] == ' ') ++i;
        size_t end = text.find(' ', i);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view item = text.substr(i, end - i);
        i = end;
        size_t pos = 0;
        long channel = 0;
        uint32_t word = 0;
        if (!ScanDecimal(item, pos, channel) || pos >= item.size() || item[pos] != ':') continue;
        ++pos;
        if (!ScanHex(item, pos, word)) continue;
        channels[static_cast<int>(channel)] = word & ColourWord::kUsedBits;
    }
    return channels;
}

std::string CTextStyles::FormatChannels(const std::map<int, uint32_t>& channels) {
    std::string out;
    for (const auto& [channel, word] : channels) {
        out += std::to_string(channel) + ":" + FormatColourWord(word) + " ";
    }
    return out;
}

std::optional<uint32_t> CTextStyles::ParseColourWord(std::string_view text) {
    size_t pos = 0;
    uint32_t word = 0;
    if (!ScanHex(text, pos, word)) return std::nullopt;
    // Bits nobody uses would make two equal-looking styles compare different.
    return word & ColourWord::kUsedBits;
}

std::string CTextStyles::FormatColourWord(uint32_t word) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%x", static_cast<unsigned>(word));
    return buffer;
}

std::optional<CTextStyles::LogFont> CTextStyles::ParseLogFont(std::string_view numbers,
                                                              std::string_view name) {
    long values[13];
    size_t pos = 0;
    for (long& value : values) {
        if (!ScanDecimal(numbers, pos, value)) return std::nullopt;
    }
    LogFont font;
    font.height = values[0];
    font.width = values[1];
    font.escapement = values[2];
    font.orientation = values[3];
    font.weight = values[4];
    uint8_t* bytes[] = {&font.italic,  &font.underline,     &font.strikeOut,
                        &font.charSet, &font.outPrecision,  &font.clipPrecision,
                        &font.quality, &font.pitchAndFamily};
    for (size_t i = 0; i < std::size(bytes); ++i) {
        *bytes[i] = static_cast<uint8_t>(static_cast<unsigned long>(values[5 + i]) & 0xff);
    }
    font.faceName = std::string(name.substr(0, kFaceNameMax));
    return font;
}

std::string CTextStyles::FormatLogFont(const LogFont& f) {
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, "%ld %ld %ld %ld %ld %d %d %d %d %d %d %d %d", f.height,
                  f.width, f.escapement, f.orientation, f.weight, f.italic, f.underline,
                  f.strikeOut, f.charSet, f.outPrecision, f.clipPrecision, f.quality,
                  f.pitchAndFamily);
    return buffer;
}
