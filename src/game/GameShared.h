// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QObject>
#include <vector>

#include "game/BoardOptions.h"
#include "game/BoardTextures.h"
#include "game/PieceArt.h"

class CClockWnd;
class QTimer;

// What all game windows of all connections share: the display and input
// preferences, the loaded piece set and board textures, and the one 55 ms
// timer that ticks every running clock. The main frame owns one and updates
// it when a preference changes; tests make their own.
class CGameShared : public QObject {
    Q_OBJECT
  public:
    enum class Change { Boards, Geometry, Clocks, Labels, Layout, PiecePanel };
    static constexpr int kTickMs = 55;

    explicit CGameShared(QObject* parent = nullptr);
    ~CGameShared() override;

    const CBoardOptions& Options() const { return m_options; }
    // Takes new preferences, reloads the piece set or textures when they
    // changed, and tells every game window what to redo.
    void SetOptions(const CBoardOptions& options);
    const CPieceArt& Pieces() const { return m_pieces; }
    const CBoardTextures& Textures() const { return m_textures; }

    // Clocks register while they exist; Tick reaches the running ones.
    void AddClock(CClockWnd* clock);
    void RemoveClock(CClockWnd* clock);
    // One timer step (the timer calls it; benchmarks call it directly).
    void Tick();
    // False when the timer could not be started: clocks then only show what
    // the server last said.
    bool TimerRunning() const;

  signals:
    void changed(CGameShared::Change change);

  private:
    CBoardOptions m_options;
    CPieceArt m_pieces;
    CBoardTextures m_textures;
    std::vector<CClockWnd*> m_clocks;
    QTimer* m_timer = nullptr;
};
