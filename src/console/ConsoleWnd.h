// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QPointer>
#include <QString>
#include <QTextCharFormat>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "console/LinkScanner.h"

class CCommandEdit;
class CConsoleFindDlg;
class CConsoleText;
class QComboBox;
class QFile;
class QPrinter;
class QTextCursor;

// The console window every console of the program is made of: the text pane
// (CConsoleText), the command entry (CCommandEdit) and, once a helper entry is
// added, the "Command Helper" list in front of the entry. Its owner (the
// main console view, an extra console, a game window) appends text in a
// style and hears enterPressed when the user sends a command.
//
// Appends are collected and laid out once per event-loop turn: the layout of
// a visible pane, not the text, is what costs, and a flood of server lines
// laid out one by one would freeze the window. The pane ends exactly as if
// every append had been laid out on its own (same text, same styles, same
// trimming of the oldest lines).
//
// Fresh text is scanned for links (CLinkScanner) as it is laid out; a click
// on one asks the owner to run a command or open an address. A right-click
// on a selection offers the person popup for the selected name.
class CConsoleWnd : public QWidget {
    Q_OBJECT
  public:
    // The pane keeps at most kKeepLines lines before an append; past that the
    // oldest kTrimStep lines go, so trimming stays rare.
    static constexpr int kKeepLines = 1050;
    static constexpr int kTrimStep = 50;
    static constexpr int kEntryHeight = 22;
    static constexpr uint32_t kLogLineColour = 0x808080;

    explicit CConsoleWnd(QWidget* parent = nullptr);
    ~CConsoleWnd() override;

    CConsoleText* Text() const { return m_text; }
    CCommandEdit* Entry() const { return m_entry; }

    // Appends `text` in one style. Carriage returns are dropped, and a final
    // line break is held back until more text comes, so that the pane never
    // ends in an empty line.
    void AppendText(const QString& text, uint32_t rgb, bool bold, bool italic, bool underline);
    void AppendStyled(const QString& text, uint32_t colourWord);
    // Server bytes as text. The server's text is ASCII in practice; bytes that
    // are not valid UTF-8 come from older Latin-1 text and are shown as such,
    // not as U+FFFD.
    static QString FromServerBytes(std::string_view bytes);
    // Lays out whatever was appended since the last turn (normally queued).
    void FlushPending();

    // "Disable Hyperlinks": text appended from now on gets no links; links
    // already in the pane stay and still work.
    void SetLinksDisabled(bool disabled) { m_linksDisabled = disabled; }
    bool LinksDisabled() const { return m_linksDisabled; }
    // The choice consoles created later start with (the main frame's).
    static void SetLinksDisabledForNewConsoles(bool disabled);
    // What a click on `link` asks for (commandRequested or urlRequested).
    void ActivateLink(const QString& link, bool newConsole);
    // The person popup at `global` for the pane's selection; nothing without
    // a selection.
    void ShowPersonMenu(QPoint global);

    void SetConsoleFont(const QFont& font);
    void ApplyBackground(uint32_t colourWord);

    // The entry text with the selected helper's prefix in front ("/" text
    // goes out as typed).
    QString TakeCommand() const;
    void ClearEntry();
    void SetLastTellerSource(std::function<QString()> source);

    // Appends a helper entry; a prefix of exactly one blank means none, any
    // other is kept without its outer white space. The first entry added is
    // the one selected.
    void AddHelper(const QString& text, const QString& prefix);
    // Removes every entry; the entry box takes the list's room.
    void RemoveHelpers();
    int HelperCount() const { return static_cast<int>(m_prefixes.size()); }
    QString HelperText(int index) const;
    // All texts, or all prefixes, joined by the two characters backslash and
    // 'n' (the form the settings file keeps them in).
    QString HelperTextsText() const;
    QString HelperPrefixesText() const;
    // Rebuilds the entries from texts in that form or one per line; an
    // empty line is an entry holding one blank.
    void SetHelperTexts(const QString& text);
    // Gives line i as prefix to entry i, as far as there are entries.
    void SetHelperPrefixes(const QString& text);
    // A game window's whisper and kibitz entries follow its game number.
    void SetHelperPrefix(int index, const QString& prefix) {
        if (index >= 0 && index < HelperCount()) m_prefixes[static_cast<size_t>(index)] = prefix;
    }
    QString HelperPrefix(int index) const {
        return index >= 0 && index < HelperCount() ? m_prefixes[static_cast<size_t>(index)]
                                                   : QString();
    }
    void SelectHelper(int index);

    void SelectAll();
    void Copy();
    void Paste();
    void Cut();

    // Find Next: from just after the selection's start to the end, then from
    // the top; a hit is selected and its line brought to the top. False (and
    // a beep) when there is none.
    bool FindNext(const QString& what, bool matchCase, bool wholeWord);
    void ShowFindDialog();

    // Prints the selection, or the whole pane when nothing is selected, in
    // the console font.
    void PrintTo(QPrinter& printer) const;

    // "&Log Console": stops logging, or asks for a file and starts.
    void OnLogConsole();
    bool StartLog(const QString& path);
    void StopLog();
    bool IsLogging() const { return m_log != nullptr; }

  signals:
    void enterPressed(int code);
    // Emitted once per batch of text laid out in the pane.
    void textAppended();
    // A clicked link's command line (ending in "\n"); with `newConsole`
    // (Ctrl held) its reply belongs in a new temporary console.
    void commandRequested(const QString& line, bool newConsole);
    // A clicked web address.
    void urlRequested(const QString& url);
    // The pane's selection as the person popup takes it (possibly empty).
    void nameSelected(const QString& name);
    // A person popup item other than the copies, for `name`.
    void personCommandChosen(int id, const QString& name, bool newConsole);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    struct Run {
        QString text;
        QTextCharFormat format;
    };

    void LayOut();
    bool EndVisible() const;
    // Removes the first `lines` lines of the pane followed by the runs about
    // to be inserted; returns the height of what left the pane.
    int DropLeadingLines(int lines, std::vector<Run>& runs);
    void StepHelper(int step);
    // Inserts `text` at `cursor` with the links in it (and in the line
    // before it) marked, unless links are off.
    void InsertWithLinks(QTextCursor& cursor, const QString& text, const QTextCharFormat& format);

    CConsoleText* m_text = nullptr;
    CCommandEdit* m_entry = nullptr;
    QComboBox* m_helper = nullptr;
    std::vector<QString> m_prefixes;
    QPointer<CConsoleFindDlg> m_find;

    std::vector<Run> m_pending;
    bool m_flushScheduled = false;
    bool m_pendingBreak = false;
    CLinkScanner m_links;
    bool m_linksDisabled = false;
    // True while the end of the text is in view: new text keeps it there.
    bool m_followEnd = true;
    bool m_scrolling = false;
    std::unique_ptr<QFile> m_log;
};
