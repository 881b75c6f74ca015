// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <array>
#include <string>

#include "net/SoundEvent.h"

class CProfile;

// The wave file and mute flag of every sound event, and their "Sounds"
// section of the settings file. CSoundPlayer plays from it; the Customize
// Sounds dialog edits a copy and hands it back.
class CSoundTable {
  public:
    struct Entry {
        std::string path;  // as the user entered it; resolved only when played
        bool muted = false;
    };

    static constexpr const char* kSection = "Sounds";
    // A path is read into a 499-character buffer, terminator included.
    static constexpr size_t kMaxPathLength = 498;

    // Every event unmuted with its default file.
    CSoundTable();

    static const char* DisplayName(SoundEvent event);
    static const char* DefaultFile(SoundEvent event);

    const Entry& At(SoundEvent event) const { return m_entries[Index(event)]; }
    Entry& At(SoundEvent event) { return m_entries[Index(event)]; }

    // Starts from the defaults, then lets the stored keys overwrite them.
    void Load(const CProfile& profile);
    // All 23 "Event%d" keys and the 23-character "Mute" string.
    bool Save(CProfile& profile) const;

    // "0" turns every sound off; any other value, or none, leaves them on.
    static bool LoadEnabled(const CProfile& profile);
    static bool SaveEnabled(CProfile& profile, bool enabled);

  private:
    static size_t Index(SoundEvent event) { return static_cast<size_t>(event); }

    std::array<Entry, kSoundEventCount> m_entries;
};
