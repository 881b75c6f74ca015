// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include "net/Profile.h"

// The settings-file names the connection reads and writes, in one place so
// that the start-up code and the connection agree on them.
namespace ConnectionSettings {

// One key per host name, the dotted address a lookup last gave.
inline constexpr const char* kDnsCacheSection = "DNS Cache";
// Non-zero: game lists come as plain text instead of list windows.
inline constexpr IntSetting kBypassGamelist{"Play Options", "BypassGamelist", 0};
// Non-zero: challenges come without a popup.
inline constexpr IntSetting kBypassMatch{"Play Options", "BypassMatch", 0};
// Non-zero: the server may send suggestion popups.
inline constexpr IntSetting kQsuggest{"Newbie Mode", "Qsuggest", 1};

}  // namespace ConnectionSettings
