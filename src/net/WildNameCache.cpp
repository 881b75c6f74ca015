// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "net/WildNameCache.h"

#include <algorithm>

#include "net/Profile.h"

namespace {

std::string NameKey(int index) {
    return "n_" + std::to_string(index);
}

}  // namespace

std::string CWildNameCache::Version() const {
    std::string version = m_profile.GetString(kSection, "Version");
    if (version.size() > kMaxVersionLength) version.resize(kMaxVersionLength);
    return version;
}

void CWildNameCache::StoreVersion(std::string_view version, int highestIndex) {
    m_profile.WriteString(kSection, "Version", version.substr(0, kMaxVersionLength));
    m_profile.WriteInt(kSection, "n_max", highestIndex);
}

bool CWildNameCache::StoreName(int index, std::string_view name) {
    if (index < 0 || index > kMaxIndex) return false;
    m_profile.WriteString(kSection, NameKey(index), name.substr(0, kMaxNameLength));
    return true;
}

void CWildNameCache::Clear() {
    m_profile.DeleteSection(kSection);
}

std::vector<std::string> CWildNameCache::ReadAll() const {
    const int highest = std::clamp(m_profile.GetInt(kSection, "n_max", -1), -1, kMaxIndex);
    std::vector<std::string> names(std::max(kMinNames, static_cast<size_t>(highest + 1)));
    for (int i = 0; i <= highest; ++i) {
        std::string name = m_profile.GetString(kSection, NameKey(i));
        if (name.size() > kMaxNameLength) name.resize(kMaxNameLength);
        names[static_cast<size_t>(i)] = std::move(name);
    }
    return names;
}
