// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "game/GameMoveInput.h"

#include <cctype>
#include <string>
#include <vector>

#include "chess/Notation.h"
#include "chess/PgnConverter.h"
#include "chess/PgnHeader.h"
#include "game/BoardOptions.h"
#include "game/BoardWnd.h"
#include "game/ClockWnd.h"
#include "game/GameView.h"
#include "game/PlunkPanel.h"
#include "net/qt/Kordane2Doc.h"

namespace {

constexpr int kBlack = 0;
constexpr int kWhite = 1;

}  // namespace

void CGameMoveInput::MakeMove(SquareCode from, SquareCode to, char piece) {
    CGameView& v = m_view;
    if (!IsSquare(to)) return;
    const bool drop = from == kNoSquare;
    if (!drop && !IsSquare(from)) return;
    const char toFile = SquareFile(to);
    const char toRank = SquareRank(to);
    const int wild = v.m_header.wild;
    std::string text = drop ? std::string{piece, '@', toFile, toRank}
                            : std::string{SquareFile(from), SquareRank(from), toFile, toRank};
    const bool pawn = piece == 'P' || piece == 'p';
    if ((wild == 23 || wild == 24) && drop && pawn && (toRank == '8' || toRank == '1')) {
        v.PlaySound(SoundEvent::IllegalMove);
        return;
    }
    const bool examining = v.m_mode == CGameView::Examining;
    const std::string destination{toFile, toRank};
    const std::string origin = drop ? std::string{static_cast<char>(std::toupper(piece)), '@'}
                                    : std::string{SquareFile(from), SquareRank(from)};
    const bool promotes =
        !drop && ((piece == 'P' && toRank == '8') || (piece == 'p' && toRank == '1'));
    const bool check =
        (v.m_header.localCheck || wild == 17 || (wild == 16 && !pawn)) && !(drop && examining);
    if (check) {
        const bool legal = drop ? v.m_record.Board()[SquareIndex(to)] == BoardText::kEmpty
                                : v.m_record.IsLegalMove(BuildSmithMove(
                                      v.m_record, origin, destination, promotes ? 'Q' : 0));
        if (!legal) {
            v.PlaySound(SoundEvent::IllegalMove);
            return;
        }
    }
    char promotion = 0;
    if (promotes) {
        if (v.Options().alwaysQueen) {
            promotion = 'Q';
        } else {
            const int modeBefore = v.m_mode;
            const char there = v.m_record.Board()[SquareIndex(to)];
            promotion =
                v.m_hooks.askPromotion ? v.m_hooks.askPromotion(&v, v.m_header.kingPromotion) : 'Q';
            // A server update while the question was open makes the answer
            // meaningless.
            if (v.m_mode != modeBefore || v.m_record.Board()[SquareIndex(to)] != there) return;
        }
        text += '=';
        text += promotion;
    }
    text += '\n';
    std::string move = drop ? std::string{piece == 'X' ? '-' : piece, '@', toFile, toRank}
                            : BuildSmithMove(v.m_record, origin, destination, promotion);
    if (v.m_mode != CGameView::Playing && drop) {
        if (examining) v.SendGameCommand(text);
        BoardText board = v.m_record.Board();
        board[SquareIndex(to)] = piece == 'X' ? BoardText::kEmpty : piece;
        v.m_record.SetBoard(board);
        v.m_board->SetLastMove(v.m_record.LastMove());
        v.m_board->ClearArrows();
        v.m_board->ClearCircles();
        v.m_board->InvalidateSquare(to);
        v.RecountMaterial();
        return;
    }
    if (v.m_mode == CGameView::Playing || examining) {
        const ConnectionGames& games = v.m_doc.Games();
        if (games.PlaysSeveral()) {
            v.SendGameCommand("multi Goto " + std::to_string(v.m_header.gameNumber) + ";" + text);
        } else {
            v.SendGameCommand(text);
        }
        if (drop) move[0] = static_cast<char>(std::toupper(move[0]));
        v.m_pending.push_back(move);
        v.m_record.AddMove(move);
    } else {
        // A board of no live game (a loaded or finished one) plays locally;
        // the list shows the move as it was made.
        v.m_record.AddMove(move);
        v.AppendMove(move);
    }
    v.RecountMaterial();
    if (v.Bell() != 0 && wild != 16) v.PlaySound(v.MoveSound(move, v.m_header.dropGame));
    v.m_board->SetLastMove(move);
    v.m_board->ClearArrows();
    v.m_board->ClearCircles();
    v.m_board->InvalidateSquare(SquareAt(move, 0));
    v.m_board->InvalidateSquare(to);
    v.m_board->InvalidateMoveExtras(move);
    v.m_shownPly = v.m_record.Ply();
    if (v.m_mode == CGameView::Playing || examining) {
        v.MarkClocks();
        for (CClockWnd* clock : v.m_clocks) clock->Stop();
    }
    if (v.m_mode == CGameView::Playing && v.m_doc.Games().PlaysSeveral()) v.SwitchToNextGame(&v);
}

void CGameMoveInput::LoadPgnGame(const PgnGame& game) {
    CGameView& v = m_view;
    v.m_board->CancelDrag();
    v.m_live = true;
    v.m_shownPly = 0;
    v.m_header.gameNumber = -1;
    const PgnHeader pgn = PgnHeader::Read(game);
    for (int side : {kBlack, kWhite}) {
        v.m_header.names[side] = pgn.names[side];
        v.m_header.titles[side] = pgn.titles[side];
        v.m_header.ratings[side] = pgn.ratings[side];
        v.m_header.initialMinutes[side] = pgn.time.minutes;
        v.m_header.incrementSeconds[side] = pgn.time.increment;
    }
    v.m_header.rated = pgn.rated;
    v.m_header.wild = pgn.wild;
    v.m_header.ratingType = pgn.ratingType;
    v.m_header.gameOver = false;
    v.m_header.gameId = static_cast<uint32_t>(-1);
    v.m_header.localCheck = false;
    v.m_header.dropGame = false;
    for (CClockWnd* clock : v.m_clocks) clock->SetBlank(true);
    v.RefreshLabels();
    v.RaiseFrame();
    v.SetConsoleTargets();
    v.m_board->SetLastMove({});
    v.m_panel->SetCounts({}, {});
    if (pgn.hasFen) {
        v.m_record.Reset(pgn.startBoard, pgn.blackToMove ? 1 : 0, pgn.epFile);
    } else {
        v.m_record.ResetToStandard();
    }
    v.m_pending.clear();
    v.ClearMoves();
    std::vector<std::string> moves;
    PgnConverter::PgnToSmith(game, moves);
    v.m_bulk = true;
    for (size_t i = 0; i < moves.size(); ++i) {
        const std::string san(game.MoveText(static_cast<int>(i)));
        v.AppendMove(san);
        v.ApplyServerMove(moves[i], san);
    }
    v.m_bulk = false;
    v.GoLive();
    v.m_board->ClearArrows();
    v.m_board->ClearCircles();
    v.m_board->InvalidateBoard();
    v.MarkClocks();
    for (CClockWnd* clock : v.m_clocks) clock->Set(static_cast<int32_t>(pgn.clockMillis), false);
    v.RecountMaterial();
    v.m_result = pgn.result;
}
