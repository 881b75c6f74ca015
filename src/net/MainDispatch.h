// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Version.h"
#include "net/ServerMessage.h"
#include "net/ServerMessageSink.h"
#include "net/SoundEvent.h"

class CStreamParser;

// What the main console's dispatcher needs from the console window and the
// connection document around it. Defaults do nothing, so windows that do not
// exist yet simply drop their datagrams.
class IMainConsoleHost {
  public:
    virtual ~IMainConsoleHost() = default;
    // Text for the console pane, shown as it stands (never as markup).
    virtual void ShowConsoleText(std::string_view text) = 0;
    // Text that `message` brought, shown in the message's text class.
    virtual void ShowMessageText(std::string_view text, const CServerMessage& /*message*/) {
        ShowConsoleText(text);
    }
    // True when the connection answers the login prompt by itself: guest
    // flag set or a handle given.
    virtual bool LogsInAutomatically() const = 0;
    // A game start that no game window took: open one and give it the
    // message. Returns true when a window took it.
    virtual bool OpenGameWindow(std::unique_ptr<CServerMessage>& /*message*/) { return false; }
    // A game list begins: open a list window of the kind field 1 names.
    virtual bool OpenGameList(std::unique_ptr<CServerMessage>& /*message*/, bool /*history*/) {
        return false;
    }
    virtual void PlaySoundEvent(SoundEvent /*event*/) {}
    // The first login confirmation arrived (the views are told; the start
    // windows open).
    virtual void OnLoggedIn(const std::string& /*handle*/) {}
    // Plug-in names for the interface line sent after login.
    virtual std::vector<std::string> PluginNames() const { return {}; }
};

// The main console's handling of every message no other window consumed:
// console text with its line filters, level-1 output, and datagrams by number.
class CMainDispatch : public IServerMessageSink {
  public:
    static constexpr const char* kInterfaceName = kVersionText;

    CMainDispatch(IMainConsoleHost& host, CStreamParser& parser);

    int Receive(std::unique_ptr<CServerMessage>& message) override;

    // Per-connection state, cleared when the connection closes.
    void ResetConnectionState();

    int LoginStage() const { return m_loginStage; }
    const std::string& OwnHandle() const { return m_ownHandle; }
    bool ComputerAccount() const { return m_computerAccount; }
    const std::string& LastTeller() const { return m_lastTeller; }

  private:
    void ShowServerText(const CServerMessage& message);
    bool Suppressed(std::string_view line) const;
    bool NeedsFilter(std::string_view piece) const;
    void HandleDatagram(std::unique_ptr<CServerMessage>& message);
    void LoginConfirmation(const CServerMessage& message);

    IMainConsoleHost& m_host;
    CStreamParser& m_parser;
    int m_loginStage = 0;
    bool m_suppressLine = false;
    std::string m_ownHandle;
    bool m_computerAccount = false;
    std::string m_lastTeller;
};
