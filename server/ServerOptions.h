// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "net/ChronelServerSession.h"

// The test server's command line:
//   vcx-server --port N [--accounts FILE] [--transcript FILE]
//              [--chronel-fail=step1|check] [--no-computer] [--engine FILE]
// main() parses it here and hands the values to SocketServer and ServerCore.
class ServerOptions {
  public:
    int port = -1;
    std::string accountsPath;
    std::string transcriptPath;
    ChronelServerSession::FailAt chronelFail = ChronelServerSession::FailAt::None;
    // Whether the computer player logs in when an engine is installed.
    bool computer = true;
    // The UCI engine to use instead of looking for stockfish.
    std::string enginePath;

    // The arguments after the program name. On failure returns nothing and
    // sets `error` to a one-line reason.
    static std::optional<ServerOptions> Parse(const std::vector<std::string>& args,
                                              std::string& error);
    static const char* Usage();
};
