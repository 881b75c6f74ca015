// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
// Test stand-in for the shared game preferences until their real source is
// in the tree: options are taken as given, no art is loaded, no timer runs.
// Not part of any program.
#include <algorithm>

#include "game/GameShared.h"

CGameShared::CGameShared(QObject* parent) : QObject(parent) {}
CGameShared::~CGameShared() = default;
void CGameShared::SetOptions(const CBoardOptions& options) {
    m_options = options;
    emit changed(Change::Layout);
    emit changed(Change::Labels);
}
void CGameShared::AddClock(CClockWnd* clock) {
    m_clocks.push_back(clock);
}
void CGameShared::RemoveClock(CClockWnd* clock) {
    std::erase(m_clocks, clock);
}
void CGameShared::Tick() {}
bool CGameShared::TimerRunning() const {
    return true;
}
