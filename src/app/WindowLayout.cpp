// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "app/WindowLayout.h"

#include <QMainWindow>
#include <QWidget>
#include <algorithm>
#include <cstdio>

#include "net/Profile.h"

namespace {

constexpr const char* kKeyPatterns[] = {"Conn_%d",       "Seek_%d",     "Game_%d",
                                        "NotifyList_%d", "GameList_%d", "PGNList_%d",
                                        "EventList_%d",  "SubConn_%d",  "Transient_%d"};
static_assert(std::size(kKeyPatterns) == static_cast<size_t>(WindowKind::Count));

constexpr CWindowLayout::FirstRunRow kFirstRun[] = {
    {WindowKind::Connection, "0,1,-1,-1,-1,-1,-2,0,703,436", "0,1,-1,-1,-1,-1,-2,0,697,374",
     "0,1,-1,-1,-1,-1,-2,0,510,290"},
    {WindowKind::Game, "0,1,-1,-1,-1,-1,331,-1,992,555", "0,1,-1,-1,-1,-1,271,-2,769,410",
     "0,1,-1,-1,-1,-1,99,-2,601,413"},
    {WindowKind::SubConn, "0,1,-1,-1,-1,-1,-2,455,703,709", "0,1,-1,-1,-1,-1,-1,374,521,535",
     "0,1,-1,-1,-1,-1,-4,287,509,414"},
    {WindowKind::Seek, "0,1,-1,-1,-1,-1,597,434,991,682", "0,1,-1,-1,-1,-1,405,304,767,514",
     "0,1,-1,-1,-1,-1,288,235,600,414"},
    {WindowKind::NotifyList, "0,1,-1,-1,-1,-1,859,-1,994,347", "0,1,-1,-1,-1,-1,650,-2,762,240",
     "0,1,-1,-1,-1,-1,488,0,600,242"},
    {WindowKind::EventList, "0,1,-1,-1,-1,-1,0,435,333,670", "0,1,-1,-1,-1,-1,0,374,407,542",
     "0,1,-1,-1,-1,-1,0,286,291,419"},
};

// Sizes beyond this come from a damaged file, not from a screen.
constexpr int kMaxExtent = 16384;

// Show commands that would bring a window back hidden, minimised or
// inactive; the main window is stored maximised instead.
bool HiddenShowCommand(unsigned command) {
    return command == 0 || command == 2 || command == 4 || command == 6 || command == 7 ||
           command == 8;
}

}  // namespace

CWindowLayout::CWindowLayout(CProfile& profile, QObject* parent)
    : QObject(parent), m_profile(profile) {}

std::string CWindowLayout::Key(WindowKind kind, int slot) {
    return SlotKey(kKeyPatterns[static_cast<size_t>(kind)], slot);
}

std::string CWindowLayout::SlotKey(const char* pattern, int slot) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, pattern, slot);
    return buffer;
}

size_t CWindowLayout::SlotList(WindowKind kind) {
    // Game lists and PGN lists are numbered from one list, so "GameList_1"
    // and "PGNList_1" are never open at the same time.
    if (kind == WindowKind::PgnList) kind = WindowKind::GameList;
    return static_cast<size_t>(kind);
}

int CWindowLayout::TakeSlot(WindowKind kind) {
    std::set<int>& used = m_slots[SlotList(kind)];
    int slot = 1;
    while (used.count(slot)) ++slot;
    used.insert(slot);
    return slot;
}

void CWindowLayout::FreeSlot(WindowKind kind, int slot) {
    m_slots[SlotList(kind)].erase(slot);
}

std::optional<WindowPlacement> CWindowLayout::Placement(WindowKind kind, int slot) const {
    return WindowPlacement::Parse(m_profile.GetString(kSection, Key(kind, slot)));
}

bool CWindowLayout::SavePlacement(WindowKind kind, int slot, const WindowPlacement& placement) {
    return m_profile.WriteString(kSection, Key(kind, slot), placement.Format());
}

std::string CWindowLayout::SlotValue(const char* pattern, int slot) const {
    return m_profile.GetString(kSection, SlotKey(pattern, slot));
}

bool CWindowLayout::WriteSlotValue(const char* pattern, int slot, const std::string& value) {
    return m_profile.WriteString(kSection, SlotKey(pattern, slot), value);
}

std::vector<CWindowLayout::Entry>::iterator CWindowLayout::Find(const QWidget* frame) {
    return std::find_if(m_open.begin(), m_open.end(),
                        [frame](const Entry& e) { return e.key == frame; });
}

