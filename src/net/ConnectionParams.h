// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <string>

// The parameters of one connection: what the login dialog edits, what a
// ".kd2" connection file stores and what the login answer is built from.
struct ConnectionParams {
    std::string host;  // a host name or a dotted IPv4 address; empty = local board mode
    int port = 0;      // 0..9999
    std::string handle;
    std::string password;
    bool savePassword = false;
    bool guest = false;        // answer the login prompt as a guest
    bool registerNew = false;  // answer the login prompt with a registration request
    std::string gameLogFile;   // PGN file that finished games are appended to
};
