// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <string>
#include <string_view>
#include <vector>

class CProfile;

// The names of the wild variants, kept in the settings file between runs
// (section "WildNameList") so that the server sends them again only when its
// list has a new version. The main console fills it from datagrams 116 and
// 119; the offer dialogs and the game lists read it.
class CWildNameCache {
  public:
    static constexpr const char* kSection = "WildNameList";
    static constexpr size_t kMaxVersionLength = 19;
    static constexpr size_t kMaxNameLength = 79;
    // Wild numbers are small; an index past this is a damaged datagram or
    // file, and honouring it would make every reader walk that many keys.
    static constexpr int kMaxIndex = 999;
    // Readers get at least this many entries, missing ones empty.
    static constexpr size_t kMinNames = 30;

    explicit CWildNameCache(CProfile& profile) : m_profile(profile) {}

    std::string Version() const;
    // Written after the server has sent every name of a new version.
    void StoreVersion(std::string_view version, int highestIndex);
    // False for an index outside 0 to kMaxIndex (nothing is written).
    bool StoreName(int index, std::string_view name);
    void Clear();
    // Names 0 to n_max.
    std::vector<std::string> ReadAll() const;

  private:
    CProfile& m_profile;
};