int CWindowLayout::Open(QWidget* frame, WindowKind kind, QObject* doc) {
    const int slot = TakeSlot(kind);
    m_open.push_back(Entry{frame, frame, kind, slot, doc});
    // A window deleted without closing (its connection went first) still
    // gives its number back.
    connect(frame, &QObject::destroyed, this, [this, frame] {
        auto it = Find(frame);
        if (it == m_open.end()) return;
        FreeSlot(it->kind, it->slot);
        m_open.erase(it);
    });
    if (std::optional<WindowPlacement> placement = Placement(kind, slot))
        ApplyTo(frame, *placement);
    return slot;
}

void CWindowLayout::Close(QWidget* frame) {
    auto it = Find(frame);
    if (it == m_open.end()) return;
    if (it->frame) {
        SavePlacement(it->kind, it->slot, FromWidget(it->frame));
        disconnect(it->frame, &QObject::destroyed, this, nullptr);
    }
    FreeSlot(it->kind, it->slot);
    m_open.erase(it);
}

QObject* CWindowLayout::DocOf(const QWidget* frame) {
    const auto it = Find(frame);
    return it == m_open.end() ? nullptr : it->doc.data();
}

void CWindowLayout::CloseAll(QObject* doc) {
    std::vector<QWidget*> frames;
    for (const Entry& e : m_open) {
        if (e.doc == doc && e.frame) frames.push_back(e.frame);
    }
    for (QWidget* frame : frames) Close(frame);
}

int CWindowLayout::Count(QObject* doc, WindowKind kind) const {
    return static_cast<int>(std::count_if(m_open.begin(), m_open.end(), [&](const Entry& e) {
        return e.doc == doc && e.kind == kind && e.frame;
    }));
}

int CWindowLayout::SlotOf(const QWidget* frame) const {
    for (const Entry& e : m_open) {
        if (e.key == frame) return e.slot;
    }
    return 0;
}

WindowPlacement CWindowLayout::FromWidget(const QWidget* frame) {
    WindowPlacement p;
    // The restored rectangle is kept even while maximised, as the platform
    // kept it, so that un-maximising next time lands where the user had it.
    const QRect r = frame->isMaximized() ? frame->normalGeometry() : frame->geometry();
    const QRect rect = r.isValid() ? r : frame->geometry();
    p.flags = frame->isMaximized() ? WindowPlacement::kRestoreMaximized : 0;
    p.showCommand =
        frame->isMaximized() ? WindowPlacement::kShowMaximized : WindowPlacement::kShowNormal;
    p.left = rect.left();
    p.top = rect.top();
    p.right = rect.left() + rect.width();
    p.bottom = rect.top() + rect.height();
    return p;
}

void CWindowLayout::ApplyTo(QWidget* frame, const WindowPlacement& placement) {
    if (placement.Width() <= 0 || placement.Height() <= 0 || placement.Width() > kMaxExtent ||
        placement.Height() > kMaxExtent || placement.left < -kMaxExtent ||
        placement.top < -kMaxExtent || placement.left > kMaxExtent || placement.top > kMaxExtent) {
        return;
    }
    frame->setGeometry(placement.left, placement.top, static_cast<int>(placement.Width()),
                       static_cast<int>(placement.Height()));
    if (placement.Maximized()) frame->setWindowState(frame->windowState() | Qt::WindowMaximized);
}

bool CWindowLayout::RestoreMainWindow(QMainWindow* window, unsigned showCommand) {
    std::optional<WindowPlacement> stored =
        WindowPlacement::Parse(m_profile.GetString(kSection, kMainKey));
    if (!stored) return false;
    if (showCommand != WindowPlacement::kShowNormal) stored->showCommand = showCommand;
    ApplyTo(window, *stored);
    if (stored->Maximized() || stored->showCommand == WindowPlacement::kShowMaximized) {
        window->showMaximized();
    } else {
        window->show();
    }
    return true;
}

bool CWindowLayout::SaveMainWindow(const QMainWindow* window) {
    WindowPlacement p = FromWidget(window);
    if (HiddenShowCommand(p.showCommand) || window->isMinimized()) {
        p.showCommand = WindowPlacement::kShowMaximized;
    }
    return m_profile.WriteString(kSection, kMainKey, p.Format());
}

void CWindowLayout::WriteFirstRunPlacements(CProfile& profile, QSize screen) {
    auto at = [&](int w, int h) { return screen.width() >= w && screen.height() >= h; };
    for (const FirstRunRow& row : kFirstRun) {
        const char* value = at(1024, 768)  ? row.large
                            : at(800, 600) ? row.medium
                            : at(640, 480) ? row.small
                                           : nullptr;
        if (!value) return;
        profile.WriteString(kSection, Key(row.kind, 1), value);
    }
}
