// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
// Test stand-in for the clocks until their real source is in the tree: the
// time is kept as set, without counting down. Not part of any program.
#include <QPainter>

#include "game/ClockWnd.h"

CClockWnd::CClockWnd(CGameShared& shared, const QString& name, QWidget* parent)
    : QWidget(parent), m_shared(shared) {
    setObjectName(name);
}
CClockWnd::~CClockWnd() = default;
void CClockWnd::Set(int32_t ms, bool run) {
    m_remaining = ms;
    m_lastSet = ms;
    m_running = run;
}
void CClockWnd::Stop() {
    if (m_running) m_lastSet = m_remaining;
    m_running = false;
}
void CClockWnd::AddSeconds(int seconds) {
    m_remaining += seconds * 1000;
}
void CClockWnd::Resume() {
    m_running = true;
    m_remaining = m_lastSet;
}
void CClockWnd::Tick() {}
void CClockWnd::SetActive(bool active) {
    m_active = active;
}
void CClockWnd::SetBlank(bool blank) {
    m_blank = blank;
}
void CClockWnd::SetFullErase() {}
int32_t CClockWnd::RemainingNow() const {
    return m_remaining;
}
QString CClockWnd::Text() const {
    return QString::number(m_remaining);
}
void CClockWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawText(rect(), Qt::AlignCenter, Text());
}
void CClockWnd::resizeEvent(QResizeEvent*) {}
