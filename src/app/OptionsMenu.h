// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QObject>
#include <vector>

#include "app/Settings.h"

class QAction;
class QMenu;
class QWidget;

// What open windows must redo after an option changed; windows of every
// connection subscribe to CMainFrame::optionEffect for the ones they show.
enum class OptionEffect {
    None,        // the option is read when next needed
    GameLists,   // game-list datagrams switched for every connection
    GameLayout,  // every game window lays itself out again
    GameLabels,  // every game window renews its player labels
    PiecePanel,  // every game window lays out and repaints its piece panel
    SeekFilter,  // every seek graph filters again and repaints
    Boards,      // every board repaints
    Clocks,      // every game window repaints its clocks
    Links,       // every console marks links in new text, or stops
};

// The preference items of the Options menu: yes/no options with a check
// mark, the choice submenus (board style, piece set, dragged piece,
// animation speed), the board colours and the user buttons. Each item changes
// the settings facade and reports what open windows must redo; CMainFrame
// owns it and acts on the report.
class COptionsMenu : public QObject {
    Q_OBJECT
  public:
    COptionsMenu(QMenu* options, CSettings& settings, QWidget* dialogParent);

    // The item for a yes/no option, or nullptr.
    QAction* ToggleFor(CSettings::Option option) const;

  signals:
    void optionChanged(CSettings::Option option, OptionEffect effect);
    void userButtonsChanged();
    void customizeText();
    // The active extra console's routing, helper entries and title.
    void customizeConsole();
    void customizeChannelColours();

  private:
    struct Choice {
        QAction* action;
        CSettings::Option option;
        int value;
    };
    void AddToggles(QMenu* menu, int first, int last);
    void AddChoices(QMenu* menu, CSettings::Option option, const char* const* texts,
                    const int* values, int count);
    void AddColourItems(QMenu* menu);
    void UpdateChecks();

    CSettings& m_settings;
    QWidget* m_dialogParent;
    std::vector<std::pair<QAction*, CSettings::Option>> m_toggles;
    std::vector<Choice> m_choices;
};
