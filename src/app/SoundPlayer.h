// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <memory>
#include <string>

#include "app/SoundTable.h"

class CProfile;
class ISoundOutput;

// Turns a client event into its sound: the one place that knows the
// sounds-enabled switch ("&Sounds"), "S&ystem Bell Only", the mute flags and
// the rule that a repeated event does not cut itself off. The application
// owns one for the whole run; every window plays through `PlaySound`.
class CSoundPlayer {
  public:
    static constexpr const char* kBellOnlySection = "Play Options";
    static constexpr const char* kBellOnlyKey = "BellOnly";

    // `soundFolder` is where the program's own wave files are shipped.
    CSoundPlayer(std::unique_ptr<ISoundOutput> output, std::string soundFolder);
    ~CSoundPlayer();

    // The sounds-enabled switch first, then `PlayEventSound`.
    void PlaySound(SoundEvent event);
    // Mute flag, bell-only flag and the no-interrupt rule, in that order.
    void PlayEventSound(SoundEvent event);
    // Plays a file at once, whatever the flags say (the dialog's "Preview").
    void Preview(const std::string& path);

    // Where a stored name is looked for: as given (a relative name from the
    // current folder), then in the program's sound folder. The name as given
    // when neither has it, so that the player stays silent on its own.
    static std::string Resolve(const std::string& path, const std::string& soundFolder);

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool on) { m_enabled = on; }
    bool BellOnly() const { return m_bellOnly; }
    void SetBellOnly(bool on) { m_bellOnly = on; }
    const CSoundTable& Table() const { return m_table; }
    // The table changes as a whole (the Customize Sounds dialog's OK); the
    // sound settings are then written at the next save.
    void SetTable(const CSoundTable& table);

    // The "Sounds" section, "Enabled" and "BellOnly".
    void LoadSettings(const CProfile& profile);
    // The table only when it was changed since it was loaded; the switches always.
    bool SaveSettings(CProfile& profile);

  private:
    std::unique_ptr<ISoundOutput> m_output;
    std::string m_soundFolder;
    CSoundTable m_table;
    bool m_tableChanged = false;
    bool m_enabled = true;
    bool m_bellOnly = false;
    int m_lastEvent = -1;
};
