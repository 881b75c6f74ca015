// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "net/FileNames.h"

#include <unistd.h>

#include <climits>

namespace {

bool Kept(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_';
}

constexpr size_t kMaxStem = 64;

// A handle with nothing usable left still needs a name that is not hidden.
constexpr const char* kNoHandleStem = "games";

}  // namespace

std::string SafeFileStem(std::string_view name) {
    std::string stem;
    for (char c : name) {
        if (Kept(c) && stem.size() < kMaxStem) stem += c;
    }
    return stem;
}

std::string HandleFileName(std::string_view handle, std::string_view extension) {
    std::string name = SafeFileStem(handle);
    if (name.empty()) return name;
    name += '.';
    name += extension;
    return name;
}

std::string DefaultGameFile(const std::optional<std::string>& currentFolder,
                            std::string_view handle) {
    std::string stem = SafeFileStem(handle);
    if (stem.empty()) stem = kNoHandleStem;
    std::string file = stem + ".pgn";
    if (!currentFolder || currentFolder->empty()) return file;
    std::string path = *currentFolder;
    if (path.back() != '/') path += '/';
    return path + file;
}

std::optional<std::string> ReadableCurrentFolder() {
    std::string buffer(PATH_MAX, '\0');
    if (!::getcwd(buffer.data(), buffer.size())) return std::nullopt;
    buffer.resize(std::char_traits<char>::length(buffer.c_str()));
    if (::access(buffer.c_str(), R_OK | X_OK) != 0) return std::nullopt;
    return buffer;
}
