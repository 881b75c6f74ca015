// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "game/GameView.h"

#include <QLabel>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>
#include <cstdio>

#include "console/CommandEdit.h"
#include "console/ConsoleWnd.h"
#include "game/BoardWnd.h"
#include "game/ClockWnd.h"
#include "game/GameCommands.h"
#include "game/GameMoveInput.h"
#include "game/GamePanes.h"
#include "game/GameRegistry.h"
#include "game/GameShared.h"
#include "game/LabelWnd.h"
#include "game/MoveListWnd.h"
#include "game/PlunkPanel.h"
#include "game/SplitterBar.h"
#include "net/CommandTag.h"
#include "net/DatagramTable.h"
#include "net/MessageText.h"
#include "net/TextStyles.h"
#include "net/qt/Kordane2Doc.h"

namespace {

constexpr int kBlack = 0;
constexpr int kWhite = 1;

std::string Format(const char* format, long value) {
    char line[64];
    std::snprintf(line, sizeof line, format, value);
    return line;
}

// A Smith drop of five characters ending in "+" (check) loses the "+".
std::string TrimDropCheck(std::string smith) {
    if (smith.size() == 5 && smith[1] == '@' && smith[4] == '+') smith.pop_back();
    return smith;
}

bool IsPromotionLetter(char c) {
    return c == 'N' || c == 'B' || c == 'R' || c == 'Q' || c == 'K';
}

}  // namespace

SoundEvent CGameView::MoveSound(std::string_view smith, bool dropGame) {
    if (!smith.empty() && smith[0] == '?') {
        return smith.size() > 1 ? SoundEvent::MoveCapture : SoundEvent::Move;
    }
    if (smith.size() >= 2 && smith[1] == '@' && dropGame) return SoundEvent::MovePlunk;
    if (smith.size() < 5) return SoundEvent::Move;
    const char mark = smith[4];
    if (mark == 'c' || mark == 'C') return SoundEvent::MoveCastle;
    if (IsPromotionLetter(mark)) return SoundEvent::Move;
    return SoundEvent::MoveCapture;
}

int CGameView::Receive(std::unique_ptr<CServerMessage>& message) {
    const CServerMessage& m = *message;
    if (m.kind == CServerMessage::Level1) {
        if (m.tag != m_commandTag) return 0;
        ShowGameText(m.TextValue(), &m);
        message.reset();
        return 1;
    }
    if (m.kind != CServerMessage::Datagram) return 0;
    // Field 1 names this window's game; -1 (no game) matches nothing.
    const bool ours = m_header.gameNumber >= 0 && m.FieldCount() > 1 &&
                      m.Field(1) == std::to_string(m_header.gameNumber);
    if (m.number == DG_INFO_LINE) {
        if (!ours) return 0;
        std::string text = m.Field(2);
        if (text.empty() || text.back() != '\n') text += '\n';
        ShowGameText(text, &m);
        message.reset();
        return 1;
    }
    if (m.number == DG_TELL_TEXT) {
        // A window that never showed a game has only the placeholder names.
        if (!m_hasGame || (m.Field(1) != m_header.names[0] && m.Field(1) != m_header.names[1])) {
            return 0;
        }
        ShowGameText(FormatMessageText(m).text + "\n", &m);
        PlaySound(m.FieldInt(4) == kAlertType ? SoundEvent::Alert : SoundEvent::PersonalTell);
        m_doc.Values().lastTeller = m.Field(1);
        message.reset();
        return 1;
    }
    if (m.number == DG_GAME_STARTED || m.number == DG_GAME_STARTED_18 ||
        m.number == DG_GAME_STARTED_40) {
        if (m_mode != Inactive) return 0;
        GameStart(m);
        message.reset();
        return 1;
    }
    if (!ours || !HandleDatagram(m)) return 0;
    message.reset();
    return 1;
}

