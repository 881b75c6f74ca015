// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QObject>
#include <memory>
#include <string>

class CGameListView;
class CKordane2Doc;
class CServerMessage;
class CSettings;
class CWindowLayout;
class QMdiArea;
class QMdiSubWindow;

// The game-list windows of every connection, as the main frame sees them:
// a list header that no open list window took opens a new window here, which
// takes the header and stays an extra sink of its connection. Each window
// keeps its place in a "GameList_%d" slot and hands its column widths back
// to the settings when it closes.
class CGameLists : public QObject {
    Q_OBJECT
  public:
    // `gameLogFile` is the main frame's game-log file name, which a list's
    // "Sa&ve PGN" sets; it must outlive this object.
    CGameLists(CWindowLayout& layout, QMdiArea* mdi, CSettings& settings, std::string& gameLogFile,
               QObject* parent = nullptr);

    // A new list window of `doc`, given the header `message` (datagram 72).
    // True when the window took it.
    bool Open(CKordane2Doc& doc, std::unique_ptr<CServerMessage>& message);
    CGameListView* OpenWindow(CKordane2Doc& doc);
    // Stores widths and places of every list window of `doc` (it is closing).
    void StoreAll(const CKordane2Doc& doc);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Store(QMdiSubWindow* frame);

    CWindowLayout& m_layout;
    QMdiArea* m_mdi;
    CSettings& m_settings;
    std::string& m_gameLogFile;
};
