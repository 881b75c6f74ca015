// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// A game window driven by game datagrams: which messages it takes, how the
// user's pending moves meet the server's, and what the relation and result
// datagrams do to the connection's counts and the sounds.
#include <QScrollBar>

#include "GameViewFixture.h"
#include "chess/BoardText.h"
#include "chess/PgnFile.h"
#include "console/ConsoleText.h"
#include "console/ConsoleWnd.h"
#include "game/BoardWnd.h"
#include "game/ClockWnd.h"
#include "game/LabelWnd.h"
#include "game/MoveListWnd.h"

namespace {

constexpr SquareCode Sq(const char* name) {
    return MakeSquare(name[0], name[1]);
}

TEST_F(GameViewTest, OnlyAFreeWindowTakesAGameStartAndOnlyItsOwnGame) {
    auto view = NewView();
    EXPECT_FALSE(Offer(*view, DG_MOVE, {"-1", "e4", "e2e4"}));
    ASSERT_TRUE(Start(*view, 12));
    EXPECT_EQ(view->GameNumber(), 12);
    EXPECT_EQ(view->Header().gameId, 4000000000u);
    EXPECT_EQ(m_doc.GameNames().opponent, "");
    EXPECT_EQ(m_doc.GameNames().white, "Wh");
    // Still inactive until the relation comes: a second start replaces it.
    EXPECT_TRUE(Start(*view, 13));
    Offer(*view, DG_RELATION, {"13", "O"});
    EXPECT_FALSE(Start(*view, 14));
    EXPECT_FALSE(Offer(*view, DG_MOVE, {"12", "e4", "e2e4"}));
    EXPECT_FALSE(Offer(*view, 999, {"13"}));
    EXPECT_TRUE(Offer(*view, DG_MOVE, {"13", "e4", "e2e4"}));
    EXPECT_EQ(view->TitleText().toStdString(), "Observing Game #13 - Wh - Bl");
}

TEST_F(GameViewTest, AnEchoOnlyExtendsTheListAndAMismatchUndoesEveryPendingMove) {
    auto view = NewView();
    Join(*view, 5, "E");
    view->MakeMove(Sq("e2"), Sq("e4"), 'P', true);
    EXPECT_EQ(m_sent, std::vector<std::string>{"e2e4\n"});
    ASSERT_EQ(view->PendingCount(), 1);
    EXPECT_TRUE(Offer(*view, DG_MOVE, {"5", "e4", "e2e4"}));
    EXPECT_EQ(view->PendingCount(), 0);
    EXPECT_EQ(view->Record().Ply(), 1);
    EXPECT_EQ(view->MoveList()->Count(), 1);

    view->MakeMove(Sq("e7"), Sq("e5"), 'p', true);
    view->MakeMove(Sq("g1"), Sq("f3"), 'N', true);
    ASSERT_EQ(view->PendingCount(), 2);
    ASSERT_EQ(view->Record().Ply(), 3);
    Offer(*view, DG_MOVE, {"5", "c5", "c7c5"});
    EXPECT_EQ(view->PendingCount(), 0);
    EXPECT_EQ(view->Record().Ply(), 2);
    EXPECT_EQ(view->Record().MoveAt(1), "c7c5");
    EXPECT_EQ(view->MoveList()->MoveText(1).toStdString(), "c5");
    EXPECT_EQ(view->Board()->LastTo(), Sq("c5"));
}

TEST_F(GameViewTest, UndoingEveryMoveReturnsToTheStartWithoutHighlight) {
    auto view = NewView();
    Join(*view, 5, "O", {"e2e4", "e7e5", "g1f3"});
    ASSERT_EQ(view->MoveList()->Count(), 3);
    EXPECT_TRUE(Offer(*view, DG_UNDO_MOVES, {"5", "3"}));
    EXPECT_EQ(view->Record().Ply(), 0);
    EXPECT_EQ(view->Record().Board(), BoardText::Standard());
    EXPECT_EQ(view->MoveList()->Count(), 0);
    EXPECT_EQ(view->ScrollBar()->maximum(), 0);
    EXPECT_EQ(view->Board()->LastFrom(), kNoSquare);
    EXPECT_TRUE(view->Clock(1)->Active());
}

TEST_F(GameViewTest, RelationsKeepTheConnectionCountsAndXEndsTheWindowsGame) {
    auto view = NewView();
    Join(*view, 12, "PW");
    EXPECT_EQ(m_doc.Games().played, 1);
    EXPECT_EQ(m_doc.Games().rated, 1);
    EXPECT_EQ(m_doc.Games().currentGame, 12);
    EXPECT_EQ(m_sounds.back(), static_cast<int>(SoundEvent::GameStart));
    // A second playing code for the same game counts nothing more.
    Offer(*view, DG_RELATION, {"12", "SW"});
    EXPECT_EQ(m_doc.Games().played, 1);
    Offer(*view, DG_RELATION, {"12", "X"});
    EXPECT_EQ(m_doc.Games().played, 0);
    EXPECT_EQ(m_doc.Games().rated, 0);
    EXPECT_EQ(view->GameNumber(), -1);
    EXPECT_EQ(view->LastGameNumber(), 12);
    EXPECT_FALSE(Offer(*view, DG_MOVE, {"12", "e4", "e2e4"}));
    EXPECT_EQ(view->Console()->HelperPrefix(1).toStdString(), "Whisperto -1");
    EXPECT_EQ(view->TitleText().toStdString(), "Was Game #12 - Wh - Bl");
}

TEST_F(GameViewTest, ResultAndOfferSounds) {
    struct Row {
        const char* relation;
        int number;
        std::vector<std::string> fields;
        int sound;  // -1: none
    };
    const Row rows[] = {
        {"PW", DG_GAME_RESULT, {"1", "", "1-0", "White wins"}, 13},
        {"PB", DG_GAME_RESULT, {"1", "", "1-0", "White wins"}, 14},
        {"PB", DG_GAME_RESULT, {"1", "", "0-1", "Black wins"}, 13},
        {"PW", DG_GAME_RESULT, {"1", "", "1/2-1/2", "Drawn"}, 15},
        {"PW", DG_GAME_RESULT, {"1", "", "*", "Aborted"}, 2},
        // Observers hear no result.
        {"O", DG_GAME_RESULT, {"1", "", "1-0", "White wins"}, -1},
        {"O", DG_OFFERS, {"0", "1", "0", "0", "0", "0", "0", "0"}, 16},
        {"O", DG_OFFERS, {"0", "1", "0", "1", "0", "0", "0", "0"}, 7},
        {"O", DG_OFFERS, {"0", "0", "0", "0", "0", "0", "0", "0"}, -1},
    };
    for (const Row& row : rows) {
        auto view = NewView();
        Join(*view, 9, row.relation);
        m_sounds.clear();
        std::unique_ptr<CServerMessage> m = Dg(row.number, {"9"});
        for (const std::string& f : row.fields) m->AppendField(f);
        ASSERT_TRUE(view->Receive(m));
        if (row.sound < 0) {
            EXPECT_TRUE(m_sounds.empty()) << row.relation << " " << row.number;
        } else {
            EXPECT_EQ(m_sounds, std::vector<int>{row.sound}) << row.relation << " " << row.number;
        }
    }
}

TEST_F(GameViewTest, ALoggedGameIsFetchedOnceWhenItEnds) {
    auto view = NewView();
    Join(*view, 9, "PW");
    CBoardOptions options = m_shared.Options();
    options.logMyGames = true;
    m_shared.SetOptions(options);
    Offer(*view, DG_GAME_RESULT, {"9", "1", "1-0", "White wins"});
    EXPECT_EQ(m_sent, std::vector<std::string>{"Logpgn #4000000000\n"});
    // Over now: a repeated result does not log it again.
    Offer(*view, DG_GAME_RESULT, {"9", "1", "1-0", "White wins"});
    EXPECT_EQ(m_sent.size(), 1u);
    EXPECT_TRUE(m_doc.Games().gameEnded);
}

TEST_F(GameViewTest, BrowsingIsLocalAndTheBottomIsLive) {
    auto view = NewView();
    Join(*view, 3, "O", {"e2e4", "e7e5", "g1f3", "b8c6", "f1b5"});
    QScrollBar* bar = view->ScrollBar();
    ASSERT_EQ(bar->maximum(), 5);
    bar->setValue(2);
    EXPECT_FALSE(view->IsLive());
    EXPECT_EQ(view->ShownPly(), 2);
    EXPECT_EQ(view->ShownBoard(), view->Record().BoardAtPly(2));
    // A move while browsing an observed game leaves the view where it is.
    Offer(*view, DG_MOVE, {"3", "a6", "a7a6"});
    EXPECT_EQ(view->ShownPly(), 2);
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_TRUE(view->IsLive());
    EXPECT_EQ(view->ShownPly(), 6);
    EXPECT_TRUE(m_sent.empty());
}

TEST_F(GameViewTest, TwoGamesAtOnceUseTheMultiPrefixAndMoveOnToTheWaitingGame) {
    auto first = NewView();
    auto second = NewView();
    Join(*first, 12, "PW");
    Join(*second, 456, "PW");
    ASSERT_EQ(m_doc.Games().played, 2);
    first->Commands().Draw();
    first->MakeMove(Sq("e2"), Sq("e4"), 'P', true);
    const std::string tag = "`" + std::to_string(second->CommandTag()) + "`";
    m_doc.Values().ownHandle = "me";
    second->Commands().Draw();
    EXPECT_EQ(m_sent, (std::vector<std::string>{"multi Goto 12;Draw\n", "multi Goto 12;e2e4\n",
                                                "Goto 456\n", tag + "multi Goto 456;Draw\n"}));
    EXPECT_EQ(m_activated, std::vector<CGameView*>{second.get()});
    EXPECT_FALSE(m_doc.Games().allAnswered);
}

TEST_F(GameViewTest, ClosingTellsTheServerWhatTheRelationAsks) {
    struct Row {
        const char* relation;
        std::vector<std::string> sent;
    };
    const Row rows[] = {
        {"O", {"Unobserve 7\n"}},
        {"E", {"Unexamine\n"}},
        {"X", {}},
        {"PB", {"Resign\n", "Unexamine\n"}},
    };
    for (const Row& row : rows) {
        auto view = NewView();
        Join(*view, 7, row.relation);
        m_sent.clear();
        view.reset();
        EXPECT_EQ(m_sent, row.sent) << row.relation;
    }
    EXPECT_EQ(m_doc.Games().played, 0);
}

TEST_F(GameViewTest, ActivationMakesTheGamePrimaryOnce) {
    auto view = NewView();
    Join(*view, 30, "O");
    m_doc.Games().primaryGame = 12;
    view->Commands().OnActivated();
    view->Commands().OnActivated();
    EXPECT_EQ(m_sent, std::vector<std::string>{"Primary 30\n"});
}

TEST_F(GameViewTest, BackToTheBrowsedPositionAndFlip) {
    auto view = NewView();
    view->Commands().Flip();
    EXPECT_TRUE(view->Flipped());
    EXPECT_TRUE(m_sent.empty());
    Join(*view, 8, "E", {"e2e4", "e7e5", "g1f3", "b8c6", "f1b5", "a7a6", "b5a4"});
    view->Commands().BackToShown();
    EXPECT_TRUE(m_sent.empty());
    view->ShowPly(3, true);
    view->Commands().BackToShown();
    view->Commands().Flip();
    EXPECT_EQ(m_sent, (std::vector<std::string>{"Back 4\n", "Flip\n"}));
    EXPECT_FALSE(view->Flipped());
}

TEST_F(GameViewTest, ResignAsksWhenConfirmationIsOn) {
    auto view = NewView();
    Join(*view, 4, "PB");
    CBoardOptions options = m_shared.Options();
    options.confirmResign = true;
    m_shared.SetOptions(options);
    m_answer = false;
    view->Commands().Resign();
    EXPECT_TRUE(m_sent.empty());
    m_answer = true;
    view->Commands().Resign();
    EXPECT_EQ(m_sent, std::vector<std::string>{"Resign\n"});
    EXPECT_EQ(m_questions.size(), 2u);
    EXPECT_EQ(m_questions[0], CGameView::kResignQuestion);
}

TEST_F(GameViewTest, AShortBoardIsRefusedAndAWholeOneReplacesThePosition) {
    auto view = NewView();
    Join(*view, 2, "E", {"e2e4"});
    const std::string empty(64, '-');
    EXPECT_FALSE(Offer(*view, DG_SET_BOARD, {"2", empty.substr(0, 63)}));
    EXPECT_NE(view->Record().Board().View(), empty);
    EXPECT_TRUE(Offer(*view, DG_SET_BOARD, {"2", empty}));
    EXPECT_EQ(view->Record().Board().View(), empty);
    EXPECT_EQ(view->Record().Ply(), 1);
}

TEST_F(GameViewTest, APromotionIsDroppedWhenThePositionChangedUnderTheQuestion) {
    auto view = NewView();
    std::string board(64, '-');
    board[8 + 4] = 'P';  // e7
    board[63] = 'K';
    board[0] = 'k';
    Start(*view, 6);
    Offer(*view, DG_POSITION_AND_MOVES, {"6", board});
    Offer(*view, DG_RELATION, {"6", "PW"});
    view->GetHooks().askPromotion = [&](QWidget*, bool) {
        // Black has put a rook on e8 meanwhile.
        std::string changed = board;
        changed[4] = 'r';
        std::unique_ptr<CServerMessage> m = Dg(DG_SET_BOARD, {"6", changed});
        view->Receive(m);
        return 'R';
    };
    view->MakeMove(Sq("e7"), Sq("e8"), 'P', true);
    EXPECT_TRUE(m_sent.empty());
    Offer(*view, DG_POSITION_AND_MOVES, {"6", board});
    view->GetHooks().askPromotion = [](QWidget*, bool) { return 'R'; };
    view->MakeMove(Sq("e7"), Sq("e8"), 'P', true);
    EXPECT_EQ(m_sent, std::vector<std::string>{"e7e8=R\n"});
    EXPECT_EQ(view->Record().Board()[4], 'R');
}

TEST_F(GameViewTest, GameConsoleTakesTaggedRepliesAndSendsTyping) {
    auto view = NewView();
    Join(*view, 21, "O");
    auto reply = std::make_unique<CServerMessage>(CServerMessage::Level1, 5);
    reply->tag = view->CommandTag();
    reply->AppendField("Game 21 is being observed.\n");
    EXPECT_TRUE(view->Receive(reply));
    auto other = std::make_unique<CServerMessage>(CServerMessage::Level1, 5);
    other->tag = view->CommandTag() + 1;
    other->AppendField("not ours\n");
    EXPECT_FALSE(view->Receive(other));
    view->Console()->FlushPending();
    EXPECT_TRUE(view->Console()->Text()->toPlainText().contains("Game 21 is being observed."));
    EXPECT_EQ(view->Console()->HelperPrefix(2).toStdString(), "Kibitzto 21");
}

TEST_F(GameViewTest, DamagedDatagramsOfTheGameDoNoHarm) {
    auto view = NewView();
    Join(*view, 3, "E", {"e2e4"});
    const std::vector<std::vector<std::string>> damaged = {
        {}, {"x"}, {"-99999999999"}, {"", "", "", ""}, {"z9", "??", "e2e4e4e4e4e4"},
    };
    for (int number :
         {DG_GAME_RESULT, DG_OFFERS, DG_UNDO_MOVES, DG_UNDO_MOVES_2, DG_MOVE, DG_POSITION_AND_MOVES,
          DG_KIBITZ_TEXT, DG_PIECES_IN_HAND, DG_FLIP, DG_RAISE_WINDOW, DG_ILLEGAL_MOVE,
          DG_SET_CLOCK, DG_CIRCLE, DG_ARROW, DG_CLOCK_ADD, DG_SET_BOARD, DG_UNCIRCLE, DG_UNARROW}) {
        for (const std::vector<std::string>& fields : damaged) {
            std::unique_ptr<CServerMessage> m = Dg(number, {"3"});
            for (const std::string& f : fields) m->AppendField(f);
            view->Receive(m);
        }
    }
    EXPECT_EQ(view->Board()->ArrowCount(), 0);
    EXPECT_EQ(view->Board()->CircleCount(), 0);
    EXPECT_GE(view->Record().Ply(), 0);
    EXPECT_EQ(view->MoveList()->Count(), view->ScrollBar()->maximum());
}

TEST_F(GameViewTest, APgnGameIsShownLocallyFromItsTags) {
    const PgnFile file = PgnFile::FromText(
        "[White \"Anna\"]\n[Black \"Boris\"]\n[TimeControl \"180+2\"]\n"
        "[FEN \"4k3/8/8/8/8/8/4P3/4K3 b - - 0 1\"]\n[WhiteTitle \"-\"]\n\n"
        "1... Kd7 2. e4 Ke6 0-1\n");
    ASSERT_EQ(file.Games().size(), 1u);
    auto view = NewView();
    view->LoadPgnGame(file.Games()[0]);
    EXPECT_EQ(view->Header().ratingType, "Blitz");
    EXPECT_EQ(view->Header().initialMinutes[1], 3);
    EXPECT_EQ(view->Header().titles[1], "");
    EXPECT_EQ(view->GameNumber(), -1);
    EXPECT_EQ(view->Mode(), CGameView::Inactive);
    EXPECT_EQ(view->Record().StartPly(), 1);
    EXPECT_EQ(view->Record().Ply(), 4);
    EXPECT_EQ(view->MoveList()->Count(), 3);
    EXPECT_EQ(view->Result(), "0-1");
    EXPECT_TRUE(view->IsLive());
    EXPECT_TRUE(view->Clock(1)->Active());
    EXPECT_EQ(view->Clock(0)->RemainingNow(), 180000);
    // The listed moves start at Black's: back to the start and forward again.
    view->ScrollBar()->setValue(0);
    EXPECT_EQ(view->ShownPly(), 1);
    EXPECT_EQ(view->ShownBoard()[SquareIndex(Sq("e8"))], 'k');
    view->ScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_TRUE(view->IsLive());
    EXPECT_EQ(view->InfoText().toStdString(), "3 2 r Blitz (inactive)");
    EXPECT_EQ(view->Label(1)->Text().toStdString(), "Anna");
    // A move on the loaded board stays local.
    view->MakeMove(Sq("e4"), Sq("e5"), 'P', true);
    EXPECT_TRUE(m_sent.empty());
    EXPECT_EQ(view->Record().Ply(), 5);
    EXPECT_EQ(view->MoveList()->Count(), 4);
}

}  // namespace
