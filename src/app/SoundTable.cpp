// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "app/SoundTable.h"

#include "net/Profile.h"

namespace {

struct EventInfo {
    const char* displayName;
    const char* defaultFile;
};

// In event order: the position is the event number.
constexpr EventInfo kEvents[kSoundEventCount] = {
    {"Personal Tell", "Whistle.wav"},
    {"Game Start", "Fitebell.wav"},
    {"Game End (other)", "Fitebell.wav"},
    {"Illegal Move", "Buzzer.wav"},
    {"Challenge", "Drip.wav"},
    {"Notify (arrived)", "Ding.wav"},
    {"Alert", "Alert.wav"},
    {"Offer (other)", "Drip.wav"},
    {"Move", "move.wav"},
    {"Move (capture)", "capture.wav"},
    {"Move (castle)", "castle.wav"},
    {"Move (plunk)", "plunk.wav"},
    {"Notify (left)", "Ding.wav"},
    {"Game End (win)", "Fitebell.wav"},
    {"Game End (loss)", "Fitebell.wav"},
    {"Game End (draw)", "Fitebell.wav"},
    {"Offer (draw)", "Draw.wav"},
    {"Game Notify", "Ding.wav"},
    {"Announcement", "Drip.wav"},
    {"S-shout", "Drip.wav"},
    {"Kibitz/Whisper", "Whistle.wav"},
    {"Connection", "Connect.wav"},
    {"Disconnection", "DConnect.wav"},
};

constexpr const char* kMuteKey = "Mute";
constexpr const char* kEnabledKey = "Enabled";

std::string EventKey(int event) {
    return "Event" + std::to_string(event);
}

}  // namespace

CSoundTable::CSoundTable() {
    for (int i = 0; i < kSoundEventCount; ++i) m_entries[i].path = kEvents[i].defaultFile;
}

const char* CSoundTable::DisplayName(SoundEvent event) {
    return kEvents[Index(event)].displayName;
}

const char* CSoundTable::DefaultFile(SoundEvent event) {
    return kEvents[Index(event)].defaultFile;
}

void CSoundTable::Load(const CProfile& profile) {
    *this = CSoundTable();
    for (int i = 0; i < kSoundEventCount; ++i) {
        std::string path = profile.GetString(kSection, EventKey(i), kEvents[i].defaultFile);
        if (path.size() > kMaxPathLength) path.resize(kMaxPathLength);
        m_entries[i].path = std::move(path);
    }
    // A shorter string leaves the events past its end unmuted.
    const std::string mute = profile.GetString(kSection, kMuteKey);
    for (size_t i = 0; i < mute.size() && i < m_entries.size(); ++i) {
        m_entries[i].muted = mute[i] == '1';
    }
}

bool CSoundTable::Save(CProfile& profile) const {
    bool ok = true;
    std::string mute;
    for (int i = 0; i < kSoundEventCount; ++i) {
        ok = profile.WriteString(kSection, EventKey(i), m_entries[i].path) && ok;
        mute += m_entries[i].muted ? '1' : '0';
    }
    return profile.WriteString(kSection, kMuteKey, mute) && ok;
}

bool CSoundTable::LoadEnabled(const CProfile& profile) {
    return profile.GetString(kSection, kEnabledKey) != "0";
}

bool CSoundTable::SaveEnabled(CProfile& profile, bool enabled) {
    return profile.WriteString(kSection, kEnabledKey, enabled ? "1" : "0");
}
