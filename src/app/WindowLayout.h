// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QObject>
#include <QPointer>
#include <QSize>
#include <array>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "net/WindowPlacement.h"

class CProfile;
class QMainWindow;
class QWidget;

// Every kind of window that remembers its place, with its "Layout" key.
enum class WindowKind {
    Connection,  // "Conn_%d"
    Seek,        // "Seek_%d"
    Game,        // "Game_%d"
    NotifyList,  // "NotifyList_%d"
    GameList,    // "GameList_%d"
    PgnList,     // "PGNList_%d"
    EventList,   // "EventList_%d"
    SubConn,     // "SubConn_%d", extra consoles
    Transient,   // "Transient_%d", temporary consoles
    Count
};

// Where windows go: the slot numbers in use for each kind of window, the
// placement stored for each kind and slot in the "Layout" section, and the
// main window's own placement. The main frame owns one. A window calls Open
// when it is created (it gets the smallest free slot and that slot's stored
// place) and Close when its frame closes (its place is stored and the slot
// freed); when its connection closes, CloseAll stores every window of it.
// Placements are written when each window closes, not at the end.
class CWindowLayout : public QObject {
    Q_OBJECT
  public:
    static constexpr const char* kSection = "Layout";
    static constexpr const char* kMainKey = "Kordane";

    explicit CWindowLayout(CProfile& profile, QObject* parent = nullptr);

    // "Game_3" and the like.
    static std::string Key(WindowKind kind, int slot);
    // A per-window value of a kind and slot, such as "GameConsoleHeight_%d"
    // or "SubConnTitle_%d"; `pattern` holds one "%d".
    static std::string SlotKey(const char* pattern, int slot);

    // Smallest positive slot not in use for the kind (game and PGN lists
    // share their numbers); the caller owns it until FreeSlot.
    int TakeSlot(WindowKind kind);
    void FreeSlot(WindowKind kind, int slot);

    std::optional<WindowPlacement> Placement(WindowKind kind, int slot) const;
    bool SavePlacement(WindowKind kind, int slot, const WindowPlacement& placement);
    std::string SlotValue(const char* pattern, int slot) const;
    bool WriteSlotValue(const char* pattern, int slot, const std::string& value);

    // A new window of `doc`: takes a slot and moves `frame` to the slot's
    // stored place, if there is one. Returns the slot.
    int Open(QWidget* frame, WindowKind kind, QObject* doc);
    // Stores the frame's place and frees its slot; a second call does nothing.
    void Close(QWidget* frame);
    // Close for every window of the connection still open.
    void CloseAll(QObject* doc);
    // The connection an open window was registered with, or nullptr.
    QObject* DocOf(const QWidget* frame);
    // Open windows of a kind, of one connection.
    int Count(QObject* doc, WindowKind kind) const;
    // 0 when the frame is not registered.
    int SlotOf(const QWidget* frame) const;

    // The stored main-window place; false on a first run (nothing stored).
    // A show command other than normal from the caller replaces the stored one.
    bool RestoreMainWindow(QMainWindow* window, unsigned showCommand);
    bool SaveMainWindow(const QMainWindow* window);

    // First-run placements for slot 1 of each kind, chosen by screen size;
    // nothing on a screen below 640x480.
    struct FirstRunRow {
        WindowKind kind;
        const char* large;   // at least 1024x768
        const char* medium;  // at least 800x600
        const char* small;   // at least 640x480
    };
    static void WriteFirstRunPlacements(CProfile& profile, QSize screen);

    static WindowPlacement FromWidget(const QWidget* frame);
    // Moves and resizes without raising or activating.
    static void ApplyTo(QWidget* frame, const WindowPlacement& placement);

  private:
    struct Entry {
        QPointer<QWidget> frame;
        const QWidget* key;  // the frame's address, valid for lookup after it went
        WindowKind kind;
        int slot;
        QPointer<QObject> doc;
    };
    static size_t SlotList(WindowKind kind);
    std::vector<Entry>::iterator Find(const QWidget* frame);

    CProfile& m_profile;
    std::array<std::set<int>, static_cast<size_t>(WindowKind::Count)> m_slots;
    std::vector<Entry> m_open;
};
