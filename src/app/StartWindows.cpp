// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "app/StartWindows.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWidget>

#include "app/Settings.h"
#include "app/WindowLayout.h"
#include "net/qt/Kordane2Doc.h"

CStartWindows::CStartWindows(CSettings& settings, CWindowLayout& layout, CProfile& profile)
    : m_settings(settings), m_layout(layout), m_profile(profile) {}

bool CStartWindows::Open(CKordane2Doc& doc, QWidget* mainConsole) {
    using W = CSettings::StartWindow;
    auto open = [&doc](const Opener& opener) { return opener && opener(doc); };
    if (!doc.Reconnecting()) {
        if (m_settings.StartCount(W::GameViews) > 0) open(m_openers.gameBoard);
        for (int i = 0; i < m_settings.StartCount(W::ConsoleSubViews); ++i) {
            open(m_openers.extraConsole);
        }
    }
    // A list still open from before a reconnection is wanted as well: its
    // opener makes it ask the new session for its datagrams again.
    const auto wanted = [&](W count, WindowKind kind) {
        return m_settings.StartCount(count) > 0 || m_layout.Count(&doc, kind) > 0;
    };
    const bool notifyList =
        wanted(W::NotifyListViews, WindowKind::NotifyList) && open(m_openers.notifyList);
    if (m_settings.StartCount(W::SeekViews) > 0) open(m_openers.seekGraph);
    if (wanted(W::EventListViews, WindowKind::EventList)) open(m_openers.eventList);
    m_opened = true;
    // On top and active, so that typing goes on into the main console.
    auto* frame = qobject_cast<QMdiSubWindow*>(mainConsole);
    if (frame && frame->mdiArea()) {
        frame->mdiArea()->setActiveSubWindow(frame);
    } else if (mainConsole) {
        mainConsole->raise();
    }
    return notifyList;
}

void CStartWindows::Record(CKordane2Doc& doc) {
    if (!m_opened) return;
    using W = CSettings::StartWindow;
    m_settings.SetStartCount(W::GameViews, m_layout.Count(&doc, WindowKind::Game));
    m_settings.SetStartCount(W::SeekViews, m_layout.Count(&doc, WindowKind::Seek));
    m_settings.SetStartCount(W::ConsoleSubViews, m_layout.Count(&doc, WindowKind::SubConn));
    m_settings.SetStartCount(W::NotifyListViews, m_layout.Count(&doc, WindowKind::NotifyList));
    m_settings.SetStartCount(W::EventListViews, m_layout.Count(&doc, WindowKind::EventList));
    m_settings.SaveStartWindows(m_profile);
}
