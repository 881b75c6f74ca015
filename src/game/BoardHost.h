// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <string_view>

#include "chess/BoardText.h"
#include "chess/GameRecord.h"
#include "game/SquareCode.h"
#include "net/SoundEvent.h"

struct CBoardOptions;

// What a board window and its piece panel need from the game window that owns
// them: the position to show, who may move what, and the one entry for the
// user's moves. The game window implements it; tests implement it with a
// plain record.
class IBoardHost {
  public:
    enum Mode { Inactive = 0, Playing = 1, Observing = 2, Examining = 3 };
    enum Relation {
        PlaysBlack = 0,
        PlaysWhite = 1,
        Observes = 2,
        Examines = 3,
        Unrelated = 4,
        Unknown = 5
    };

    virtual ~IBoardHost() = default;
    virtual const CBoardOptions& Options() const = 0;
    // Showing the current position (highlights, arrows, circles and slides are
    // drawn) rather than one the user browsed back to.
    virtual bool IsLive() const = 0;
    // The board shown: the record's current board while live, else the
    // browsed one.
    virtual const BoardText& ShownBoard() const = 0;
    virtual const GameRecord& Record() const = 0;
    virtual int Mode() const = 0;
    virtual int Relation() const = 0;
    virtual bool LocalCheck() const = 0;
    virtual int PendingCount() const = 0;
    virtual int Wild() const = 0;
    virtual bool DropGame() const = 0;
    // Back to the current position (the first click on a browsed board).
    virtual void GoLive() = 0;
    // Every move of the user: from a square, or kNoSquare for a drop from the
    // piece panel ('X' being the eraser).
    virtual void MakeMove(SquareCode from, SquareCode to, char piece, bool user) = 0;
    // Sends a command with the game window's tag.
    virtual void SendGameCommand(std::string_view text) = 0;
    virtual void PlaySound(SoundEvent event) = 0;
};
