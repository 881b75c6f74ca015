// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <span>
#include <string_view>

class ClientSession;
class ServerCore;

// The commands a logged-in client can give the test server: name, level-1
// command number, usage line and handler. ServerCore looks the first word of
// a line up here and runs the handler inside the command's level-1 block; new
// commands are added as rows. The numbers are this server's own and are listed
// in docs/server.md.
class CommandTable {
  public:
    using Handler = void (*)(ServerCore& core, ClientSession& session, std::string_view args);

    struct Command {
        std::string_view name;
        int number;
        Handler handler;
        std::string_view usage;
    };

    // The level-1 number of the answer to a line that names no command.
    static constexpr int kUnknownCommand = 0;

    // Names are compared without regard to case.
    static const Command* Find(std::string_view name);
    static std::span<const Command> All();
    // Whether the command is "more", the one command that keeps the pages
    // of the last answer.
    static bool IsMore(const Command& command);
    // "Usage: " and the usage line of the command `name`.
    static void SendUsage(ClientSession& session, std::string_view name);
};
