// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "PluginCommands.h"

#include <algorithm>

#include "ClientSession.h"
#include "CommandWords.h"
#include "DatagramWriter.h"

bool PluginCommands::Approves(std::string_view digest) {
    return digest.size() == 32 && std::all_of(digest.begin(), digest.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
           });
}

void PluginCommands::AuthenticatePlugin(ServerCore& /*core*/, ClientSession& session,
                                        std::string_view args) {
    std::string_view rest;
    const std::string_view indexWord = CommandWords::First(args, rest);
    int index = 0;
    if (!CommandWords::ParseInt(indexWord, index)) return;
    // An unreadable program file leaves the digest empty; the name in quotes
    // then follows at once.
    std::string_view digest = CommandWords::First(rest, rest);
    if (!digest.empty() && digest.front() == '"') digest = {};
    session.SendDatagram(DatagramWriter(DG_PLUGIN_AUTH_RESULT)
                             .Add(index)
                             .Add(Approves(digest) ? digest : std::string_view("unknown")));
}
