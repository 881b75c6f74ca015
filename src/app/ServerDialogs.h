// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

class CConsoleView;

// Gives every connection its server dialog: the main console owns the slot
// that datagrams 105 to 109 reach, the slot's warnings become message boxes
// with the stop icon, and its answers go out as command lines from the main
// console.
class CServerDialogs {
  public:
    static void Attach(CConsoleView& view);
};
