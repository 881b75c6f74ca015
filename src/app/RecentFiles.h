// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <string>
#include <vector>

class CProfile;

// The last four connection files opened or saved, newest first, kept in the
// "Recent File List" section as "File1" to "File4". The File menu shows them;
// start-up opens the first one.
class CRecentFiles {
  public:
    static constexpr size_t kMax = 4;
    static constexpr const char* kSection = "Recent File List";

    explicit CRecentFiles(CProfile& profile);

    const std::vector<std::string>& Entries() const { return m_entries; }
    // Moves `path` to the front (adding it when new) and stores the list.
    void Add(const std::string& path);
    // Drops an entry that could not be opened and stores the list.
    void Remove(const std::string& path);

  private:
    void Save();

    CProfile& m_profile;
    std::vector<std::string> m_entries;
};
