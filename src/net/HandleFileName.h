// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <string>
#include <string_view>

// The file named after a login name: "<handle>.kd2" for a new connection's
// parameters, "<handle>.pgn" for the default game file. The handle may come
// from the server, so only letters, digits, "-" and "_" are kept: no reply
// can name a file outside the current folder, a hidden file or a device.
// Empty when nothing of the handle is left; the caller then writes no file.
std::string HandleFileName(std::string_view handle, std::string_view extension);
