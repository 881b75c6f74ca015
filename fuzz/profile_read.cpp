// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Arbitrary bytes as settings.ini: reads of every kind, then a write, a
// second write to a new section and a delete, each checked against a read.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "net/AtomicFile.h"
#include "net/Profile.h"

namespace {

const std::string& ScratchPath() {
    static const std::string path = "/dev/shm/fuzz-profile-" + std::to_string(::getpid()) + ".ini";
    return path;
}

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    if (!AtomicFile::Replace(ScratchPath(), bytes)) return 0;
    CProfile profile(ScratchPath());

    // Section and key names taken from the input itself reach the odd paths.
    const std::string section = bytes.substr(0, size % 7);
    const std::string key = bytes.substr(size % 7, size % 5);
    (void)profile.GetString(section, key, "fallback");
    (void)profile.GetInt(section, key, 17);
    (void)profile.GetString("Layout", "Kordane");
    (void)profile.GetInt("Play Options", "AnimateTime", 400);

    if (profile.WriteString("Play Options", "PieceSet", "3")) {
        Check(profile.GetString("Play Options", "PieceSet") == "3");
    }
    if (profile.WriteString(section, key, "value")) {
        Check(profile.GetString(section, key) == "value");
        Check(profile.DeleteKey(section, key));
    }
    if (profile.WriteInt("Fuzz Section", "Key", -42)) {
        Check(profile.GetInt("fuzz section", "KEY", 0) == -42);
    }
    return 0;
}
