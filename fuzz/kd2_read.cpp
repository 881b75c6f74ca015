// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Arbitrary bytes as a ".kd2" connection file. Whatever decodes must encode
// again and decode to the same parameters.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "net/ConnectionFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ConnectionFile::ReadResult first =
        ConnectionFile::Decode(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!first) {
        if (first.error.empty()) std::abort();
        return 0;
    }
    std::optional<std::string> bytes = ConnectionFile::Encode(*first.params);
    if (!bytes) std::abort();
    ConnectionFile::ReadResult second = ConnectionFile::Decode(*bytes);
    if (!second) std::abort();
    const ConnectionParams& a = *first.params;
    const ConnectionParams& b = *second.params;
    if (a.host != b.host || a.port != b.port || a.handle != b.handle || a.password != b.password ||
        a.savePassword != b.savePassword || a.gameLogFile != b.gameLogFile) {
        std::abort();
    }
    return 0;
}
