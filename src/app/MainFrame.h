// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QMainWindow>
#include <memory>
#include <string>

#include "app/OptionsMenu.h"
#include "app/Settings.h"
#include "app/StartWindows.h"

class CConnectionMenus;
class CConsoleFrame;
class CExtraConsoles;
class CGameLists;
class CSeekGraphs;
class CLiveLists;
class COfferDialogs;
class CGameFrame;
class CGameShared;
class CGameView;
class CKordane2Doc;
class CProfile;
class CTextStyles;
class CWindowLayout;
class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QPrinter;
class QToolBar;

// The program's main window: the MDI area that holds every connection's
// windows, the menus (each a small controller), the tool bar with the ten
// user buttons, and the status bar whose last pane shows the active
// connection's "Ready"/"Sent"/"Working". It owns the preferences (loaded when
// it is created, saved when it goes) and the window layout store.
// CKordane2App creates it and hands it each new connection.
class CMainFrame : public QMainWindow {
    Q_OBJECT
  public:
    static constexpr const char* kAppTitle = "Kordane 2";

    explicit CMainFrame(CProfile& profile, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Shows the window where it was last time; a first run shows it
    // maximised and writes the first-run defaults for a screen of this size.
    void RestoreWindowLayout(QSize screen);

    // Opens the main console of a new connection; the connection owns it.
    CConsoleFrame* AddConnection(CKordane2Doc& doc, const QString& title);
    // After the first login of a connection (the main console calls it);
    // true when a notify list opened.
    bool OpenStartWindows(CKordane2Doc& doc);
    // The main console of the connection the active window belongs to.
    CConsoleFrame* ActiveConnectionConsole() const;
    // The text styles every console shares.
    const std::shared_ptr<CTextStyles>& TextStyles() const { return m_textStyles; }

    QMdiArea* MdiArea() const { return m_mdi; }
    // The main console of the active connection, if a console is active.
    CConsoleFrame* ActiveConsole() const;
    QString StatePaneText() const;
    // "R&econnect", enabled only while the active connection is closed.
    QAction* ReconnectAction() const { return m_reconnect; }
    void UpdateReconnect();

    CSettings& Settings() { return m_settings; }
    CWindowLayout& Layout() const { return *m_layout; }
    CStartWindows& StartWindows() { return *m_startWindows; }
    CConnectionMenus& ConnectionMenus() const { return *m_connectionMenus; }
    CExtraConsoles& ExtraConsoles() const { return *m_extraConsoles; }
    CGameLists& GameLists() const { return *m_gameLists; }
    CSeekGraphs& SeekGraphs() const { return *m_seekGraphs; }
    CLiveLists& LiveLists() const { return *m_liveLists; }
    QToolBar* UserToolBar() const { return m_userBar; }
    // The printer and page set-up that every print of this run uses.
    QPrinter& Printer() const { return *m_printer; }
    // What every game window shares (options, pieces, the clock timer).
    CGameShared& GameShared() const { return *m_gameShared; }
    // A new, empty game window of `doc` in the MDI area.
    CGameView* OpenGameWindow(CKordane2Doc& doc);
    // The PGN file game text asked for with a game window's tag goes to.
    const std::string& PgnTarget() const { return m_pgnTarget; }

  signals:
    // A user button (0 for "User Button 1" .. 9 for "User Button 0") was
    // pressed, by the tool bar or Ctrl+1 .. Ctrl+0, with its command text.
    // The active connection's main console expands and sends it.
    void userButton(int index, const QString& text);
    // Open windows of every connection redo what an option change asks.
    void optionEffect(OptionEffect effect);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void CreateMenus();
    void CreateUserToolBar();
    void UpdateUserButtons();
    void OnOptionChanged(CSettings::Option option, OptionEffect effect);
    void UpdateTitle();
    void ShowAbout();
    void CustomizeText();
    void CustomizeChannelColours();
    void SaveMainWindowLayout();
    void StoreGameWindow(CGameFrame* frame);

    CProfile& m_profile;
    CSettings m_settings;
    CWindowLayout* m_layout = nullptr;
    std::unique_ptr<CStartWindows> m_startWindows;
    CConnectionMenus* m_connectionMenus = nullptr;
    CExtraConsoles* m_extraConsoles = nullptr;
    CGameLists* m_gameLists = nullptr;
    CSeekGraphs* m_seekGraphs = nullptr;
    CLiveLists* m_liveLists = nullptr;
    COfferDialogs* m_offerDialogs = nullptr;
    QMdiArea* m_mdi = nullptr;
    QLabel* m_statePane = nullptr;
    QAction* m_reconnect = nullptr;
    QToolBar* m_userBar = nullptr;
    std::shared_ptr<CTextStyles> m_textStyles;
    std::unique_ptr<QPrinter> m_printer;
    CGameShared* m_gameShared = nullptr;
    std::string m_pgnTarget;
    bool m_textColoursChanged = false;
    bool m_channelColoursChanged = false;
};
