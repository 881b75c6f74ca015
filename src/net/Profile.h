// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <string>
#include <string_view>
// An integer key of the settings file with the value it has when absent.
struct IntSetting {
    const char* section;
    const char* key;
    int fallback;
};

// The settings file ("settings.ini"): named sections of key=value lines with
// the semantics of the classic private-profile functions. Section and key
// names compare without regard to case, values are kept exactly as written
// (no quoting, no list splitting), unrelated lines and comments survive a
// rewrite, and every write reaches the file before the call returns.
class CProfile {
  public:
    explicit CProfile(std::string path);

    const std::string& Path() const { return m_path; }

    // The value, or `fallback` when the section, the key or the file is missing.
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view fallback = {}) const;
    // Leading decimal integer of the value, as the classic GetProfileInt reads it.
    int GetInt(std::string_view section, std::string_view key, int fallback) const;
    int GetInt(const IntSetting& setting) const {
        return GetInt(setting.section, setting.key, setting.fallback);
    }

    // Creates the file, the section or the key as needed. False when the file
    // cannot be written; the file is then left as it was.
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);
    bool WriteInt(std::string_view section, std::string_view key, int value);
    // Removes one key.
    bool DeleteKey(std::string_view section, std::string_view key);
    // Removes a section with all its keys (and every repeat of its header).
    bool DeleteSection(std::string_view section);

  private:
    std::string m_path;
};
