// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QSize>
#include <QString>
#include <cstdint>
#include <string_view>
#include <vector>

#include "dialogs/DialogTemplate.h"

class QDialog;
class QFont;
class QWidget;

// The window classes a server dialog knows; anything else is `Other` and
// becomes an empty placeholder.
enum class DialogControlKind { Button, Edit, Static, ListBox, ScrollBar, ComboBox, Other };

// One child window of a server dialog, in creation order.
struct SDialogControl {
    DialogControlKind kind = DialogControlKind::Other;
    std::uint32_t id = 0;
    std::uint32_t style = 0;
    QWidget* widget = nullptr;
    // The text of a window that does not show one (list box, scroll bar,
    // placeholder): set and read back like any other window text.
    QString windowText;
};

// Turns a parsed dialog template into Qt widgets inside a dialog, placed in
// dialog units of the template's font, and reads and writes the controls'
// values the way a server dialog transfers them. CServerDialog uses it.
class CDialogBuilder {
  public:
    // Window and control style bits that the builder reads.
    static constexpr std::uint32_t kWsVisible = 0x10000000;
    static constexpr std::uint32_t kWsDisabled = 0x08000000;
    static constexpr std::uint32_t kWsGroup = 0x00020000;
    static constexpr std::uint32_t kWsTabStop = 0x00010000;
    static constexpr std::uint32_t kWsVScroll = 0x00200000;
    static constexpr std::uint32_t kWsHScroll = 0x00100000;

    // Check states as a button reports them.
    static constexpr int kUnchecked = 0;
    static constexpr int kChecked = 1;
    static constexpr int kIndeterminate = 2;

    // Sets the dialog's title, font and fixed size and creates one child per
    // control of `dialogTemplate`, then adds the list and combo boxes'
    // initial strings. The dialog must have no children yet.
    static std::vector<SDialogControl> Build(const CDialogTemplate& dialogTemplate,
                                             QDialog& dialog);

    // The dialog's font as the template names it (the application's font
    // when it names none).
    static QFont TemplateFont(const CDialogTemplate& dialogTemplate, const QFont& fallback);
    // Pixels per 4 horizontal and per 8 vertical dialog units: the average
    // width of the font's letters and the font's height.
    static QSize BaseUnits(const QFont& font);

    static DialogControlKind KindOf(const SResourceId& windowClass);

    static QString Text(const SDialogControl& control);
    static void SetText(SDialogControl& control, const QString& text);
    // List or combo box selection; -1 for none.
    static int Selection(const SDialogControl& control);
    static void SetSelection(SDialogControl& control, int index);
    static int CheckState(const SDialogControl& control);
    static void SetCheckState(SDialogControl& control, int state);

    static QString FromWindows1252(std::string_view bytes);
};
