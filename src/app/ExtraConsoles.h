// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QObject>
#include <memory>
#include <vector>

#include "console/ChatText.h"

class CConsoleSubView;
class CCustomizeConsoleDlg;
class CKordane2Doc;
class COpenChatDlg;
class CTextStyles;
class CWindowLayout;
class QMdiArea;
class QWidget;

// The extra consoles of every connection, as the main frame sees them: the
// Window menu's "&New Generic Console" and "N&ew Channel/Chat Console...",
// the Options menu's "Customize C&onsole...", and where each console is
// remembered. A console that is not temporary takes the title, channels,
// helper entries and routing flags last stored for its slot when it opens,
// and stores them again when it closes; a temporary one only its place.
class CExtraConsoles : public QObject {
    Q_OBJECT
  public:
    static constexpr const char* kTitleKey = "SubConnTitle_%d";
    static constexpr const char* kChannelsKey = "SubConnChannels_%d";
    static constexpr const char* kComboKey = "SubConnCombo_%d";
    static constexpr const char* kComboPrefixesKey = "SubConnComboPrefixes_%d";
    static constexpr const char* kInterceptsKey = "SubConnIntercepts_%d";
    static constexpr const char* kNotAConsole =
        "First, activate the console window you wish to customize, then choose this menu-item "
        "again.  (Note: the main console can not be customized this way.)";

    CExtraConsoles(CWindowLayout& layout, QMdiArea* mdi, std::shared_ptr<const CTextStyles> styles,
                   QWidget* dialogParent);

    // "&New Generic Console" (and the start windows): a console set up as
    // the last one of its slot was.
    CConsoleSubView* OpenConsole(CKordane2Doc& doc);
    // "N&ew Channel/Chat Console...": asks, then opens; nullptr if cancelled.
    CConsoleSubView* OpenChatConsole(CKordane2Doc& doc);
    // Opens a console set up from the answers of an "Open Chat Window".
    CConsoleSubView* OpenChatConsole(CKordane2Doc& doc, const COpenChatDlg& answers);
    // A console another window opened (a temporary one): remembered here from
    // now on.
    void Adopt(CConsoleSubView& view);

    // "Customize C&onsole..." on the active window; a message when that is
    // not an extra console.
    void CustomizeActive();
    // Applies an accepted "Customize console" to `view`. A new channel list
    // takes those channels, and the shout classes the console routes, away
    // from every other extra console of the connection.
    void Customize(CConsoleSubView& view, const CCustomizeConsoleDlg& answers);

    // Stores a console's layout and frees its slot (its frame is closing).
    void Store(CConsoleSubView& view);
    // Store for every extra console of the connection.
    void StoreAll(const CKordane2Doc& doc);
    std::vector<CConsoleSubView*> ConsolesOf(const CKordane2Doc& doc) const;

  private:
    void Restore(CConsoleSubView& view, int slot);
    void SetUpChat(CConsoleSubView& view, const ChatText::ChatConsolePlan& plan);

    CWindowLayout& m_layout;
    QMdiArea* m_mdi;
    std::shared_ptr<const CTextStyles> m_styles;
    QWidget* m_dialogParent;
};
