// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <span>
#include <string>
#include <string_view>

// The server variables the test server knows ("set", "Set-quietly"): which
// are integers and which are text, their values at login, and the names the
// client reads from datagrams 47 and 48. Values live in each ClientSession.
class VariableTable {
  public:
    enum class Kind { Unknown, Integer, String };

    struct IntegerVariable {
        std::string_view name;
        int initial;
    };

    // Integer variables in the order datagram 47 reports them.
    static std::span<const IntegerVariable> Integers();
    // Text variables always reported by datagram 48; notes ("note1" to
    // "note10") are reported only once set.
    static std::span<const std::string_view> Strings();

    // The name as the datagrams carry it: lower case, "inc" read as
    // "increment", a note number 1 to 10 as "note<n>". Empty when the name
    // is no variable.
    static std::string Canonical(std::string_view name);
    static Kind KindOf(std::string_view canonical);
};
