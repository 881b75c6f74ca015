// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QPoint>
#include <QString>
#include <functional>
#include <string_view>

class CConsoleSubView;
class QMenu;
class QWidget;

// The person popup: finger, observe, list edits, chat and the rest for a
// name the user picked (a selection in a console, a game window's player
// label). Fill builds the menu, Run carries out the chosen item through the
// window the popup belongs to, so every window offers the same commands.
class CPersonMenu {
  public:
    // How the popup's window sends and opens things.
    struct Targets {
        // A command line (ending in "\n") from the window, not echoed.
        std::function<void(std::string_view)> send;
        // A new temporary console of the connection, for "&Chat" and for a
        // command whose reply goes to a new window (Ctrl held).
        std::function<CConsoleSubView*()> openTemporaryConsole;
        // "Copy" and "Copy&Paste".
        std::function<void()> copy;
        std::function<void()> paste;
        // "&Match": the Match dialog for the (cleaned) name.
        std::function<void(const QString&)> match;
    };

    // The popup's items in their groups; each item's data is its command id.
    static void Fill(QMenu& menu);
    // Shows the popup at `global`; the chosen command id, or 0.
    static int Exec(QWidget* parent, QPoint global);
    // Carries out item `id` for `name`; with `newConsole` a command's reply
    // goes to a new temporary console.
    static void Run(int id, const QString& name, bool newConsole, const Targets& targets);
};
