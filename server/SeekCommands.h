// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <string_view>

#include "SeekList.h"

class ClientSession;
class ServerCore;

// "seek", "unseek", "play" and "sought": open game offers that anyone may
// take. Seeks are announced with datagram 50 (and their end with 51) to the
// clients that switched those on, and as a text line to the others whose
// "seek" variable is 1.
class SeekCommands {
  public:
    static void Seek(ServerCore& core, ClientSession& session, std::string_view args);
    static void Unseek(ServerCore& core, ClientSession& session, std::string_view args);
    static void Play(ServerCore& core, ClientSession& session, std::string_view args);
    static void Sought(ServerCore& core, ClientSession& session, std::string_view args);

    // Datagram 50 for one seek.
    static void SendSeek(ServerCore& core, ClientSession& to, const SeekList::Seek& seek);
    // Takes the person's seeks away and tells everyone.
    static void RemoveSeeksOf(ServerCore& core, std::string_view handle);
};
