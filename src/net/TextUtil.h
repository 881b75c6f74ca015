// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <string_view>

// Small text helpers shared by the protocol, the settings file, the command
// line and the test server, so that all of them read names and numbers alike.

// ASCII letters compared without regard to case; other bytes as they are.
bool EqualsNoCase(std::string_view a, std::string_view b);

// Reads a decimal integer as the server's numbers and the settings file's
// values are read: optional white space and sign, then digits; anything else
// (or nothing) reads 0. Overflow saturates instead of wrapping.
int ParseLeadingInt(std::string_view text);
