// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "SeekList.h"

#include <algorithm>

#include "AccountStore.h"

const SeekList::Seek& SeekList::Add(Seek seek) {
    seek.index = m_nextIndex++;
    m_seeks.push_back(std::move(seek));
    return m_seeks.back();
}

const SeekList::Seek* SeekList::Find(int index) const {
    for (const Seek& seek : m_seeks) {
        if (seek.index == index) return &seek;
    }
    return nullptr;
}

std::vector<SeekList::Seek> SeekList::Take(std::string_view handle, int index) {
    std::vector<Seek> taken;
    std::erase_if(m_seeks, [&](const Seek& seek) {
        const bool match = (index < 0 || seek.index == index) &&
                           (handle.empty() || AccountStore::SameHandle(seek.handle, handle));
        if (match) taken.push_back(seek);
        return match;
    });
    return taken;
}

size_t SeekList::CountOf(std::string_view handle) const {
    return static_cast<size_t>(std::count_if(m_seeks.begin(), m_seeks.end(), [&](const Seek& seek) {
        return AccountStore::SameHandle(seek.handle, handle);
    }));
}
