// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "chess/PgnGame.h"

namespace {

// Tags grow 12 at a time and moves 48 at a time: a file holds thousands of
// games, and doubling would leave most of them with far more room than used.
constexpr size_t kTagStep = 12;
constexpr size_t kMoveStep = 48;

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualNoCase(const char* text, std::string_view name) {
    for (const char n : name) {
        if (*text == '\0' || Lower(*text) != Lower(n)) return false;
        ++text;
    }
    return *text == '\0';
}

void Grow(std::vector<const char*>& list, size_t step) {
    if (list.size() == list.capacity()) list.reserve(list.size() + step);
}

}  // namespace

std::optional<std::string_view> PgnGame::GetTag(std::string_view name) const {
    for (size_t i = 0; i < m_tagNames.size(); ++i) {
        if (EqualNoCase(m_tagNames[i], name)) return std::string_view(m_tagValues[i]);
    }
    return std::nullopt;
}

std::string PgnGame::DisplayTags() const {
    std::string text;
    for (size_t i = 0; i < m_tagNames.size(); ++i) {
        text += '[';
        text += m_tagNames[i];
        text += " \"";
        text += m_tagValues[i];
        text += "\"]\n";
    }
    return text;
}

void PgnGame::AddTag(const char* name, const char* value) {
    Grow(m_tagNames, kTagStep);
    Grow(m_tagValues, kTagStep);
    m_tagNames.push_back(name);
    m_tagValues.push_back(value);
}

void PgnGame::AddMove(const char* text) {
    Grow(m_moves, kMoveStep);
    m_moves.push_back(text);
}
