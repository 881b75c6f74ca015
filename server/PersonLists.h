// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <array>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// The people each handle keeps on its lists, while the server runs: whom to
// be told about on arrival (notify), whose match requests to refuse (noplay)
// and whose tells to ignore (censor). Owners and names are matched without
// regard to case; names keep the spelling they were added with.
class PersonLists {
  public:
    enum class Kind { Notify = 0, Noplay = 1, Censor = 2 };
    static constexpr size_t kKinds = 3;
    // Names one list may hold at most, so a client cannot grow it without end.
    static constexpr size_t kMaxNames = 100;

    // "notify", "noplay", "censor", as the commands and texts name them.
    static std::string_view Name(Kind kind);

    std::vector<std::string>& Of(Kind kind, std::string_view owner);
    // Whether `owner`'s list holds `name`.
    bool Holds(Kind kind, std::string_view owner, std::string_view name) const;

  private:
    // By lower-case owner handle.
    std::array<std::map<std::string, std::vector<std::string>>, kKinds> m_lists;
};
