// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "ChallengeList.h"

#include <algorithm>

#include "AccountStore.h"

namespace {

bool Matches(std::string_view pattern, const std::string& handle) {
    return pattern.empty() || AccountStore::SameHandle(pattern, handle);
}

template <typename Predicate>
std::vector<ChallengeList::Challenge> TakeIf(std::vector<ChallengeList::Challenge>& list,
                                             Predicate predicate) {
    std::vector<ChallengeList::Challenge> taken;
    const auto keep = std::stable_partition(list.begin(), list.end(),
                                            [&](const auto& c) { return !predicate(c); });
    taken.assign(std::make_move_iterator(keep), std::make_move_iterator(list.end()));
    list.erase(keep, list.end());
    return taken;
}

}  // namespace

const ChallengeList::Challenge* ChallengeList::Find(std::string_view from,
                                                    std::string_view to) const {
    for (const Challenge& challenge : m_challenges) {
        if (AccountStore::SameHandle(challenge.from, from) &&
            AccountStore::SameHandle(challenge.to, to)) {
            return &challenge;
        }
    }
    return nullptr;
}

void ChallengeList::Put(Challenge challenge) {
    Take(challenge.from, challenge.to);
    m_challenges.push_back(std::move(challenge));
}

std::vector<ChallengeList::Challenge> ChallengeList::Take(std::string_view from,
                                                          std::string_view to) {
    return TakeIf(m_challenges,
                  [&](const Challenge& c) { return Matches(from, c.from) && Matches(to, c.to); });
}

std::vector<ChallengeList::Challenge> ChallengeList::TakeInvolving(std::string_view handle) {
    return TakeIf(m_challenges, [&](const Challenge& c) {
        return AccountStore::SameHandle(handle, c.from) || AccountStore::SameHandle(handle, c.to);
    });
}
