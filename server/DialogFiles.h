// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// The compiled dialog templates the server can send ("testdialog"), built
// into the program from server/dialogs/*.res (see dialogs/Embed.cmake).
class DialogFiles {
  public:
    struct File {
        std::string_view name;  // the file's name without ".res"
        std::span<const std::uint8_t> bytes;
    };
    static std::span<const File> All();
};
