// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The program's command line: "/debug", "/plugin=PROGRAM" and a ".kd2"
// connection file, compared without regard to case. CKordane2App parses it at
// start-up and reports each unrecognised argument to the user; parsing itself
// never stops early and never shows anything.
class CommandLine {
  public:
    bool debug = false;
    std::vector<std::string> plugins;  // in the order given
    std::string connectionFile;        // the last ".kd2" argument; empty if none
    std::vector<std::string> unrecognized;

    // Splits a whole command line at blanks. An argument that begins with a
    // double quote runs to the next double quote and may contain blanks; the
    // quotes are removed.
    static std::vector<std::string> Split(std::string_view line);
    static CommandLine Parse(const std::vector<std::string>& args);
};
