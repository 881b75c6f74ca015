// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Whole-file reads and all-or-nothing replacement for the small files the
// client keeps (the settings profile, ".kd2" connection files). A writer that
// is interrupted, or a disk that fills up, must never leave a half-written
// file behind: the new contents go to a temporary file in the same folder,
// which then takes the old name in one rename.
class AtomicFile {
  public:
    // The whole file, or nullopt when it cannot be opened or read. `missing`
    // is set when the file simply does not exist.
    static std::optional<std::string> ReadAll(const std::string& path, bool* missing = nullptr);

    enum class Access {
        // An existing file keeps its permission bits; a new one gets the
        // user's default (0666 less the umask).
        Keep,
        // Readable and writable by the user alone (0600), whatever the file
        // had before: for files that hold a password.
        UserOnly,
    };

    // Replaces the file's contents. False (and the file untouched) when any
    // step fails. A symbolic link keeps pointing where it did and its target
    // is replaced.
    static bool Replace(const std::string& path, std::string_view contents,
                        Access access = Access::Keep);
};
