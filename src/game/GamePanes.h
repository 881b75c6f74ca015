// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QString>

class CGameView;

// Places a game view's children (console, splitter, and the board area by
// CGameLayout's arithmetic), sizes its fonts and buttons, and writes its
// labels, information line and title. A part of the view that works on its
// widgets directly.
class CGamePanes {
  public:
    explicit CGamePanes(CGameView& view) : m_view(view) {}

    // The console below the splitter, then the board area above it.
    void PlacePanes();
    // The splitter was dropped with the board area `upperHeight` high.
    void SetConsoleSplit(int upperHeight);
    // Shows the buttons of the mode and measures the widest.
    void MeasureButtons();
    void DoLayout();
    void UpdateLabels();
    void UpdateTitle();
    static QString TitleText(const CGameView& view);

  private:
    CGameView& m_view;
};
