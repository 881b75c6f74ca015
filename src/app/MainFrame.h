// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QMainWindow>

class CConsoleFrame;
class CKordane2Doc;
class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;

// The program's main window: the MDI area that holds every connection's
// windows, the status bar whose last pane shows the active connection's
// "Ready"/"Sent"/"Working", and a title naming the active window.
// CKordane2App creates it and hands it each new connection.
class CMainFrame : public QMainWindow {
    Q_OBJECT
  public:
    static constexpr const char* kAppTitle = "Kordane 2";

    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Opens the main console of a new connection; the connection owns it.
    CConsoleFrame* AddConnection(CKordane2Doc& doc, const QString& title);

    QMdiArea* MdiArea() const { return m_mdi; }
    // The main console of the active connection, if a console is active.
    CConsoleFrame* ActiveConsole() const;
    QString StatePaneText() const;
    // "R&econnect", enabled only while the active connection is closed.
    QAction* ReconnectAction() const { return m_reconnect; }
    void UpdateReconnect();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void UpdateTitle();
    void ShowAbout();

    QMdiArea* m_mdi = nullptr;
    QLabel* m_statePane = nullptr;
    QAction* m_reconnect = nullptr;
};
