// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// The list is stored whenever it changes rather than at the end: it is what
// the next start opens, so a run that ends badly must not lose it.
#include "app/RecentFiles.h"

#include <algorithm>

#include "net/Profile.h"

namespace {

std::string Key(size_t i) {
    return "File" + std::to_string(i + 1);
}

}  // namespace

CRecentFiles::CRecentFiles(CProfile& profile) : m_profile(profile) {
    for (size_t i = 0; i < kMax; ++i) {
        std::string path = m_profile.GetString(kSection, Key(i));
        if (!path.empty() &&
            std::find(m_entries.begin(), m_entries.end(), path) == m_entries.end()) {
            m_entries.push_back(std::move(path));
        }
    }
}

void CRecentFiles::Add(const std::string& path) {
    std::erase(m_entries, path);
    m_entries.insert(m_entries.begin(), path);
    if (m_entries.size() > kMax) m_entries.resize(kMax);
    Save();
}

void CRecentFiles::Remove(const std::string& path) {
    std::erase(m_entries, path);
    Save();
}

void CRecentFiles::Save() {
    for (size_t i = 0; i < kMax; ++i) {
        if (i < m_entries.size()) {
            m_profile.WriteString(kSection, Key(i), m_entries[i]);
        } else {
            m_profile.DeleteKey(kSection, Key(i));
        }
    }
}
