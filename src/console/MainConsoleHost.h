// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "console/PopupList.h"
#include "net/MainDispatch.h"

class CKordane2Doc;
class QWidget;

// The main console's dispatcher meets the rest of the program here: the
// console window (text, title) through `view`, the connection document
// (parameters, file, sounds, settings, reconnects), the popups and the
// browser. Keeping these apart from the console window lets the window stay
// about text and typing.
class CMainConsoleHost : public IMainConsoleHost {
  public:
    // `view` is the console window; `widget` is the same window as a widget
    // (the popups' parent, raised at login).
    CMainConsoleHost(IMainConsoleHost& view, QWidget* widget, CKordane2Doc& doc);

    // The browser hand-off and the warning box come from the application.
    void SetUrlOpener(std::function<bool(const QString&)> open) { m_openUrl = std::move(open); }
    void SetWarning(std::function<void(const QString&)> warn) { m_warn = std::move(warn); }
    // The main frame's "Disable Challenge Popups", which takes effect at once;
    // without it the stored setting is read.
    void SetBypassMatch(std::function<bool()> bypass) { m_bypassMatch = std::move(bypass); }
    // Game starts that no game window took open a new one here; without an
    // opener the console view is asked (and drops them).
    using GameWindowOpener = std::function<bool(std::unique_ptr<CServerMessage>&)>;
    void SetGameWindowOpener(GameWindowOpener open) { m_openGame = std::move(open); }
    // Game lists that no list window took open a new one here; without an
    // opener the console view is asked (and drops them).
    using GameListOpener = std::function<bool(std::unique_ptr<CServerMessage>&, bool)>;
    void SetGameListOpener(GameListOpener open) { m_openList = std::move(open); }
    // The main frame's PGN target, which tagged game text is appended to.
    void SetTaggedGameFile(std::function<std::string()> file) { m_taggedFile = std::move(file); }
    // The connection's server dialog; without one its datagrams are dropped.
    using ServerDialogHandler = std::function<void(const CServerMessage&)>;
    void SetServerDialogHandler(ServerDialogHandler handler) {
        m_serverDialog = std::move(handler);
    }
    CPopupList& Popups() { return m_popups; }

    // The console window's own part.
    void ShowConsoleText(std::string_view text) override { m_view.ShowConsoleText(text); }
    void ShowMessageText(std::string_view text, const CServerMessage& message) override {
        m_view.ShowMessageText(text, message);
    }
    bool LogsInAutomatically() const override { return m_view.LogsInAutomatically(); }
    bool OpenGameWindow(std::unique_ptr<CServerMessage>& message) override {
        return m_openGame ? m_openGame(message) : m_view.OpenGameWindow(message);
    }
    bool OpenGameList(std::unique_ptr<CServerMessage>& message, bool history) override {
        return m_openList ? m_openList(message, history) : m_view.OpenGameList(message, history);
    }
    std::vector<std::string> PluginNames() const override;
    void AuthenticatePlugins() override;
    void PluginAuthResult(int index, const std::string& text) override;
    bool OpenStartWindows() override { return m_view.OpenStartWindows(); }
    void ServerValuesChanged() override { m_view.ServerValuesChanged(); }
    std::string TaggedGameFile() const override {
        return m_taggedFile ? m_taggedFile() : m_view.TaggedGameFile();
    }
    void OnLoggedIn(const std::string& handle) override;

    // The connection's part.
    void PlaySoundEvent(SoundEvent event) override;
    bool BypassMatch() const override;
    void ShowPopup(const PopupContent& popup) override { m_popups.Show(popup); }
    void ClosePopupsNamed(const std::string& name) override { m_popups.CloseNamed(name); }
    void CloseSuggestionPopup(const std::string& id) override { m_popups.CloseId(id); }
    bool OpenUrl(const std::string& url) override;
    void ShowWarning(std::string_view text) override;
    void MarkModified() override;
    void SaveIfModified() override;
    void Redirect() override;
    CProfile* Settings() override;
    void ServerDialogDatagram(const CServerMessage& message) override {
        if (m_serverDialog) m_serverDialog(message);
    }

  private:
    IMainConsoleHost& m_view;
    QWidget* m_widget;
    CKordane2Doc& m_doc;
    CPopupList m_popups;
    std::function<bool(const QString&)> m_openUrl;
    std::function<void(const QString&)> m_warn;
    std::function<bool()> m_bypassMatch;
    GameWindowOpener m_openGame;
    GameListOpener m_openList;
    std::function<std::string()> m_taggedFile;
    ServerDialogHandler m_serverDialog;
};
