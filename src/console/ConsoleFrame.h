// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QMdiSubWindow>
#include <functional>

class CConsoleView;
class CKordane2Doc;

// The MDI sub-window of one connection's main console. The connection document
// owns it; closing it closes the whole connection with all its windows, and
// while connected the user is asked first. CMainFrame creates one per
// connection.
class CConsoleFrame : public QMdiSubWindow {
    Q_OBJECT
  public:
    static constexpr const char* kCloseQuestion = "Really close this window and log out?";

    CConsoleFrame(CKordane2Doc& doc, const QString& connectionTitle, QWidget* parent = nullptr);

    CKordane2Doc& Doc() const { return m_doc; }
    CConsoleView& View() const { return *m_view; }

    // Asks the close question; true means go ahead. Replaced by tests.
    void SetCloseQuestion(std::function<bool(QWidget*)> ask) { m_ask = std::move(ask); }
    // Asked after the close question, before the connection ends (to save
    // changed connection parameters); false keeps the window open.
    void SetBeforeClose(std::function<bool()> check) { m_beforeClose = std::move(check); }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    static bool AskClose(QWidget* parent);

    CKordane2Doc& m_doc;
    CConsoleView* m_view = nullptr;
    std::function<bool(QWidget*)> m_ask = &CConsoleFrame::AskClose;
    std::function<bool()> m_beforeClose;
};
