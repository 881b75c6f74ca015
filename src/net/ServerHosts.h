// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

// The operator's server host names: the login dialog's list, the host of a
// new connection, and the addresses a first run writes to the "DNS Cache"
// section for when a lookup fails. They point at this machine, where the
// test server runs.
namespace ServerHosts {

struct Host {
    const char* name;
    const char* cachedAddress;  // nullptr: not written to the cache
};

inline constexpr Host kHosts[] = {
    {"chess.vcx-server.net", "127.0.0.1"},
    {"vcx-server.net", "127.0.0.1"},
    {"backup.vcx-server.net", "127.0.0.2"},
    {"play.vcx-server.net", nullptr},
};

// Where File/New points a new connection.
inline constexpr const char* kDefaultHost = kHosts[0].name;
// A new connection's port is this plus 0..99, spreading first logins over
// the server's listening ports.
inline constexpr int kBasePort = 5000;

}  // namespace ServerHosts
