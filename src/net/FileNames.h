// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <optional>
#include <string>
#include <string_view>

// A name the server gave (a handle, as a rule) made fit to be part of a file
// name: only ASCII letters, digits, "-" and "_" are kept, so that the name
// can neither leave the folder ("../"), hide the file (".x") nor carry bytes
// the file system or a shell would treat specially.
// Longer names are cut: a handle is at most a few dozen characters, and
// anything longer must not make a name the file system refuses.
std::string SafeFileStem(std::string_view name);

// The file named after a login name: "<handle>.kd2" for a new connection's
// parameters, "<handle>.pgn" for a game file. Empty when nothing of the
// handle is left; the caller then writes no file.
std::string HandleFileName(std::string_view handle, std::string_view extension);

// The game file used when neither the command nor the connection names one:
// "<handle>.pgn" in the current folder, or the bare file name when the
// current folder cannot be read (nullopt).
std::string DefaultGameFile(const std::optional<std::string>& currentFolder,
                            std::string_view handle);

// The current folder, or nullopt when it cannot be read.
std::optional<std::string> ReadableCurrentFolder();
