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

class CProfile;
class CStreamParser;
struct ConnectionParams;
struct PopupContent;
struct ServerValues;

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
    // Asks the server to approve each plug-in (after the first login
    // confirmation), and its answer for plug-in `index`.
    virtual void AuthenticatePlugins() {}
    virtual void PluginAuthResult(int /*index*/, const std::string& /*text*/) {}
    // The windows remembered from the last run. True when a notify list was
    // among them: it then asks for arrivals and departures itself.
    virtual bool OpenStartWindows() { return false; }
    // Ratings or the formula texts changed: the views that show them redraw.
    virtual void ServerValuesChanged() {}
    // The user turned challenge popups off.
    virtual bool BypassMatch() const { return false; }
    virtual void ShowPopup(const PopupContent& /*popup*/) {}
    // Closes every popup of that challenger.
    virtual void ClosePopupsNamed(const std::string& /*name*/) {}
    // Closes the first popup of that suggestion.
    virtual void CloseSuggestionPopup(const std::string& /*id*/) {}
    // Hands a web address to the browser; false (the user has been told)
    // when it was refused or no browser took it.
    virtual bool OpenUrl(const std::string& /*url*/) { return false; }
    // The game file that tagged game text goes to; empty when none is set.
    virtual std::string TaggedGameFile() const { return {}; }
    // A warning in a message box.
    virtual void ShowWarning(std::string_view /*text*/) {}
    // The connection's parameters changed: mark the document modified.
    virtual void MarkModified() {}
    // Saves the document when it is modified.
    virtual void SaveIfModified() {}
    // The parameters name another server: close this connection as if the
    // server had closed it, then connect to the new address.
    virtual void Redirect() {}
    // The settings file (wild-variant names); nullptr when there is none.
    virtual CProfile* Settings() { return nullptr; }
    // Datagrams 105 to 109, for the connection's server dialog.
    virtual void ServerDialogDatagram(const CServerMessage& /*message*/) {}
};

// The main console's handling of every message no other window consumed:
// console text with its line filters, level-1 output, and datagrams by number.
class CMainDispatch : public IServerMessageSink {
  public:
    static constexpr const char* kInterfaceName = kVersionText;

    CMainDispatch(IMainConsoleHost& host, CStreamParser& parser, ConnectionParams& params,
                  ServerValues& values);

    int Receive(std::unique_ptr<CServerMessage>& message) override;

    // Per-connection state, cleared when the connection closes.
    void ResetConnectionState();

    int LoginStage() const { return m_loginStage; }
    const std::string& OwnHandle() const;
    bool ComputerAccount() const;
    const std::string& LastTeller() const;

  private:
    void ShowServerText(const CServerMessage& message);
    bool Suppressed(std::string_view line) const;
    bool NeedsFilter(std::string_view piece) const;
    void HandleDatagram(std::unique_ptr<CServerMessage>& message);
    void LoginConfirmation(const CServerMessage& message);
    void Challenge(const CServerMessage& message);
    void Suggestion(const CServerMessage& message);
    void SaveGameText(const CServerMessage& message);
    void SetLogin(const CServerMessage& message);
    void WildNamesVersion(const CServerMessage& message);
    void Redirect(const CServerMessage& message);
    void ShowDatagramText(const CServerMessage& message);

    IMainConsoleHost& m_host;
    CStreamParser& m_parser;
    ConnectionParams& m_params;
    ServerValues& m_values;
    int m_loginStage = 0;
    bool m_suppressLine = false;
    int m_highestWildIndex = 0;
};
