// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "chess/PgnFile.h"
#include "lists/GenericListView.h"
#include "lists/PgnListRows.h"

class CKordane2Doc;
class PgnGame;

// The games of one PGN file, listed for one connection: a row per game with
// its place in the file and seven of its tags, sorted by a click on a
// heading. From the popup a game is shown on a new board ("&View", also the
// double click), uploaded to the server as an examined game, uploaded into
// the user's library, or has its tags printed in the main console. The view
// owns the file's text and games; CPgnLists opens it and opens the game
// windows it asks for.
class CPGNListView : public CGenericListView {
    Q_OBJECT
  public:
    enum Command {
        kView = 33051,
        kUpload = 33052,
        kUploadToLibrary = 33053,
        kDisplayTags = 33054,
    };
    static constexpr CPgnListRows::Widths kDefaultWidths = {15, 50, 50, 50, 50, 50, 15, 50};
    // Narrower columns could not be grabbed to widen them again.
    static constexpr int kMinimumWidth = 4;
    static constexpr std::array<const char*, CPgnListRows::kColumnCount> kHeadings = {
        "#", "White", "Black", "Event", "Site", "Date", "Round", "Result"};

    // `file` must hold games; the view lists them at once.
    CPGNListView(CKordane2Doc& doc, PgnFile file, QWidget* parent = nullptr);
    ~CPGNListView() override;

    const PgnFile& File() const { return m_file; }
    int SortState() const { return m_sortState; }
    // The game of a row as it stands now (after sorting), or nullptr.
    const PgnGame* GameAt(int row) const;
    // The game's place in the file of a row as it stands now, or -1.
    int IndexAt(int row) const;

    // A click on the heading of `column`.
    void SortByColumn(int column);
    // Runs a row command (kView .. kDisplayTags) on the selected row; nothing
    // happens without a selected row.
    void Run(int command);

    // The column widths from, and as, the "PGNListColumnWidths" text.
    void ApplyWidths(std::string_view text);
    std::string WidthsText() const;

    // Where commands go; the connection's untagged command path unless a test
    // replaces it.
    void SetSender(std::function<void(std::string_view)> sender) { m_send = std::move(sender); }

  signals:
    // "&View": the caller opens a game window and loads the game into it.
    void viewGame(const PgnGame& game);
    // The user finished dragging a column's edge; `widths` as saved.
    void columnWidthsChanged(const QString& widths);
    // The window is closing (the widths and the place are still there).
    void closing();

  protected:
    bool BuildPopupMenu(QMenu& menu) override;
    int DefaultCommand() const override { return kView; }
    void RunCommand(int id) override { Run(id); }
    void ColumnClicked(int column) override { SortByColumn(column); }
    void closeEvent(QCloseEvent* event) override;

  private:
    class Record;
    const Record* RecordOf(int row) const;
    void Fill();
    void Upload(const PgnGame& game, bool toLibrary);
    void ShowTags(const PgnGame& game);
    void Refuse(const char* text);

    CKordane2Doc& m_doc;
    PgnFile m_file;
    // In file order, for ever: the list's own rows point at them.
    CPgnListRows m_rows;
    int m_sortState = CPgnListRows::kUnsorted;
    std::function<void(std::string_view)> m_send;
};
