// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lists/AdjudicationDlg.h"
#include "lists/GenericListView.h"

class QCheckBox;
class QLabel;
class QPushButton;

// A list of games the server sent (a player's history, stored games,
// library, search results): header datagram 72, then one 73 per game. It is
// an extra sink of its connection and takes every list until its "Don't
// Re-use" box is checked; a list nobody takes opens a new window. Rows
// offer the per-game commands; stored lists also the adjourned-game requests.
class CGameListView : public CGenericListView {
    Q_OBJECT
  public:
    static constexpr int kColumns = 10;

    // The row commands, numbered as the menus have always numbered them.
    enum Command {
        Examine = 32812,
        Spgn = 32813,
        Sposition = 32814,
        Libappend = 32815,
        Libdelete = 32816,
        Smoves = 32817,
        Mailstored = 32818,
        OfferDraw = 33024,
        OfferAbort = 33025,
        Adjudication = 33027,
        Resign = 33028,
        SavePgn = 33058,
    };

    static constexpr const char* kLegend =
        "(+) indicates opponent is present.\n(!) indicates the game was adjourned when player "
        "disconnected.\n(?) indicates opponent courtesy-adjourned when player lagged out.";
    static constexpr const char* kAskDraw =
        "Do you really want to offer a draw to your opponent in the selected game?";
    static constexpr const char* kAskAbort =
        "Do you really want to offer an abort to your opponent in the selected game?";
    static constexpr const char* kAskResign = "Do you really want to resign the selected game?";
    static constexpr const char* kAdjudicationSent =
        "Your adjudication request has been submitted.  Please allow several days for a "
        "response.";
    static constexpr const char* kAdjudicationNotSent =
        "Not sent.  You must specify a name and a result to submit an adjudication request.";

    // One game of the list. In player-centred lists the white slots hold the
    // owner's result mark and rating, the black slots the opponent's.
    struct GameRow : Record {
        std::string event;
        int ownerWhite = 1;
        int duration = 0;  // 3 x minutes + 2 x increment
        unsigned long gameNumber = 0;
        int index = 0;
        std::string white;
        std::string black;
        int whiteRating = 0;
        int blackRating = 0;
        int winner = 0;
        int resultKind = 0;
        int resultCode = 0;
        std::string eco;
        std::string date;
        std::string time;
    };

    // Everything the window needs from outside, so that the main frame wires
    // it and a test replaces the dialogs. Defaults come from the connection.
    struct Hooks {
        // A command line ("...\n") sent untagged.
        std::function<void(std::string_view)> send;
        // A command whose reply goes to a new temporary console (Ctrl held).
        std::function<void(std::string_view)> sendToNewConsole;
        // Text shown in the main console as the user's own.
        std::function<void(std::string_view)> echo;
        std::function<std::string()> ownHandle;
        std::function<std::vector<std::string>()> wildNames;
        // "%d,...,%d" for the player-centred (true) or the normal layout.
        std::function<std::string(bool playerCentred)> columnWidths;
        // An OK/Cancel question; true for OK.
        std::function<bool(const QString&)> confirm;
        // A message box: information, or a warning with `warning`.
        std::function<void(const QString&, bool warning)> inform;
        std::function<std::optional<CAdjudicationDlg::Answer>(const QString& opponent)>
            askAdjudication;
        // The save dialog over the current game-log file name.
        std::function<std::optional<QString>(const QString& current)> askPgnFile;
        // The main frame's game-log file, which "Sa&ve PGN" sets.
        std::string* gameLogFile = nullptr;
    };

    explicit CGameListView(CKordane2Doc* doc, QWidget* parent = nullptr);
    ~CGameListView() override;

    Hooks& GetHooks() { return m_hooks; }

    int Receive(std::unique_ptr<CServerMessage>& message) override;

    const QString& ListTitle() const { return m_title; }
    bool PlayerCentred() const { return m_playerCentred; }
    bool Stored() const { return m_stored; }
    bool DontReuse() const { return m_dontReuse; }
    void SetDontReuse(bool on);
    int ReceivedRows() const { return m_received; }
    const GameRow* Row(int row) const;

    // Runs a row command on the selected row; `ctrl` as if Ctrl were held.
    void Run(int id, bool ctrl);
    bool CommandEnabled(int id) const;
    void Refresh();
    void More();
    // "%d,%d,...,%d" of the current column widths.
    std::string ColumnWidthsText() const;
    // The list title and every row, cells separated by tabs.
    QString CopyText() const;
    void Copy() const;
    // Sorts as a click on a column heading does.
    void SortByColumn(int column);

    QPushButton* RefreshButton() const { return m_refresh; }
    QPushButton* MoreButton() const { return m_more; }
    QLabel* Legend() const { return m_legend; }

  protected:
    bool BuildPopupMenu(QMenu& menu) override;
    int DefaultCommand() const override { return Sposition; }
    void RunCommand(int id) override;
    void ColumnClicked(int column) override { SortByColumn(column); }

  private:
    void Header(const CServerMessage& m);
    void Item(const CServerMessage& m);
    void SetUpColumns();
    // The title of this list owned by the user: "liblist " or "stored "
    // followed by the user's handle.
    bool OwnList(const char* command) const;
    QString StoredGameId(const GameRow& row) const;
    void SendLine(const std::string& line) const;

    Hooks m_hooks;
    QString m_title;
    std::string m_owner;
    std::vector<std::string> m_wildNames;
    bool m_playerCentred = false;
    bool m_stored = false;
    bool m_dontReuse = false;
    bool m_columnsBuilt = false;
    int m_received = 0;
    std::array<bool, kColumns> m_sortSecond{};
    QPushButton* m_refresh;
    QPushButton* m_more;
    QCheckBox* m_dontReuseBox;
    QLabel* m_legend;
};
