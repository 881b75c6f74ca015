// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Where a window was, as the settings file's "Layout" section keeps it: ten
// comma-separated numbers "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d" (flags, show
// command, minimised x and y, maximised x and y, restored left, top, right,
// bottom). The window layout store reads and writes these; the values come
// from a file the user may have edited, so anything else reads as missing.
struct WindowPlacement {
    static constexpr unsigned kRestoreMaximized = 2;  // in `flags`
    static constexpr unsigned kShowNormal = 1;
    static constexpr unsigned kShowMaximized = 3;

    unsigned flags = 0;
    unsigned showCommand = kShowNormal;
    int minX = -1, minY = -1, maxX = -1, maxY = -1;
    int left = 0, top = 0, right = 0, bottom = 0;

    bool Maximized() const { return (flags & kRestoreMaximized) != 0; }
    long Width() const { return static_cast<long>(right) - left; }
    long Height() const { return static_cast<long>(bottom) - top; }

    // Exactly ten numbers, each in the range of its field; nullopt otherwise.
    static std::optional<WindowPlacement> Parse(std::string_view text);
    std::string Format() const;

    bool operator==(const WindowPlacement&) const = default;
};
