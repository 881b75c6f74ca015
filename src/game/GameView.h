// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QDateTime>
#include <QWidget>
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "chess/BoardText.h"
#include "chess/GameRecord.h"
#include "game/BoardHost.h"
#include "game/GameHeader.h"
#include "game/GameLayout.h"
#include "net/ServerMessageSink.h"

class CBoardWnd;
class CClockWnd;
class CGameCommands;
class CConsoleWnd;
class CGameShared;
class CKordane2Doc;
class CLabelWnd;
class CMoveListWnd;
class CPlunkPanel;
class CSplitterBar;
class CTextStyles;
class PgnGame;
class QLabel;
class QPrinter;
class QPushButton;
class QScrollBar;

// One game window: a game the user plays, observes or examines on the
// server, or a game loaded from a PGN file. It takes the game datagrams of
// its game number from the connection's parser (as an extra sink), keeps the
// game's record and header, and drives its board, piece panel, clocks, move
// list, buttons and game console. Every command it sends carries its own tag,
// so that the server's replies come back to its console. The connection owns
// it (through its CGameFrame); the main frame creates it.
class CGameView : public QWidget, public IServerMessageSink, public IBoardHost {
    Q_OBJECT
  public:
    // Where the window meets things it does not own; the main frame sets
    // them, tests replace them so that nothing modal opens.
    struct Hooks {
        // Every command, already tagged, on its way to the connection.
        std::function<void(std::string_view)> send;
        std::function<bool()> connected;
        // "Promote to": the piece letter.
        std::function<char(QWidget*, bool kingPromotion)> askPromotion;
        // An OK/Cancel question; true for OK.
        std::function<bool(QWidget*, const QString&)> confirm;
        // The "Save/Append PGN" file dialog; empty when cancelled.
        std::function<QString(QWidget*, const QString& initial)> askSaveFile;
        // Bring a game window forward in the main frame.
        std::function<void(CGameView*)> activate;
        // Game text that bypasses the game console.
        std::function<void(std::string_view)> mainConsoleText;
        // Typing goes to the main console while game consoles are bypassed.
        std::function<void()> focusMainConsole;
        // The main frame's PGN target file (tagged game text goes there).
        std::string* pgnTarget = nullptr;
    };

    static constexpr const char* kResignQuestion = "Do you really want to resign?";
    static constexpr const char* kCloseQuestion = "Really close this window and RESIGN?";

    CGameView(CKordane2Doc& doc, CGameShared& shared, QWidget* parent = nullptr);
    ~CGameView() override;

    Hooks& GetHooks() { return m_hooks; }
    void SetTextStyles(std::shared_ptr<const CTextStyles> styles);
    CKordane2Doc& Doc() const { return m_doc; }

    // IServerMessageSink
    int Receive(std::unique_ptr<CServerMessage>& message) override;

    // IBoardHost
    const CBoardOptions& Options() const override;
    bool IsLive() const override { return m_live; }
    const BoardText& ShownBoard() const override;
    const GameRecord& Record() const override { return m_record; }
    int Mode() const override { return m_mode; }
    int Relation() const override { return m_relation; }
    bool LocalCheck() const override { return m_header.localCheck; }
    int PendingCount() const override { return static_cast<int>(m_pending.size()); }
    int Wild() const override { return m_header.wild; }
    bool DropGame() const override { return m_header.dropGame; }
    void GoLive() override;
    void MakeMove(SquareCode from, SquareCode to, char piece, bool user) override;
    void SendGameCommand(std::string_view text) override;
    void PlaySound(SoundEvent event) override;

    int ApplyServerMove(std::string_view smith, std::string_view san);
    void TakeBackPending();
    void ShowPly(int ply, bool selectInList);
    void OnConnectionLost();
    void RefreshLabels();
    void LoadPgnGame(const PgnGame& game);

    // The buttons, menus, activation and closing.
    CGameCommands& Commands() { return *m_commands; }
    void SetFlipped(bool flipped);
    // The game is saved into `path` when its result arrives.
    void SaveAtEnd(const std::string& path);
    // Switches to the connection's game that waits longest for the user
    // (least time left), or marks every game answered.
    void SwitchToNextGame(const CGameView* exclude);
    // Keyboard focus to the command entry that takes this window's typing.
    void FocusEntry();
    // The sound of a move by its Smith text.
    static SoundEvent MoveSound(std::string_view smith, bool dropGame);

