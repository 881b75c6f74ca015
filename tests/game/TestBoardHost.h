// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <string>
#include <vector>

#include "chess/GameRecord.h"
#include "game/BoardHost.h"
#include "game/GameShared.h"

// A game window reduced to a record: the board and panel tests set its mode
// and relation directly and read what the widgets asked of it.
class TestBoardHost : public IBoardHost {
  public:
    struct Move {
        SquareCode from;
        SquareCode to;
        char piece;
        bool operator==(const Move&) const = default;
    };

    explicit TestBoardHost(CGameShared& shared) : m_shared(&shared) {}

    const CBoardOptions& Options() const override { return m_shared->Options(); }
    bool IsLive() const override { return live; }
    const BoardText& ShownBoard() const override { return live ? record.Board() : browsed; }
    const GameRecord& Record() const override { return record; }
    int Mode() const override { return mode; }
    int Relation() const override { return relation; }
    bool LocalCheck() const override { return localCheck; }
    int PendingCount() const override { return pending; }
    int Wild() const override { return wild; }
    bool DropGame() const override { return dropGame; }
    void GoLive() override {
        live = true;
        ++goLiveCalls;
    }
    void MakeMove(SquareCode from, SquareCode to, char piece, bool) override {
        moves.push_back({from, to, piece});
    }
    void SendGameCommand(std::string_view text) override { commands.emplace_back(text); }
    void PlaySound(SoundEvent event) override { sounds.push_back(event); }

    GameRecord record;
    BoardText browsed;
    bool live = true;
    int mode = Playing;
    int relation = PlaysWhite;
    bool localCheck = true;
    int pending = 0;
    int wild = 0;
    bool dropGame = false;
    int goLiveCalls = 0;
    std::vector<Move> moves;
    std::vector<std::string> commands;
    std::vector<SoundEvent> sounds;

  private:
    CGameShared* m_shared;
};
