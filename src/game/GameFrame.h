// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QMdiSubWindow>

class CGameShared;
class CGameView;
class CKordane2Doc;

// The MDI sub-window of one game window. Closing it asks first while the
// user plays the game (closing resigns it); activating it tells the view,
// which makes its game the primary one. The connection owns it.
class CGameFrame : public QMdiSubWindow {
    Q_OBJECT
  public:
    CGameFrame(CKordane2Doc& doc, CGameShared& shared, QWidget* parent = nullptr);

    CGameView& View() const { return *m_view; }

  signals:
    // The user closed the window (and agreed to); it goes next.
    void closing();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    CGameView* m_view = nullptr;
};
