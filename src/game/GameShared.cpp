// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "game/GameShared.h"

#include <QTimer>
#include <algorithm>

#include "game/ClockWnd.h"

CGameShared::CGameShared(QObject* parent) : QObject(parent) {
    m_pieces.Load(m_options.pieceSet);
    m_textures.Load(m_options.boardStyle);
    m_timer = new QTimer(this);
    m_timer->setInterval(kTickMs);
    connect(m_timer, &QTimer::timeout, this, &CGameShared::Tick);
    // Without an event dispatcher the timer stays inactive; the main frame
    // reads TimerRunning() and warns the user.
    m_timer->start();
}

CGameShared::~CGameShared() = default;

void CGameShared::SetOptions(const CBoardOptions& options) {
    const CBoardOptions old = m_options;
    m_options = options;
    if (old.pieceSet != options.pieceSet) m_pieces.Load(options.pieceSet);
    if (old.boardStyle != options.boardStyle) m_textures.Load(options.boardStyle);

    const bool geometry = old.Is3D() != options.Is3D() || old.drawCoords != options.drawCoords;
    const bool boards =
        old.pieceSet != options.pieceSet || old.boardStyle != options.boardStyle ||
        old.highlightMoves != options.highlightMoves || old.lightSquare != options.lightSquare ||
        old.darkSquare != options.darkSquare || old.highlight != options.highlight ||
        old.arrow != options.arrow || old.circle != options.circle;
    // Geometry first: a board whose squares change size repaints anyway, and
    // the later Boards pass then finds nothing stale.
    if (geometry) emit changed(Change::Geometry);
    if (boards && !geometry) emit changed(Change::Boards);
    if (old.showTenthsAlways != options.showTenthsAlways ||
        old.showTenthsWhenLow != options.showTenthsWhenLow)
        emit changed(Change::Clocks);
    if (old.strength != options.strength) emit changed(Change::Labels);
    if (old.showCaptures != options.showCaptures || old.examinePlunkers != options.examinePlunkers)
        emit changed(Change::PiecePanel);
    if (old.bypassConsole != options.bypassConsole) emit changed(Change::Layout);
}

void CGameShared::AddClock(CClockWnd* clock) {
    if (std::find(m_clocks.begin(), m_clocks.end(), clock) == m_clocks.end())
        m_clocks.push_back(clock);
}

void CGameShared::RemoveClock(CClockWnd* clock) {
    m_clocks.erase(std::remove(m_clocks.begin(), m_clocks.end(), clock), m_clocks.end());
}

void CGameShared::Tick() {
    for (CClockWnd* clock : m_clocks) {
        if (clock->Running()) clock->Tick();
    }
}

bool CGameShared::TimerRunning() const {
    return m_timer && m_timer->isActive();
}