    int GameNumber() const { return m_header.gameNumber; }
    int LastGameNumber() const { return m_lastGameNumber; }
    int CommandTag() const { return m_commandTag; }
    const GameHeader& Header() const { return m_header; }
    const std::string& Result() const { return m_result; }
    int ShownPly() const { return m_shownPly; }
    bool Flipped() const { return m_flipped; }
    int ConsoleHeight() const { return m_consoleHeight; }
    void SetConsoleHeight(int height);
    // The user plays this game and it is the user's turn.
    bool UserToMove() const;
    int32_t UserClockRemaining() const;
    QString TitleText() const;
    QString InfoText() const;

    CBoardWnd* Board() const { return m_board; }
    CPlunkPanel* Panel() const { return m_panel; }
    CClockWnd* Clock(int side) const { return m_clocks[side & 1]; }
    CLabelWnd* Label(int side) const { return m_labels[side & 1]; }
    CMoveListWnd* MoveList() const { return m_moveList; }
    QScrollBar* ScrollBar() const { return m_scroll; }
    CConsoleWnd* Console() const { return m_console; }
    QPushButton* Button(int index) const { return m_buttons[static_cast<size_t>(index)]; }
    CSplitterBar* Splitter() const { return m_splitter; }
    // What the last layout placed.
    const CGameLayout::Rects& Placed() const { return m_placed; }

  signals:
    void titleChanged(const QString& title);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    friend class CGameMoveInput;
    friend class CGamePanes;

    void CreateChildren();
    void ShowGameText(std::string_view text, const CServerMessage* message);
    void GameStart(const CServerMessage& m);
    void GameHeaderUpdate(const CServerMessage& m);
    bool HandleDatagram(const CServerMessage& m);
    void ServerMove(const CServerMessage& m);
    void PositionAndMoves(const CServerMessage& m);
    void RemoveMoves(int n);
    void GameResult(const CServerMessage& m);
    void RelationChange(const std::string& code);
    void SetBoardText(const std::string& text);
    void CommonTail();
    void MarkClocks();
    void RecountMaterial();
    void RecountCaptures();
    void AppendMove(const std::string& san);
    void ClearMoves();
    void SetConsoleTargets();
    void RaiseFrame();
    bool UserPlays() const { return m_mode == Playing; }
    bool IsObserving() const { return m_mode == Observing; }
    int Bell() const;
    void OnSharedChange(int change);
    void ConsoleEntered(int code);
    void ShowPlayerMenu(int side, QPoint global);

    void DoLayout();
    void PlacePanes();
    void SetConsoleSplit(int upperHeight);
    void UpdateLabels();
    void UpdateTitle();
    bool PanelShown() const;

    CKordane2Doc& m_doc;
    CGameShared& m_shared;
    Hooks m_hooks;
    std::unique_ptr<CGameCommands> m_commands;
    std::shared_ptr<const CTextStyles> m_styles;

    GameHeader m_header;
    int m_lastGameNumber = -1;
    int m_commandTag = 0;
    int m_mode = Inactive;
    int m_relation = Unknown;
    std::string m_result = "*";
    QDateTime m_startTime;
    bool m_flipped = false;
    bool m_hasGame = false;
    GameRecord m_record;
    std::deque<std::string> m_pending;
    bool m_live = true;
    int m_shownPly = 0;
    BoardText m_browseBoard;
    int m_material[2] = {39, 39};
    std::string m_saveFile;
    bool m_saveAtEnd = false;

    int m_consoleHeight = CGameLayout::kDefaultConsoleHeight;
    int m_buttonWidth = 0;
    bool m_settingScroll = false;
    // A whole game is being applied (no slides).
    bool m_bulk = false;
    CGameLayout::Rects m_placed;

    CBoardWnd* m_board = nullptr;
    CPlunkPanel* m_panel = nullptr;
    std::array<CClockWnd*, 2> m_clocks{};
    std::array<CLabelWnd*, 2> m_labels{};
    CMoveListWnd* m_moveList = nullptr;
    QScrollBar* m_scroll = nullptr;
    CConsoleWnd* m_console = nullptr;
    QLabel* m_info = nullptr;
    std::array<QPushButton*, CGameLayout::kButtons> m_buttons{};
    CSplitterBar* m_splitter = nullptr;
};
