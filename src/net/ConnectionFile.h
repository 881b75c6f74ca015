// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "net/ConnectionParams.h"

// A ".kd2" connection file: the saved parameters of one connection, laid out
// as the classic framework's archive wrote them (little-endian words and
// counted strings), with the password scrambled by ChronelCipher. The
// application opens these from the command line and the recent-file list; the
// login dialog saves them. Reading never trusts the file: every length is
// checked against what is left before anything is copied.
class ConnectionFile {
  public:
    struct ReadResult {
        std::optional<ConnectionParams> params;
        std::string error;  // set when params is empty
        explicit operator bool() const { return params.has_value(); }
    };

    // Longest string accepted when reading; anything longer is a damaged file,
    // not a host name or a log file name.
    static constexpr uint32_t kMaxStringLength = 64 * 1024;

    // The file's bytes; nullopt when a field cannot be stored (a password of
    // more than 65535 bytes does not fit its 16-bit length).
    static std::optional<std::string> Encode(const ConnectionParams& params);
    static ReadResult Decode(std::string_view bytes);

    static ReadResult Read(const std::string& path);
    // All or nothing: a failed write leaves an existing file as it was. The
    // file is readable by the user alone (0600).
    static bool Write(const std::string& path, const ConnectionParams& params);
};
