// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "net/ServerValues.h"

#include <cctype>

#include "net/TextUtil.h"

namespace {

struct IntVariable {
    const char* name;
    int ServerValues::*member;
    bool boolean;
};

// The server's names, compared with case as the server reports them.
constexpr IntVariable kIntVariables[] = {
    {"time", &ServerValues::time, false},
    {"increment", &ServerValues::increment, false},
    {"wild", &ServerValues::wild, false},
    {"rated", &ServerValues::rated, true},
    {"reg", &ServerValues::reg, true},
    {"examine", &ServerValues::examine, true},
    {"autoflag", &ServerValues::autoflag, true},
    {"open", &ServerValues::open, true},
    {"shout", &ServerValues::shout, true},
    {"sshout", &ServerValues::sshout, true},
    {"tell", &ServerValues::tell, true},
    {"unobserve", &ServerValues::unobserve, true},
    {"ctell", &ServerValues::ctell, true},
    {"ropen", &ServerValues::ropen, true},
    {"wopen", &ServerValues::wopen, true},
    {"noescape", &ServerValues::noescape, true},
    {"bell", &ServerValues::bell, false},
    {"kibitz", &ServerValues::kibitz, false},
    {"seek", &ServerValues::seek, false},
    {"mood", &ServerValues::mood, false},
    {"quietplay", &ServerValues::quietplay, false},
    {"minseek", &ServerValues::minseek, false},
    {"maxseek", &ServerValues::maxseek, false},
    {"manualaccept", &ServerValues::manualaccept, true},
    {"useformula", &ServerValues::useformula, true},
};

constexpr int kInitialCategories = 5;

}  // namespace

ServerValues::ServerValues() : categoryNames(kInitialCategories), ratings(kInitialCategories) {}

bool ServerValues::SetVariable(std::string_view name, int value) {
    for (const IntVariable& v : kIntVariables) {
        if (name != v.name) continue;
        this->*v.member = v.boolean ? (value != 0) : value;
        return true;
    }
    return false;
}

bool ServerValues::SetStringVariable(std::string_view name, std::string_view text) {
    if (name == "formula") {
        formula = text;
        return true;
    }
    if (name == "sfilter") {
        sfilter = text;
        return true;
    }
    constexpr std::string_view kNote = "note";
    if (name.substr(0, kNote.size()) != kNote) return false;
    // The number is read the way "note%d" scans it: "note03" is note 3.
    const std::string_view number = name.substr(kNote.size());
    if (number.empty()) return false;
    const size_t digit = number.find_first_not_of(" \t\n\v\f\r+-");
    if (digit == std::string_view::npos || !std::isdigit(static_cast<unsigned char>(number[digit])))
        return false;
    const int index = ParseLeadingInt(number);
    if (index < 1 || index > kNoteCount) return false;
    notes[static_cast<size_t>(index - 1)] = text;
    return true;
}

void ServerValues::SetCategoryName(int index, std::string_view name) {
    if (index < 0 || index >= kMaxCategories) return;
    if (static_cast<size_t>(index) >= categoryNames.size()) categoryNames.resize(index + 1);
    categoryNames[static_cast<size_t>(index)] = name;
}

void ServerValues::SetRating(int category, int rating) {
    if (category < 1 || category > kMaxCategories) return;
    if (static_cast<size_t>(category) > ratings.size()) ratings.resize(category);
    ratings[static_cast<size_t>(category - 1)] = rating;
}
