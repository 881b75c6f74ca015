// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <string>
#include <string_view>

// The text an event's action icon sends. The server writes several commands
// into one action joined by "&", and protects a literal "&" (or "\") with a
// backslash. Standard library only, so the fuzzer can reach it directly.
namespace EventCommand {

// The action as command lines: every unprotected "&" becomes a line break,
// a backslash keeps the character after it (a backslash at the very end is
// dropped). No trailing line feed.
std::string Lines(std::string_view action);

// `lines` with the tag of console `consoleId` in front of every line and a
// final line feed: "`5`a\n`5`b\n". A carriage return never starts an untagged
// line at the server, so it counts as a break as well.
std::string Tagged(std::string_view lines, int consoleId);

// True for an action that is a web address rather than commands.
bool IsWebAddress(std::string_view action);

}  // namespace EventCommand
