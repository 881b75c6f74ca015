// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Arbitrary bytes as a stored window placement: whatever parses must format
// to a text that parses to the same placement; the file-name rule for
// handles must keep only its characters.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "net/FileNames.h"
#include "net/WindowPlacement.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (std::optional<WindowPlacement> placement = WindowPlacement::Parse(text)) {
        std::optional<WindowPlacement> again = WindowPlacement::Parse(placement->Format());
        if (!again || !(*again == *placement)) std::abort();
    }
    const std::string name = HandleFileName(text, "kd2");
    if (!name.empty()) {
        if (name.size() < 5 || name.compare(name.size() - 4, 4, ".kd2") != 0) std::abort();
        for (size_t i = 0; i + 4 < name.size(); ++i) {
            const char c = name[i];
            const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                            (c >= '0' && c <= '9') || c == '-' || c == '_';
            if (!ok) std::abort();
        }
    }
    return 0;
}
