// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QAbstractScrollArea>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "net/ServerMessageSink.h"

class CConsoleSubView;
class CKordane2Doc;

// The server's events (tournaments, broadcasts, lectures) of one connection:
// one row per event in ascending id order, each with up to three action icons
// (Information, Watch, Join) and a word-wrapped description. Datagram 103
// adds or changes an event, 104 removes one. A click on an icon sends the
// event's action: into a new temporary console, tagged with its id, unless
// the event asks for the action to go out untagged (or Ctrl is held); a web
// address goes to the browser instead. The list opens and closes through
// CEventLists, which keeps one per connection.
class CEventListView : public QAbstractScrollArea, public IServerMessageSink {
    Q_OBJECT
  public:
    static constexpr const char* kTitle = "Events - ";
    static constexpr const char* kGuestRefusal =
        "Sorry, you must be a registered VCX member to participate in this event.";
    static constexpr std::array<const char*, 3> kTips = {"Information", "Watch", "Join"};
    // Icon columns start here, 20 pixels apart; the description starts at
    // kTextLeft.
    static constexpr int kIconLeft = 2;
    static constexpr int kIconStep = 20;
    static constexpr int kIconSize = 18;
    static constexpr int kTextLeft = 62;
    static constexpr int kMinTextWidth = 10;
    static constexpr int kRowPadding = 5;

    enum Action { Information = 0, Watch = 1, Join = 2 };
    enum Flag {
        GuestsWelcome = 1,
        UntaggedJoin = 2,
        UntaggedWatch = 4,
        UntaggedInformation = 8,
    };

    struct Event {
        int id = 0;
        int flags = 0;
        QString description;
        std::array<QString, 3> actions;  // by Action
        QString question;                // asked before Join; empty: none
        int height = 0;                  // wrapped description plus padding
    };

    // The outside world, replaceable in tests.
    struct Hooks {
        // A command text (lines, each ending in "\n").
        std::function<void(std::string_view)> send;
        // A new temporary console of the connection, or nullptr.
        std::function<CConsoleSubView*()> openTemporaryConsole;
        std::function<void(const QString&)> openUrl;
        // Yes/No; true for Yes.
        std::function<bool(const QString&)> ask;
        std::function<void(const QString&)> refuse;
    };

    explicit CEventListView(CKordane2Doc& doc, QWidget* parent = nullptr);
    ~CEventListView() override;

    Hooks& GetHooks() { return m_hooks; }
    // Joins the connection's sinks and asks for the event datagrams; the
    // destructor undoes both.
    void Start();
    // Undoes Start (the window closes).
    void Stop();
    // A new login of the same connection: events may have ended meanwhile,
    // so the list starts empty and asks for every event again.
    void Restart();

    const std::vector<Event>& Events() const { return m_events; }
    int TotalHeight() const { return m_totalHeight; }
    // Top of the row at `index`, in content coordinates.
    int RowTop(size_t index) const;

    // Datagrams 103 and 104; everything else is left alone.
    int Receive(std::unique_ptr<CServerMessage>& message) override;

    // The event and action under a point of the viewport, if any.
    struct Hit {
        size_t row;
        Action action;
    };
    std::optional<Hit> HitTest(QPoint point) const;
    // What a click on `hit` does, `ctrl` being the state of the Ctrl key.
    void Activate(const Hit& hit, bool ctrl);

  signals:
    // The window is closing: its place is to be stored now.
    void closing();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;

  private:
    void Update(const CServerMessage& message);
    void Remove(int id);
    int TextWidth() const;
    int Measure(const QString& description) const;
    void UpdateScrollRange();
    void DefaultHooks();

    CKordane2Doc& m_doc;
    Hooks m_hooks;
    std::vector<Event> m_events;  // ascending id
    int m_totalHeight = 0;
    bool m_started = false;
};