bool CGameView::HandleDatagram(const CServerMessage& m) {
    switch (m.number) {
        case DG_GAME_RESULT:
            GameResult(m);
            return true;
        case DG_OFFERS: {
            bool other = false;
            for (int i = 4; i <= 9; ++i) other = other || m.FieldInt(static_cast<size_t>(i)) > 0;
            if (other) {
                PlaySound(SoundEvent::OfferOther);
            } else if (m.FieldInt(2) + m.FieldInt(3) > 0) {
                PlaySound(SoundEvent::OfferDraw);
            }
            return true;
        }
        case DG_UNDO_MOVES:
        case DG_UNDO_MOVES_2:
            RemoveMoves(m.FieldInt(2));
            return true;
        case DG_MOVE:
            ServerMove(m);
            return true;
        case DG_POSITION_AND_MOVES:
            PositionAndMoves(m);
            return true;
        case DG_KIBITZ_TEXT: {
            std::string text = FormatMessageText(m).text + "\n";
            if (Options().bypassConsole) text = "[" + m.Field(1) + "] " + text;
            ShowGameText(text, &m);
            if (m.Field(2) != m_doc.Values().ownHandle) PlaySound(SoundEvent::KibitzWhisper);
            return true;
        }
        case DG_PIECES_IN_HAND:
            m_panel->SetCounts(m.Field(2), m.Field(3));
            m_panel->update();
            RecountMaterial();
            return true;
        case DG_FLIP:
            if ((m.FieldInt(2) != 0) != m_flipped) SetFlipped(!m_flipped);
            return true;
        case DG_RAISE_WINDOW:
            m_board->InvalidateBoard();
            RaiseFrame();
            return true;
        case DG_ILLEGAL_MOVE:
            PlaySound(SoundEvent::IllegalMove);
            TakeBackPending();
            MarkClocks();
            if (m_record.Ply() != 0) m_clocks[m_record.Ply() % 2 == 0 ? kWhite : kBlack]->Resume();
            return true;
        case DG_RELATION:
            RelationChange(m.Field(2));
            return true;
        case DG_SET_CLOCK:
            m_clocks[m.Field(2) == "W" ? kWhite : kBlack]->Set(m.FieldInt(3), m.FieldInt(4) != 0);
            return true;
        case DG_CIRCLE:
            if (const SquareCode at = SquareAt(m.Field(3), 0)) m_board->AddCircle(at);
            return true;
        case DG_ARROW: {
            const SquareCode from = SquareAt(m.Field(3), 0);
            const SquareCode to = SquareAt(m.Field(4), 0);
            if (from && to) m_board->AddArrow(from, to);
            return true;
        }
        case DG_CLOCK_ADD:
            m_clocks[m.Field(2) == "W" ? kWhite : kBlack]->AddSeconds(m.FieldInt(3));
            return true;
        case DG_SET_BOARD:
            // A short board would leave the rest of the squares to chance:
            // it is refused and the position stays.
            if (m.Field(2).size() < 64) return false;
            SetBoardText(m.Field(2));
            return true;
        case DG_UNCIRCLE:
            if (const SquareCode at = SquareAt(m.Field(3), 0)) m_board->RemoveCircle(at);
            return true;
        case DG_UNARROW: {
            const SquareCode from = SquareAt(m.Field(3), 0);
            const SquareCode to = SquareAt(m.Field(4), 0);
            if (from && to) m_board->RemoveArrow(from, to);
            return true;
        }
        case DG_GAME_HEADER:
            GameHeaderUpdate(m);
            return true;
        default:
            return false;
    }
}

void CGameView::ShowGameText(std::string_view text, const CServerMessage* message) {
    if (Options().bypassConsole && m_hooks.mainConsoleText) {
        m_hooks.mainConsoleText(text);
        return;
    }
    m_console->AppendStyled(CConsoleWnd::FromServerBytes(text), m_styles->ColourFor(message));
}

