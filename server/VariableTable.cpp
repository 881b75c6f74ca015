// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "VariableTable.h"

#include <array>
#include <cctype>

#include "CommandWords.h"

namespace {

constexpr std::array<VariableTable::IntegerVariable, 28> kIntegers = {{
    {"time", 2},      {"increment", 12}, {"wild", 0},       {"rated", 1},        {"reg", 1},
    {"examine", 1},   {"autoflag", 1},   {"open", 1},       {"shout", 1},        {"sshout", 1},
    {"tell", 0},      {"unobserve", 0},  {"ctell", 0},      {"ropen", 1},        {"wopen", 1},
    {"noescape", 0},  {"bell", 1},       {"kibitz", 1},     {"seek", 1},         {"mood", 0},
    {"quietplay", 0}, {"minseek", 0},    {"maxseek", 9999}, {"manualaccept", 0}, {"useformula", 0},
    {"wrap", 1},      {"style", 1},      {"height", 20},
}};

constexpr std::array<std::string_view, 3> kStrings = {"formula", "sfilter", "interface"};

bool IsNote(std::string_view name) {
    int number = 0;
    return name.substr(0, 4) == "note" && CommandWords::ParseInt(name.substr(4), number) &&
           number >= 1 && number <= 10 && name.substr(4, 1) != "0";
}

}  // namespace

std::span<const VariableTable::IntegerVariable> VariableTable::Integers() {
    return kIntegers;
}

std::span<const std::string_view> VariableTable::Strings() {
    return kStrings;
}

std::string VariableTable::Canonical(std::string_view name) {
    std::string lower(name);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower == "inc") lower = "increment";
    // "set 3 text" sets note 3.
    int number = 0;
    if (CommandWords::ParseInt(lower, number) && lower.front() != '0') lower = "note" + lower;
    return KindOf(lower) == Kind::Unknown ? std::string() : lower;
}

VariableTable::Kind VariableTable::KindOf(std::string_view canonical) {
    for (const IntegerVariable& variable : kIntegers) {
        if (variable.name == canonical) return Kind::Integer;
    }
    for (std::string_view name : kStrings) {
        if (name == canonical) return Kind::String;
    }
    return IsNote(canonical) ? Kind::String : Kind::Unknown;
}
