// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <vector>

class CKordane2Doc;
class CMainFrame;
class CPGNListView;
class QMdiSubWindow;

// The PGN list windows of every connection, as the main frame sees them: the
// File menu's "Open P&GN..." (at most one list per connection), where each
// list is placed ("PGNList_%d", numbered with the game lists), the column
// widths every list shares, and the game windows its "&View" opens.
class CPgnLists : public QObject {
    Q_OBJECT
  public:
    static constexpr const char* kDialogTitle = "Select PGN file";
    static constexpr const char* kFilter = "PGN files (*.pgn)";
    // The longest path the file dialog hands back.
    static constexpr int kMaxPath = 300;

    explicit CPgnLists(CMainFrame& frame);

    // Replaces the file dialog (tests); an empty answer is a cancel.
    void SetFileChooser(std::function<QString()> chooser) { m_chooser = std::move(chooser); }

    // "Open P&GN...": asks for a file, then opens it; nullptr when cancelled
    // or refused.
    CPGNListView* Open(CKordane2Doc& doc);
    // Reads `path` and lists its games in a new window of `doc`. A file that
    // gives no games is refused with a message and opens nothing.
    CPGNListView* OpenFile(CKordane2Doc& doc, const QString& path);

    // The open list of `doc`, or nullptr: while there is one, "Open P&GN..."
    // is disabled for that connection.
    CPGNListView* ListOf(const CKordane2Doc& doc) const;

  private:
    void Closing(CPGNListView* view, QMdiSubWindow* frame);

    CMainFrame& m_frame;
    std::function<QString()> m_chooser;
    std::vector<QPointer<CPGNListView>> m_lists;
};