void CGameView::GameStart(const CServerMessage& m) {
    m_board->CancelDrag();
    m_live = true;
    m_shownPly = 0;
    m_pending.clear();
    m_startTime = QDateTime::currentDateTime();
    m_result = "*";
    m_header.Read(m, true);
    m_hasGame = true;
    RefreshLabels();
    RaiseFrame();
    SetConsoleTargets();
    ClearMoves();
    m_board->SetLastMove({});
    m_board->ClearArrows();
    m_board->ClearCircles();
    for (CClockWnd* clock : m_clocks) clock->SetBlank(m_header.untimed);
    m_clocks[kWhite]->SetActive(true);
    m_clocks[kBlack]->SetActive(false);
    for (CClockWnd* clock : m_clocks) clock->update();
    m_panel->SetCounts({}, {});
    const std::string& white = m_header.names[kWhite];
    const std::string& black = m_header.names[kBlack];
    UserButtonNames& names = m_doc.GameNames();
    if (m.number == DG_GAME_STARTED) {
        const std::string& own = m_doc.Values().ownHandle;
        if (white == own) {
            names.opponent = black;
        } else if (black == own) {
            names.opponent = white;
        }
    }
    names.white = white;
    names.black = black;
    ShowGameText("--- Game " + std::to_string(m_header.gameNumber) + ": " + white + " vs " + black +
                     " ---\n",
                 &m);
}

void CGameView::GameHeaderUpdate(const CServerMessage& m) {
    m_header.Read(m, false);
    for (CClockWnd* clock : m_clocks) {
        clock->SetBlank(m_header.untimed);
        clock->update();
    }
    RefreshLabels();
    RaiseFrame();
    SetConsoleTargets();
}

void CGameView::ServerMove(const CServerMessage& m) {
    const std::string smith = TrimDropCheck(m.Field(3));
    const std::string& san = m.Field(2);
    AppendMove(san);
    const bool follow = UserPlays() || m_live;
    if (follow) GoLive();
    const bool own = ApplyServerMove(smith, san) != 0;
    if (follow) GoLive();
    const int bell = Bell();
    if (bell != 0) {
        if (!own && !(bell == 2 && IsObserving())) {
            PlaySound(MoveSound(smith, m_header.dropGame));
        } else if (own && m_header.wild == 16) {
            // The user's own move made no sound when it was sent in this
            // variant; its echo brings it.
            PlaySound(san.find('x') != std::string::npos   ? SoundEvent::MoveCapture
                      : san.find('O') != std::string::npos ? SoundEvent::MoveCastle
                                                           : SoundEvent::Move);
        }
    }
    if (UserPlays() && !own) {
        if (QWidget* top = window()) {
            if (top->isMinimized()) top->showNormal();
            top->activateWindow();
        }
        ConnectionGames& games = m_doc.Games();
        if (games.allAnswered) {
            games.allAnswered = false;
            if (m_hooks.activate) m_hooks.activate(this);
            SendGameCommand(Format("Goto %ld\n", m_header.gameNumber));
        }
    }
    CommonTail();
}

int CGameView::ApplyServerMove(std::string_view smith, std::string_view /*san*/) {
    while (!m_pending.empty()) {
        if (m_pending.front() == smith) {
            m_pending.pop_front();
            return 1;
        }
        TakeBackPending();
    }
    // A whole game arriving at once is shown, not played through.
    if (Options().animateMoves && !m_bulk) m_board->StartAnimation(smith);
    m_record.AddMove(smith);
    m_board->SetLastMove(smith);
    m_board->ClearArrows();
    m_board->ClearCircles();
    m_board->InvalidateSquare(SquareAt(smith, 0));
    m_board->InvalidateSquare(SquareAt(smith, 2));
    m_board->InvalidateMoveExtras(smith);
    return 0;
}

void CGameView::TakeBackPending() {
    if (!m_pending.empty()) {
        m_record.TakeBack(static_cast<int>(m_pending.size()));
        m_pending.clear();
        m_board->SetLastMove(m_record.LastMove());
        m_board->InvalidateBoard();
    }
    m_board->CancelDrag();
}

