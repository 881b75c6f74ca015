// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include "game/SquareCode.h"

class CGameView;
class PgnGame;

// The game window's moves that do not come from the server: the user's own
// (checked, promoted, sent and kept pending, or applied locally on a board of
// no live game, or written straight into the board as set-up edits) and the
// moves of a PGN game shown in the window. It works on the view's model
// directly, as a part of it.
class CGameMoveInput {
  public:
    explicit CGameMoveInput(CGameView& view) : m_view(view) {}

    void MakeMove(SquareCode from, SquareCode to, char piece);
    void LoadPgnGame(const PgnGame& game);

  private:
    CGameView& m_view;
};
