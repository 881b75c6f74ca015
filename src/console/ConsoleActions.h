// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <functional>
#include <string_view>

#include "console/PersonMenu.h"

class CConsoleWnd;
class CKordane2Doc;

// What a console's links and person popup ask for, carried out the same way
// in every window that holds a console (the main console, extra consoles,
// game windows): commands go out through the window's own `send`, so that
// the reply comes back to it; with Ctrl held, and for "&Chat", a new
// temporary console of the connection is opened by its main console, which
// also hands addresses to the browser.
class CConsoleActions {
  public:
    using Send = std::function<void(std::string_view line)>;

    // Connects `console`'s requests for as long as it lives; the picked name
    // is kept in `doc`.
    static void Connect(CConsoleWnd& console, CKordane2Doc& doc, Send send);
    // The person popup's targets for a window of `doc` that sends with `send`.
    static CPersonMenu::Targets Targets(CKordane2Doc& doc, Send send);
};