void CGameView::PositionAndMoves(const CServerMessage& m) {
    m_board->CancelDrag();
    // The local moves belong to the position that is being replaced.
    m_pending.clear();
    if (m.Field(2) == "*") {
        m_record.ResetToStandard();
    } else {
        m_record.Reset(m.Field(2));
    }
    ClearMoves();
    m_board->SetLastMove({});
    m_bulk = true;
    for (int i = 3; i < m.FieldCount(); ++i) {
        const std::string& pair = m.Field(static_cast<size_t>(i));
        const size_t blank = pair.find(' ');
        const std::string san = pair.substr(0, blank);
        const std::string smith =
            TrimDropCheck(blank == std::string::npos ? std::string() : pair.substr(blank + 1));
        AppendMove(san);
        ApplyServerMove(smith, san);
    }
    m_bulk = false;
    GoLive();
    m_board->ClearArrows();
    m_board->ClearCircles();
    m_board->InvalidateBoard();
    CommonTail();
}

void CGameView::RemoveMoves(int n) {
    TakeBackPending();
    n = std::max(n, 0);
    m_moveList->Remove(n);
    m_settingScroll = true;
    m_scroll->setMaximum(std::max(m_scroll->maximum() - n, 0));
    m_settingScroll = false;
    m_record.TakeBack(n);
    GoLive();
    m_board->ClearArrows();
    m_board->ClearCircles();
    m_board->SetLastMove(m_record.Ply() > 0 ? m_record.LastMove() : std::string_view());
    MarkClocks();
    m_board->InvalidateBoard();
    const int bell = Bell();
    if (bell != 0 && !(bell == 2 && IsObserving())) PlaySound(SoundEvent::Move);
    RecountMaterial();
    RecountCaptures();
}

void CGameView::GameResult(const CServerMessage& m) {
    TakeBackPending();
    m_result = m.Field(4);
    const bool played = UserPlays();
    if (played) {
        SoundEvent sound = SoundEvent::GameEndOther;
        const bool white = m_relation == PlaysWhite;
        if (m_result == "1-0") {
            sound = white ? SoundEvent::GameEndWin : SoundEvent::GameEndLoss;
        } else if (m_result == "0-1") {
            sound = white ? SoundEvent::GameEndLoss : SoundEvent::GameEndWin;
        } else if (m_result == "1/2-1/2") {
            sound = SoundEvent::GameEndDraw;
        }
        PlaySound(sound);
        m_doc.EndGameAlarm();
    }
    ShowGameText(m.Field(5) + "\n", &m);
    if (!m_header.gameOver && (m_saveAtEnd || (played && Options().logMyGames))) {
        const std::string line = Format("Logpgn #%lu\n", static_cast<long>(m_header.gameId));
        if (m_saveAtEnd) {
            if (m_hooks.pgnTarget) *m_hooks.pgnTarget = m_saveFile.substr(0, 300);
            SendGameCommand(line);
        } else if (m_hooks.send) {
            m_hooks.send(line);
        }
    }
    m_saveAtEnd = false;
    const ConnectionGames& games = m_doc.Games();
    if (played && games.PlaysSeveral() && games.currentGame == m_header.gameNumber) {
        SwitchToNextGame(this);
    }
    m_header.gameOver = m.FieldInt(2) != 0;
    for (CClockWnd* clock : m_clocks) {
        clock->SetFullErase();
        clock->update();
    }
}

