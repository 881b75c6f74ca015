// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QString>
#include <array>
#include <string>

class CGameView;
class QMenu;
class QWidget;

// The text commands a game window sends on the user's behalf: its buttons
// and Actions menu, Flip, going back to the browsed position, saving the
// game as PGN, activation, closing, and the player popup of its labels.
// Every command goes through the view's tagged command path; played games
// take the "multi Goto" prefix while the user plays several at once.
class CGameCommands {
  public:
    struct MenuItem {
        const char* text;
        const char* command;
    };

    explicit CGameCommands(CGameView& view) : m_view(view) {}

    // "&Abort" .. "&Pending offers && draws".
    static const std::array<MenuItem, 6>& ActionItems();
    // The player popup of a label for `name`.
    void BuildPersonMenu(QMenu& menu, const std::string& name);
    static std::string PersonCommand(const char* format, const std::string& name);

    // The modal questions, unless the main frame or a test replaces them.
    static char AskPromotion(QWidget* parent, bool kingPromotion);
    static QString AskSaveFile(QWidget* parent, const QString& initial);

    // Button 0 "Draw" .. 6 ">>".
    void OnButton(int index);
    void Draw();
    void Resign();
    void OnAction(int item);
    void Flip();
    // Alt+Shift+S: the examined game goes back to the browsed position.
    void BackToShown();
    void SavePgn();
    void OnActivated();
    // The frame is about to close: false keeps it (the user declined).
    bool QueryClose();
    // The view goes: what its relation to the game asks the server for.
    void OnViewClosing();

  private:
    void SendMulti(const char* command);
    void AfterCommand();

    CGameView& m_view;
};
