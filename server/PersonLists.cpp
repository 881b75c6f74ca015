// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "PersonLists.h"

#include <algorithm>
#include <cctype>

#include "AccountStore.h"

namespace {

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

std::string_view PersonLists::Name(Kind kind) {
    switch (kind) {
        case Kind::Noplay:
            return "noplay";
        case Kind::Censor:
            return "censor";
        case Kind::Notify:
            break;
    }
    return "notify";
}

std::vector<std::string>& PersonLists::Of(Kind kind, std::string_view owner) {
    return m_lists[static_cast<size_t>(kind)][Lower(owner)];
}

bool PersonLists::Holds(Kind kind, std::string_view owner, std::string_view name) const {
    const auto& lists = m_lists[static_cast<size_t>(kind)];
    const auto it = lists.find(Lower(owner));
    if (it == lists.end()) return false;
    return std::any_of(it->second.begin(), it->second.end(), [&](const std::string& entry) {
        return AccountStore::SameHandle(entry, name);
    });
}