void CGameView::RelationChange(const std::string& code) {
    const int previous = m_mode;
    ConnectionGames& games = m_doc.Games();
    if (code == "PW" || code == "SW" || code == "PB" || code == "SB") {
        m_relation = code[1] == 'W' ? PlaysWhite : PlaysBlack;
        m_mode = Playing;
        if (previous != Playing) games.Join(m_header.rated);
        if (code[0] == 'P') games.currentGame = m_header.gameNumber;
    } else if (code == "O") {
        m_relation = Observes;
        m_mode = Observing;
    } else if (code == "E") {
        m_relation = Examines;
        if (previous == Playing) games.Leave(m_header.rated);
        m_mode = Examining;
        if (Options().examinePlunkers) m_panel->SetCounts("PRNBQK", "PRNBQK");
    } else if (code == "X") {
        m_relation = Unrelated;
        if (previous == Playing) games.Leave(m_header.rated);
        m_mode = Inactive;
        m_lastGameNumber = m_header.gameNumber;
        m_header.gameNumber = -1;
        for (CClockWnd* clock : m_clocks) clock->Stop();
        SetConsoleTargets();
    } else {
        m_relation = Unknown;
        m_mode = Inactive;
    }
    RefreshLabels();
    if (m_mode == Playing && previous != Playing) PlaySound(SoundEvent::GameStart);
}

void CGameView::OnConnectionLost() {
    m_relation = Unrelated;
    if (m_mode == Playing) m_doc.Games().Leave(m_header.rated);
    m_mode = Inactive;
    if (m_header.gameNumber != -1) {
        m_lastGameNumber = m_header.gameNumber;
        m_header.gameNumber = -1;
    }
    for (CClockWnd* clock : m_clocks) clock->Stop();
    SetConsoleTargets();
    RefreshLabels();
}

void CGameView::SetBoardText(const std::string& text) {
    m_record.SetBoard(BoardText::FromText(text));
    m_board->InvalidateBoard();
    m_board->CancelDragIfMoved();
}

void CGameView::CommonTail() {
    MarkClocks();
    RecountMaterial();
    RecountCaptures();
    m_board->CancelDragIfMoved();
}

void CGameView::MarkClocks() {
    const bool whiteToMove = m_record.Ply() % 2 == 0;
    m_clocks[kWhite]->SetActive(whiteToMove);
    m_clocks[kBlack]->SetActive(!whiteToMove);
    for (CClockWnd* clock : m_clocks) clock->update();
}

void CGameView::RecountMaterial() {
    if (!Options().strength) return;
    const GameRecord::Material sums = GameRecord::MaterialSums(ShownBoard());
    int material[2] = {sums.black, sums.white};
    if ((m_header.wild == 23 || m_header.wild == 24) && m_live) {
        const std::array<int, 2> held = m_panel->HoldingsMaterial();
        material[0] += held[0];
        material[1] += held[1];
    }
    if (material[0] == m_material[0] && material[1] == m_material[1]) return;
    m_material[0] = material[0];
    m_material[1] = material[1];
    UpdateLabels();
}

void CGameView::RecountCaptures() {
    if (!Options().showCaptures || m_header.dropGame) return;
    if (m_mode == Examining && Options().examinePlunkers) return;
    m_panel->CountCaptures(m_record.Moves(), m_record.StartPly());
}

void CGameView::AppendMove(const std::string& san) {
    m_moveList->Append(QString::fromStdString(san), m_live);
    m_settingScroll = true;
    m_scroll->setMaximum(m_moveList->Count());
    m_settingScroll = false;
}

void CGameView::ClearMoves() {
    m_moveList->Clear();
    m_settingScroll = true;
    m_scroll->setRange(0, 0);
    m_settingScroll = false;
}

void CGameView::GoLive() {
    m_shownPly = m_record.Ply();
    if (!m_live) {
        m_live = true;
        m_board->InvalidateBoard();
    }
    const int listed = m_shownPly - m_record.StartPly();
    m_moveList->SelectPly(listed);
    m_settingScroll = true;
    m_scroll->setValue(std::min(listed, m_scroll->maximum()));
    m_settingScroll = false;
}

