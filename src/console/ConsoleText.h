// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QTextBrowser>

// The read-only text pane of a console window. CConsoleWnd appends to it;
// the entry box below scrolls it (line, page, top, bottom). Typing while the
// pane has focus goes to the entry box, so the user never has to click back
// into it; paging and the Ctrl shortcuts (copy, select all) stay here.
// Links act as the left button goes down (the browser shows the hand over
// them), and the context menu is the console window's person popup, not the
// browser's own menu.
class CConsoleText : public QTextBrowser {
    Q_OBJECT
  public:
    explicit CConsoleText(QWidget* parent = nullptr);

    void SetEntry(QWidget* entry) { m_entry = entry; }

    void ScrollLines(int lines);
    // After paging down to within one line of the end, the rest is shown too,
    // so that following new text starts again.
    void ScrollPage(bool down);
    void ScrollToTop();
    void ScrollToBottom();
    int LineHeight() const;

  signals:
    // The left button went down on a link; `link` is the link's text.
    void linkPressed(const QString& link, bool ctrl);
    void contextMenuRequested(QPoint global);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // The text of the link drawn at `point` (viewport coordinates), if any.
    QString LinkTextAt(QPoint point) const;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    QWidget* m_entry = nullptr;
};
