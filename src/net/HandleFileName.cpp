// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "net/HandleFileName.h"

namespace {

// Server handles are at most a few dozen characters; anything longer is not
// a handle and must not make a name the file system refuses.
constexpr size_t kMaxStem = 64;

bool Kept(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_';
}

}  // namespace

std::string HandleFileName(std::string_view handle, std::string_view extension) {
    std::string name;
    for (char c : handle) {
        if (Kept(c) && name.size() < kMaxStem) name += c;
    }
    if (name.empty()) return name;
    name += '.';
    name += extension;
    return name;
}