void CGameView::ShowPly(int ply, bool selectInList) {
    // The list and the scroll bar count the moves listed; a game that began
    // with Black to move has its first listed move at ply 1.
    const int start = m_record.StartPly();
    ply = std::clamp(ply, start, start + m_scroll->maximum());
    const BoardText before = ShownBoard();
    m_shownPly = ply;
    if (ply != m_record.Ply()) {
        m_live = false;
        m_browseBoard = m_record.BoardAtPly(ply);
    } else {
        m_live = true;
    }
    if (selectInList) m_moveList->SelectPly(ply - start);
    m_settingScroll = true;
    m_scroll->setValue(ply - start);
    m_settingScroll = false;
    RecountMaterial();
    const BoardText& after = ShownBoard();
    for (int i = 0; i < 64; ++i) {
        if (before[i] == after[i]) continue;
        m_board->InvalidateSquare(
            MakeSquare(static_cast<char>('a' + i % 8), static_cast<char>('8' - i / 8)));
    }
}

const BoardText& CGameView::ShownBoard() const {
    return m_live ? m_record.Board() : m_browseBoard;
}

const CBoardOptions& CGameView::Options() const {
    return m_shared.Options();
}

void CGameView::PlaySound(SoundEvent event) {
    m_doc.PlaySound(event);
}

int CGameView::Bell() const {
    return m_doc.Values().bell;
}

void CGameView::SendGameCommand(std::string_view text) {
    if (!m_hooks.send) return;
    m_hooks.send(TaggedCommand(text, m_commandTag, !m_doc.Values().ownHandle.empty()));
}

bool CGameView::UserToMove() const {
    if (!UserPlays()) return false;
    const bool whiteToMove = m_record.Ply() % 2 == 0;
    return (m_relation == PlaysWhite) == whiteToMove;
}

int32_t CGameView::UserClockRemaining() const {
    return m_clocks[m_relation == PlaysWhite ? kWhite : kBlack]->RemainingNow();
}

void CGameView::SwitchToNextGame(const CGameView* exclude) {
    ConnectionGames& games = m_doc.Games();
    CGameView* next = CGameRegistry::NextGame(m_doc, exclude);
    if (!next) {
        games.allAnswered = true;
        return;
    }
    games.allAnswered = false;
    if (m_hooks.activate) m_hooks.activate(next);
    next->SendGameCommand(Format("Goto %ld\n", next->GameNumber()));
}

void CGameView::SetConsoleTargets() {
    m_console->SetHelperPrefix(1, QString::asprintf("Whisperto %d", m_header.gameNumber));
    m_console->SetHelperPrefix(2, QString::asprintf("Kibitzto %d", m_header.gameNumber));
}

void CGameView::RaiseFrame() {
    auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    QWidget* target = frame ? static_cast<QWidget*>(frame) : this;
    if (target->isMinimized()) target->showNormal();
    target->raise();
}

CGameView::CGameView(CKordane2Doc& doc, CGameShared& shared, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_shared(shared), m_commandTag(doc.TakeConsoleId()) {
    setObjectName(QStringLiteral("GameView"));
    m_hooks.send = [this](std::string_view text) { m_doc.Parser().SendCommand(text); };
    m_hooks.connected = [this] { return m_doc.IsConnected(); };
    m_hooks.askPromotion = &CGameCommands::AskPromotion;
    m_hooks.confirm = [](QWidget* parentWidget, const QString& text) {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Kordane 2"), text,
                        QMessageBox::Ok | QMessageBox::Cancel, parentWidget);
        box.setTextFormat(Qt::PlainText);
        return box.exec() == QMessageBox::Ok;
    };
    m_hooks.askSaveFile = &CGameCommands::AskSaveFile;
    m_hooks.mainConsoleText = [this](std::string_view text) { m_doc.Parser().ShowLocalText(text); };
    auto styles = std::make_shared<CTextStyles>();
    styles->Load(m_doc.Profile());
    m_styles = std::move(styles);
    m_startTime = QDateTime::currentDateTime();
    m_commands = std::make_unique<CGameCommands>(*this);
    CreateChildren();
    m_commands->ConnectConsole();
    if (Options().bypassConsole) m_consoleHeight = 0;
    CGameRegistry::Add(this);
    m_doc.Parser().AddSink(this);
    connect(&m_doc, &CKordane2Doc::connectionClosed, this, &CGameView::OnConnectionLost);
    connect(&m_shared, &CGameShared::changed, this,
            [this](CGameShared::Change change) { OnSharedChange(static_cast<int>(change)); });
    RefreshLabels();
}

