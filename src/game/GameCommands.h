// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QPoint>
#include <QString>
#include <array>
#include <string>

class CGameView;
class QMenu;
class QWidget;

// The text commands a game window sends on the user's behalf: its buttons
// and Actions menu, Flip, going back to the browsed position, saving the
// game as PGN, activation, closing, the person popup of its labels, and
// the links and person popup of its console.
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
    // The person popup of a player label for `name`; its commands go out
    // through the game console.
    void ShowPersonMenu(const std::string& name, QPoint global);
    // Links and the person popup of the game console.
    void ConnectConsole();

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
