// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "app/SoundPlayer.h"

#include <filesystem>
#include <system_error>

#include "app/SoundOutput.h"
#include "net/Profile.h"

namespace {

bool IsFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

}  // namespace

CSoundPlayer::CSoundPlayer(std::unique_ptr<ISoundOutput> output, std::string soundFolder)
    : m_output(std::move(output)), m_soundFolder(std::move(soundFolder)) {}

CSoundPlayer::~CSoundPlayer() = default;

void CSoundPlayer::PlaySound(SoundEvent event) {
    if (m_enabled) PlayEventSound(event);
}

void CSoundPlayer::PlayEventSound(SoundEvent event) {
    const int number = static_cast<int>(event);
    if (number < 0 || number >= kSoundEventCount) return;
    const CSoundTable::Entry& entry = m_table.At(event);
    // A muted event is not "played": the next event compares with the one before.
    if (entry.muted) return;
    if (m_bellOnly) {
        m_output->Beep();
        m_lastEvent = number;
        return;
    }
    // Two moves in quick succession must not cut each other off; a capture
    // after a move must be heard at once.
    const bool interrupt = number != m_lastEvent;
    m_output->Play(Resolve(entry.path, m_soundFolder), interrupt);
    m_lastEvent = number;
}

void CSoundPlayer::Preview(const std::string& path) {
    m_output->Play(Resolve(path, m_soundFolder), true);
}

std::string CSoundPlayer::Resolve(const std::string& path, const std::string& soundFolder) {
    if (path.empty() || IsFile(path)) return path;
    const std::filesystem::path name(path);
    if (name.is_relative() && !soundFolder.empty()) {
        std::filesystem::path shipped = std::filesystem::path(soundFolder) / name;
        if (IsFile(shipped)) return shipped.string();
    }
    return path;
}

void CSoundPlayer::SetTable(const CSoundTable& table) {
    m_table = table;
    m_tableChanged = true;
}

void CSoundPlayer::LoadSettings(const CProfile& profile) {
    m_table.Load(profile);
    m_tableChanged = false;
    m_enabled = CSoundTable::LoadEnabled(profile);
    m_bellOnly = profile.GetInt(kBellOnlySection, kBellOnlyKey, 0) != 0;
}

bool CSoundPlayer::SaveSettings(CProfile& profile) {
    bool ok = true;
    if (m_tableChanged) {
        ok = m_table.Save(profile);
        if (ok) m_tableChanged = false;
    }
    ok = CSoundTable::SaveEnabled(profile, m_enabled) && ok;
    return profile.WriteString(kBellOnlySection, kBellOnlyKey, m_bellOnly ? "1" : "0") && ok;
}