CGameView::~CGameView() {
    m_commands->OnViewClosing();
    m_doc.Parser().RemoveSink(this);
    CGameRegistry::Remove(this);
}

void CGameView::SetTextStyles(std::shared_ptr<const CTextStyles> styles) {
    m_styles = std::move(styles);
    m_console->ApplyBackground(m_styles->Colour(TextClass::Background));
}

void CGameView::CreateChildren() {
    m_board = new CBoardWnd(*this, m_shared, this);
    m_board->setObjectName(QStringLiteral("GameBoard"));
    m_clocks[kWhite] = new CClockWnd(m_shared, QStringLiteral("WhiteClock"), this);
    m_clocks[kBlack] = new CClockWnd(m_shared, QStringLiteral("BlackClock"), this);
    m_scroll = new QScrollBar(Qt::Horizontal, this);
    m_scroll->setRange(0, 0);
    m_scroll->setSingleStep(1);
    m_scroll->setPageStep(10);
    connect(m_scroll, &QScrollBar::valueChanged, this, [this](int value) {
        if (!m_settingScroll) ShowPly(value + m_record.StartPly(), true);
    });
    m_moveList = new CMoveListWnd(this);
    connect(m_moveList, &CMoveListWnd::plyClicked, this,
            [this](int listed) { ShowPly(listed + m_record.StartPly(), false); });
    m_console = new CConsoleWnd(this);
    m_console->setObjectName(QStringLiteral("MyConsole"));
    m_console->AddHelper(QStringLiteral("Command"), QString());
    m_console->AddHelper(QStringLiteral("Whisper"), QStringLiteral("Whisperto -1"));
    m_console->AddHelper(QStringLiteral("Kibitz"), QStringLiteral("Kibitzto -1"));
    m_console->AddHelper(QStringLiteral("Tell opponent"), QStringLiteral("Say"));
    m_console->SelectHelper(0);
    connect(m_console, &CConsoleWnd::enterPressed, this, &CGameView::ConsoleEntered);
    m_labels[kWhite] = new CLabelWnd(QStringLiteral("LabelWhite"), this);
    m_labels[kBlack] = new CLabelWnd(QStringLiteral("LabelBlack"), this);
    for (int side : {kBlack, kWhite}) {
        connect(m_labels[side], &CLabelWnd::popupRequested, this,
                [this, side](QPoint at) { ShowPlayerMenu(side, at); });
    }
    m_info = new QLabel(this);
    m_info->setTextFormat(Qt::PlainText);
    m_info->setWordWrap(false);
    static const char* const kTexts[] = {"Draw", "Resign", "Actions", "<<", "<", ">", ">>"};
    for (int i = 0; i < CGameLayout::kButtons; ++i) {
        auto* button = new QPushButton(QString::fromLatin1(kTexts[i]), this);
        button->setFocusPolicy(Qt::NoFocus);
        m_buttons[static_cast<size_t>(i)] = button;
        connect(button, &QPushButton::clicked, this, [this, i] { m_commands->OnButton(i); });
    }
    m_splitter = new CSplitterBar(this);
    connect(m_splitter, &CSplitterBar::moved, this, &CGameView::SetConsoleSplit);
    m_panel = new CPlunkPanel(*this, m_shared, *m_board, this);
    m_panel->setObjectName(QStringLiteral("PlunkPanel"));
    setFocusPolicy(Qt::StrongFocus);
}

