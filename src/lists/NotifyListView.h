// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <functional>
#include <string_view>

#include "lists/GenericListView.h"

// The people of the user's notify list who are on-line, one name per row,
// kept live from datagrams 64 (arrived) and 65 (departed). The initial names
// come between two datagram 81 markers after the reload command; while they
// load, arrivals are taken silently, and once the list is live every arrival
// and departure goes on to the main console as well, which shows and sounds
// it. A change of the notify list itself (datagram 68) reloads. The popup
// and a double click run the person commands on a row's name. CLiveLists
// opens it, one per connection.
class CNotifyListView : public CGenericListView {
    Q_OBJECT
  public:
    static constexpr const char* kTitle = "Notify List";
    static constexpr const char* kHeading = "Player";
    static constexpr int kPopupMenu = 139;
    static constexpr int kMinColumnWidth = 10;

    enum class LoadState { Idle = 0, AwaitingFirstMarker = 1, Loading = 2, Live = 3 };

    explicit CNotifyListView(CKordane2Doc& doc, QWidget* parent = nullptr);
    ~CNotifyListView() override;

    // Command text goes out through here (the connection by default; tests
    // listen).
    void SetSender(std::function<void(std::string_view)> send) { m_send = std::move(send); }
    // Joins the connection's sinks, asks for datagrams 65 and 68 and loads
    // the names. The destructor gives up 68 and the sink; 64 and 65 stay on
    // so that the main console keeps showing arrivals.
    void Start();
    // Undoes Start (the window closes).
    void Stop();
    // A new login of the same connection: the server has forgotten what the
    // list asked for, so it asks again and loads the names afresh.
    void Restart();
    // Asks the server for the names again, unless a load is just starting.
    void Reload();
    LoadState State() const { return m_state; }

    int Receive(std::unique_ptr<CServerMessage>& message) override;

  signals:
    void closing();

  protected:
    bool BuildPopupMenu(QMenu& menu) override;
    int DefaultCommand() const override;
    void RunCommand(int id) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void AddName(const QString& name);
    void FitColumn();

    CKordane2Doc& m_doc;
    std::function<void(std::string_view)> m_send;
    LoadState m_state = LoadState::Idle;
    bool m_started = false;
};
