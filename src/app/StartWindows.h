// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <functional>

class CKordane2Doc;
class CProfile;
class CSettings;
class CWindowLayout;
class QWidget;

// The windows a connection opens when the user has logged in, and their
// count remembered when a connection closes, so that the next connection
// looks like the last. The counts are the "Start Windows" settings; the
// windows of each kind open through a hook that the window's own code sets
// (a kind without a hook is counted but not opened).
class CStartWindows {
  public:
    // Returns whether the window opened.
    using Opener = std::function<bool(CKordane2Doc& doc)>;
    struct Openers {
        Opener gameBoard;     // one new game board
        Opener extraConsole;  // one extra console (not a temporary one)
        Opener notifyList;
        Opener seekGraph;
        Opener eventList;
    };

    CStartWindows(CSettings& settings, CWindowLayout& layout, CProfile& profile);

    Openers& Hooks() { return m_openers; }

    // After the first login of `doc`: the windows the counts ask for, then
    // the main console on top. A reconnection opens no new game board or
    // extra consoles. True when a notify list opened; otherwise the caller
    // asks for arrivals and departures as console text.
    bool Open(CKordane2Doc& doc, QWidget* mainConsole);
    bool Opened() const { return m_opened; }
    // When `doc` closes: its open windows, by kind, become the counts (in the
    // file and for the next connection), once start windows have been opened.
    void Record(CKordane2Doc& doc);

  private:
    CSettings& m_settings;
    CWindowLayout& m_layout;
    CProfile& m_profile;
    Openers m_openers;
    bool m_opened = false;
};