void CGameView::OnSharedChange(int change) {
    switch (static_cast<CGameShared::Change>(change)) {
        case CGameShared::Change::Boards:
            m_board->InvalidateBoard();
            break;
        case CGameShared::Change::Geometry:
            m_board->RecomputeGeometry();
            m_board->InvalidateBoard();
            break;
        case CGameShared::Change::Clocks:
            for (CClockWnd* clock : m_clocks) clock->update();
            break;
        case CGameShared::Change::Labels:
            RecountMaterial();
            UpdateLabels();
            break;
        case CGameShared::Change::Layout:
            // Disable Board Console folds the console away; turning it back on
            // brings the usual height.
            if (Options().bypassConsole) {
                m_consoleHeight = 0;
            } else if (m_consoleHeight == 0) {
                m_consoleHeight = CGameLayout::kDefaultConsoleHeight;
            }
            PlacePanes();
            break;
        case CGameShared::Change::PiecePanel:
            RecountCaptures();
            DoLayout();
            m_panel->update();
            break;
    }
}

void CGameView::SetConsoleHeight(int height) {
    m_consoleHeight = Options().bypassConsole ? 0 : std::max(height, 0);
    PlacePanes();
}

void CGameView::resizeEvent(QResizeEvent* /*event*/) {
    PlacePanes();
}

void CGameView::PlacePanes() {
    CGamePanes(*this).PlacePanes();
}

void CGameView::SetConsoleSplit(int upperHeight) {
    CGamePanes(*this).SetConsoleSplit(upperHeight);
}

bool CGameView::PanelShown() const {
    return m_header.dropGame || (m_mode == Examining && Options().examinePlunkers) ||
           Options().showCaptures;
}

void CGameView::DoLayout() {
    CGamePanes(*this).DoLayout();
}

void CGameView::UpdateLabels() {
    CGamePanes(*this).UpdateLabels();
}

QString CGameView::InfoText() const {
    return QString::fromStdString(m_header.InfoLine(m_mode == Inactive, m_mode == Examining));
}

QString CGameView::TitleText() const {
    return CGamePanes::TitleText(*this);
}

void CGameView::UpdateTitle() {
    CGamePanes(*this).UpdateTitle();
}

void CGameView::RefreshLabels() {
    UpdateTitle();
    UpdateLabels();
    DoLayout();
}

void CGameView::SetFlipped(bool flipped) {
    m_flipped = flipped;
    m_board->SetFlipped(flipped);
    m_panel->SetFlipped(flipped);
    DoLayout();
}

void CGameView::SaveAtEnd(const std::string& path) {
    m_saveFile = path;
    m_saveAtEnd = true;
    ShowGameText("Game will be saved on completion\n", nullptr);
}

void CGameView::FocusEntry() {
    if (Options().bypassConsole) {
        if (m_hooks.focusMainConsole) m_hooks.focusMainConsole();
        return;
    }
    m_console->Entry()->setFocus();
}

void CGameView::ConsoleEntered(int code) {
    const std::string command = m_console->TakeCommand().toStdString() + "\n";
    m_console->AppendStyled(CConsoleWnd::FromServerBytes(command), m_styles->ColourFor(nullptr));
    m_console->ClearEntry();
    if (code == CCommandEdit::kCtrlReturn) {
        // The reply goes to the main console, whose tag is always 1.
        if (m_hooks.send)
            m_hooks.send(TaggedCommand(command, 1, !m_doc.Values().ownHandle.empty()));
        return;
    }
    SendGameCommand(command);
}

void CGameView::ShowPlayerMenu(int side, QPoint global) {
    m_commands->ShowPersonMenu(m_header.names[side & 1], global);
}

void CGameView::MakeMove(SquareCode from, SquareCode to, char piece, bool /*user*/) {
    CGameMoveInput(*this).MakeMove(from, to, piece);
}

void CGameView::LoadPgnGame(const PgnGame& game) {
    CGameMoveInput(*this).LoadPgnGame(game);
}
