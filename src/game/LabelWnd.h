// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QString>
#include <QWidget>

// A player's label in a game window ("LabelWhite", "LabelBlack"): one line of
// text on the menu colour, left aligned and vertically centred. A right click
// asks the game view for the player popup of that label's player.
class CLabelWnd : public QWidget {
    Q_OBJECT
  public:
    CLabelWnd(const QString& name, QWidget* parent = nullptr);

    void SetText(const QString& text);
    const QString& Text() const { return m_text; }

  signals:
    // Right click: where the popup goes, in global coordinates.
    void popupRequested(QPoint global);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    QString m_text;
};
