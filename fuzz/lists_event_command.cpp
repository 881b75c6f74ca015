// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Arbitrary bytes as an event's action, as the server sends it. Whatever the
// server wrote, the tagged text must put the tag in front of every line, so
// that no line of it reaches the server untagged, and must end the last one.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "lists/EventCommand.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string action(reinterpret_cast<const char*>(data), size);
    const std::string lines = EventCommand::Lines(action);
    Check(lines.size() <= action.size());
    const std::string tagged = EventCommand::Tagged(lines, 42);
    Check(!tagged.empty() && tagged.back() == '\n');
    for (size_t at = 0; at < tagged.size();) {
        Check(tagged.compare(at, 4, "`42`") == 0);
        const size_t end = tagged.find_first_of("\r\n", at);
        Check(end != std::string::npos && tagged[end] == '\n');
        at = end + 1;
    }
    EventCommand::IsWebAddress(action);
    return 0;
}
