// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include "chess/GameRecord.h"
#include "game/BoardHost.h"
#include "game/GameShared.h"

// A game window reduced to its record, for the board benchmarks: it shows
// the record's board live and ignores moves.
class BenchBoardHost : public IBoardHost {
  public:
    explicit BenchBoardHost(CGameShared& shared) : m_shared(shared) {}
    const CBoardOptions& Options() const override { return m_shared.Options(); }
    bool IsLive() const override { return true; }
    const BoardText& ShownBoard() const override { return record.Board(); }
    const GameRecord& Record() const override { return record; }
    int Mode() const override { return Examining; }
    int Relation() const override { return Examines; }
    bool LocalCheck() const override { return true; }
    int PendingCount() const override { return 0; }
    int Wild() const override { return 0; }
    bool DropGame() const override { return false; }
    void GoLive() override {}
    void MakeMove(SquareCode, SquareCode, char, bool) override {}
    void SendGameCommand(std::string_view) override {}
    void PlaySound(SoundEvent) override {}

    GameRecord record;

  private:
    CGameShared& m_shared;
};
