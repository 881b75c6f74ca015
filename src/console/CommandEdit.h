// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QLineEdit>
#include <array>
#include <functional>

class CConsoleText;

// The one-line command entry of a console window: at most 319 characters, the
// last ten commands under Up and Down, and keys that scroll the text pane
// above it so that the hands stay on the keyboard. CConsoleWnd owns it and
// hears Return (13) and Ctrl+Return (10) through enterPressed.
class CCommandEdit : public QLineEdit {
    Q_OBJECT
  public:
    static constexpr int kMaxLength = 319;
    static constexpr int kHistorySize = 10;
    // The codes of enterPressed.
    static constexpr int kReturn = 13;
    static constexpr int kCtrlReturn = 10;

    explicit CCommandEdit(CConsoleText& pane, QWidget* parent = nullptr);

    // F9 fills in "/Tell <last teller>! "; without a source F9 does nothing.
    void SetLastTellerSource(std::function<QString()> source) { m_lastTeller = std::move(source); }

  signals:
    // The box text is still there when this is emitted; the box empties after.
    void enterPressed(int code);
    // Tab (+1) and Shift+Tab (-1): the command helper moves.
    void helperStep(int step);

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void ShowHistory(int step);
    void Enter(int code);

    CConsoleText& m_pane;
    std::array<QString, kHistorySize> m_history;
    // -1 right after a command was sent: the next Up shows that command.
    int m_historyPos = 0;
    std::function<QString()> m_lastTeller;
};
