// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include <gtest/gtest.h>

#include <QPaintEvent>
#include <QTest>
#include <cctype>
#include <functional>

#include "TestBoardHost.h"
#include "game/BoardWnd.h"
#include "game/GameShared.h"

namespace {

constexpr SquareCode Sq(const char* name) {
    return MakeSquare(name[0], name[1]);
}

// Collects the areas Qt asks the board to repaint.
class PaintSpy : public QObject {
  public:
    QRegion region;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) region += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

struct BoardFixture : ::testing::Test {
    CGameShared shared;
    TestBoardHost host{shared};
    CBoardWnd board{host, shared};

    void Show(int w = 400, int h = 400) {
        board.resize(w, h);
        board.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&board));
    }
    QPoint At(const char* square) const { return board.SquareRect(Sq(square)).center(); }
    void Options(const std::function<void(CBoardOptions&)>& change) {
        CBoardOptions o = shared.Options();
        change(o);
        shared.SetOptions(o);
        board.RecomputeGeometry();
    }
    QRegion Repainted(const std::function<void()>& action) {
        QCoreApplication::processEvents();
        PaintSpy spy;
        board.installEventFilter(&spy);
        action();
        QCoreApplication::processEvents();
        board.removeEventFilter(&spy);
        return spy.region;
    }
};

TEST_F(BoardFixture, GeometryFollowsSizeSetAndCoordinates) {
    struct Row {
        int w, h, set;
        bool coords;
        int squareWidth, squareHeight, left, top;
    } rows[] = {
        {200, 200, 2, true, 23, 23, 11, 0},
        {400, 300, 2, false, 37, 37, 0, 0},
        {540, 540, 5, false, 67, 60, 0, 60},
        {540, 600, 7, true, 63, 56, 31, 56},
    };
    for (const Row& r : rows) {
        Options([&](CBoardOptions& o) {
            o.pieceSet = r.set;
            o.drawCoords = r.coords;
        });
        board.resize(r.w, r.h);
        board.RecomputeGeometry();
        EXPECT_EQ(board.SquareWidth(), r.squareWidth) << r.w << "x" << r.h;
        EXPECT_EQ(board.SquareHeight(), r.squareHeight) << r.w << "x" << r.h;
        EXPECT_EQ(board.LeftOffset(), r.left) << r.w << "x" << r.h;
        EXPECT_EQ(board.TopOffset(), r.top) << r.w << "x" << r.h;
    }
}

TEST_F(BoardFixture, PixelsAndSquaresRoundTripInBothOrientations) {
    Options([](CBoardOptions& o) {
        o.pieceSet = 6;
        o.drawCoords = true;
    });
    board.resize(540, 540);
    board.RecomputeGeometry();
    for (bool flipped : {false, true}) {
        board.SetFlipped(flipped);
        for (char f = 'a'; f <= 'h'; ++f) {
            for (char r = '1'; r <= '8'; ++r) {
                const SquareCode s = MakeSquare(f, r);
                const QRect rect = board.SquareRect(s);
                EXPECT_EQ(board.SquareAtPoint(rect.topLeft()), s);
                EXPECT_EQ(board.SquareAtPoint(rect.bottomRight()), s);
            }
        }
        const QPoint corner(board.LeftOffset(), board.TopOffset());
        EXPECT_EQ(board.SquareAtPoint(corner), flipped ? Sq("h1") : Sq("a8"));
        EXPECT_EQ(board.SquareAtPoint(corner - QPoint(1, 0)), kNoSquare);
        EXPECT_EQ(board.SquareAtPoint(corner - QPoint(0, 1)), kNoSquare);
        EXPECT_EQ(board.SquareAtPoint(corner + QPoint(8 * board.SquareWidth(), 0)), kNoSquare);
    }
}

TEST_F(BoardFixture, LastMoveHighlightAndItsRepaints) {
    struct Row {
        const char* move;
        SquareCode from, to;
    } rows[] = {
        {"e2e4", Sq("e2"), Sq("e4")},
        {"N@f3", kNoSquare, Sq("f3")},
        {"?xe5", kNoSquare, Sq("e5")},
        {"?abc", kNoSquare, kNoSquare},
        {"", kNoSquare, kNoSquare},
        {"e7e8qN", Sq("e7"), Sq("e8")},
        // Server bytes that name no square highlight nothing of them.
        {"e2", kNoSquare, kNoSquare},
        {"z9e4", kNoSquare, kNoSquare},
        {"?x", kNoSquare, kNoSquare},
        {"\xff@\xff\xff", kNoSquare, kNoSquare},
    };
    for (const Row& r : rows) {
        board.SetLastMove(r.move);
        EXPECT_EQ(board.LastFrom(), r.from) << r.move;
        EXPECT_EQ(board.LastTo(), r.to) << r.move;
    }

    Show();
    board.SetLastMove("d2d4");
    QRegion region = Repainted([&] { board.SetLastMove("g1f3"); });
    for (const char* s : {"d2", "d4", "g1", "f3"})
        EXPECT_TRUE(region.contains(board.SquareRect(Sq(s)))) << s;
    EXPECT_FALSE(region.intersects(board.SquareRect(Sq("e4"))));

    // Castling moves a rook the record's two squares do not name; en passant
    // removes a pawn beside the destination.
    struct Extra {
        const char* move;
        const char* touched[2];
        const char* untouched;
    } extras[] = {{"e1g1c", {"h1", "f1"}, "a1"},
                  {"e8c8C", {"a8", "d8"}, "h8"},
                  {"d1b1c", {"a1", "c1"}, "h1"},
                  {"e5d6E", {"d5", "d5"}, "d4"}};
    for (const Extra& e : extras) {
        region = Repainted([&] { board.InvalidateMoveExtras(e.move); });
        for (const char* s : e.touched)
            EXPECT_TRUE(region.contains(board.SquareRect(Sq(s)))) << e.move << " " << s;
        EXPECT_FALSE(region.intersects(board.SquareRect(Sq(e.untouched)))) << e.move;
    }
}

TEST(BoardArrow, PolygonPoints) {
    // Straight down from (100,100) to (100,300): along = y, across = -x.
    const QPolygon down = CBoardWnd::ArrowPolygon({100, 100}, {100, 300}, 5, 15, 15);
    const QPolygon expected{QList<QPoint>{
        {98, 100}, {98, 285}, {93, 285}, {100, 300}, {108, 285}, {103, 285}, {103, 100}}};
    EXPECT_EQ(down, expected);
    // A 3-4-5 diagonal: L = 50, cos 0.6, sin 0.8.
    const QPolygon diagonal = CBoardWnd::ArrowPolygon({0, 0}, {30, 40}, 4, 12, 12);
    EXPECT_EQ(diagonal.point(3), QPoint(30, 40));
    EXPECT_EQ(diagonal.point(0), QPoint(-1, 1));  // (0,2): (-1.6+.5, 1.2+.5) truncated
    // Both ends on one square: every point collapses onto it.
    const QPolygon dot = CBoardWnd::ArrowPolygon({75, 125}, {75, 125}, 3, 9, 9);
    for (const QPoint& p : dot) EXPECT_EQ(p, QPoint(75, 125));
}

TEST_F(BoardFixture, PaintShowsHighlightTexturesAndHidesMarksWhileBrowsing) {
    Show();
    board.SetLastMove("e2e4");
    board.AddArrow(Sq("a1"), Sq("a3"));
    const QPoint frame = board.SquareRect(Sq("e4")).topLeft() + QPoint(0, 0);
    const QPoint arrow = board.SquareRect(Sq("a2")).center();
    auto pixel = [&](QPoint p) { return board.grab().toImage().pixelColor(p); };

    Options([](CBoardOptions& o) { o.boardStyle = CBoardOptions::kSolidBoard; });
    EXPECT_EQ(pixel(frame), QColor(255, 0, 0));
    EXPECT_EQ(pixel(arrow), QColor(255, 0, 0));
    EXPECT_EQ(pixel(board.SquareRect(Sq("a6")).topLeft() + QPoint(3, 3)), QColor(0xf0, 0xf0, 0xe0));

    host.live = false;
    host.browsed = BoardText();
    board.update();
    EXPECT_EQ(pixel(frame), QColor(0xf0, 0xf0, 0xe0));  // e4 is light
    EXPECT_EQ(pixel(arrow), QColor(0xf0, 0xf0, 0xe0));  // a2 is light

    // Textured: pairs of neighbouring squares share a tile position, and
    // successive pairs walk through the texture (a6 is k = 16, d6 k = 19).
    host.live = true;
    Options([](CBoardOptions& o) { o.boardStyle = 1; });
    board.ClearArrows();
    const CBoardTextures& textures = shared.Textures();
    ASSERT_TRUE(textures.Textured());
    const int sw = board.SquareWidth();
    const int across = std::max(1, textures.Light().width() / sw);
    const int tiles = std::max(1, across * (textures.Light().height() / sw));
    auto tile = [&](int k) {
        const int t = (k / 2) % tiles;
        return QPoint((t % across) * sw + 7, (t / across) * sw + 9);
    };
    const QImage shot = board.grab().toImage();
    EXPECT_EQ(shot.pixel(board.SquareRect(Sq("a6")).topLeft() + QPoint(7, 9)),
              textures.Light().pixel(tile(16)));
    EXPECT_EQ(shot.pixel(board.SquareRect(Sq("d6")).topLeft() + QPoint(7, 9)),
              textures.Dark().pixel(tile(19)));
}

TEST_F(BoardFixture, SlideEndsAfterItsTimeButNotWhileBrowsing) {
    Options([](CBoardOptions& o) { o.animateTime = 120; });
    Show();
    for (const char* move : {"P@e4", "?xe4", "e2", "e2z9", ""}) {
        board.StartAnimation(move);
        EXPECT_FALSE(board.Animating()) << move;
    }
    board.StartAnimation("e2e4");
    EXPECT_TRUE(board.Animating());
    host.live = false;
    QTest::qWait(200);
    board.repaint();
    EXPECT_TRUE(board.Animating());
    host.live = true;
    board.update();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !board.Animating(); }, 1000));

    // En passant: while the pawn slides, the victim stays on its own square
    // (already empty in the record) and the destination shows nothing.
    Options([](CBoardOptions& o) {
        o.animateTime = 60000;
        o.boardStyle = CBoardOptions::kSolidBoard;
    });
    for (const char* move : {"e2e4", "a7a6", "e4e5", "d7d5"}) host.record.AddMove(move);
    board.StartAnimation("e5d6E");
    host.record.AddMove("e5d6E");
    const QImage shot = board.grab().toImage();
    const QColor light(0xf0, 0xf0, 0xe0);  // d5; d6 is dark
    EXPECT_NE(shot.pixelColor(board.SquareRect(Sq("d5")).center()), light);
    EXPECT_EQ(shot.pixelColor(board.SquareRect(Sq("d6")).center()), QColor(0x00, 0xa0, 0x80));
}

TEST_F(BoardFixture, MouseGesturesBecomeMovesAndCommands) {
    // A gesture is a list of steps: "p e2" press, "r e4" release, "m e3" move
    // with the left button; "P"/"R" the right button; "^" holds Ctrl.
    auto play = [&](std::string_view gesture) {
        for (size_t i = 0; i + 4 <= gesture.size(); i += 5) {
            const char op = gesture[i];
            const bool ctrl = gesture[i + 1] == '^';
            const QPoint at = board.SquareRect(MakeSquare(gesture[i + 2], gesture[i + 3])).center();
            const Qt::KeyboardModifiers mods = ctrl ? Qt::ControlModifier : Qt::NoModifier;
            const Qt::MouseButton button = std::isupper(op) ? Qt::RightButton : Qt::LeftButton;
            if (op == 'm')
                QTest::mouseMove(&board, at);
            else if (op == 'p' || op == 'P')
                QTest::mousePress(&board, button, mods, at);
            else
                QTest::mouseRelease(&board, button, mods, at);
        }
    };
    // One pawn with one step (a2, a4 blocked), one with none (h2, h3 blocked).
    std::string smart(64, '-');
    for (auto [square, piece] :
         {std::pair{"e1", 'K'}, {"e8", 'k'}, {"a2", 'P'}, {"a4", 'p'}, {"h2", 'P'}, {"h3", 'p'}})
        smart[static_cast<size_t>(SquareIndex(Sq(square)))] = piece;

    using Move = TestBoardHost::Move;
    constexpr int W = IBoardHost::PlaysWhite, B = IBoardHost::PlaysBlack;
    constexpr int P = IBoardHost::Playing, O = IBoardHost::Observing, E = IBoardHost::Examining;
    struct Row {
        const char* name;
        bool dragMove;
        int dragType, mode, relation;
        bool live, smartMove;
        const char* gesture;
        std::vector<Move> moves = {};
        std::vector<std::string> commands = {};
        int goLive = 0, sounds = 0;
    } rows[] = {
        {"drag", true, 0, P, W, true, false, "p e2 m e3 r e4", {{Sq("e2"), Sq("e4"), 'P'}}},
        {"drag back to start", true, 0, P, W, true, false, "p e2 m e3 r e2"},
        {"click-click",
         false,
         1,
         P,
         W,
         true,
         false,
         "p g1 r g1 p f3 r f3",
         {{Sq("g1"), Sq("f3"), 'N'}}},
        {"click-click, piece follows",
         false,
         0,
         P,
         W,
         true,
         false,
         "p b1 r b1 m c3 p c3 r c3",
         {{Sq("b1"), Sq("c3"), 'N'}}},
        {"observing", true, 0, O, IBoardHost::Observes, true, false, "p e2 m e3 r e4"},
        {"opponent's piece", true, 0, P, B, true, false, "p e2 m e3 r e4"},
        {"browsed board goes live", true, 0, P, W, false, false, "p e2 m e3 r e4", {}, {}, 1},
        {"smart move, one step",
         true,
         0,
         P,
         W,
         true,
         true,
         "p a2 r a2",
         {{Sq("a2"), Sq("a3"), 'P'}}},
        {"smart move, none", true, 0, P, W, true, true, "p h2 r h4", {}, {}, 0, 1},
        {"examine marks",
         true,
         0,
         E,
         IBoardHost::Examines,
         true,
         false,
         "P^e2 R^e4 P e4 R e4",
         {},
         {"UnArrow e2 e4\n", "Circle e4\n"}},
        {"right button while playing", true, 0, P, W, true, false, "P e2 R e4"},
    };
    Show();
    for (const Row& r : rows) {
        host = TestBoardHost(shared);
        if (r.smartMove) host.record.Reset(smart);
        host.live = r.live;
        host.mode = r.mode;
        host.relation = r.relation;
        CBoardOptions o;
        o.dragMove = r.dragMove;
        o.dragType = r.dragType;
        o.smartMove = r.smartMove;
        shared.SetOptions(o);
        play(r.gesture);
        EXPECT_EQ(host.moves, r.moves) << r.name;
        EXPECT_EQ(host.commands, r.commands) << r.name;
        EXPECT_EQ(host.goLiveCalls, r.goLive) << r.name;
        EXPECT_EQ(static_cast<int>(host.sounds.size()), r.sounds) << r.name;
        EXPECT_EQ(board.DragPiece(), '-') << r.name;
        board.CancelDrag();
    }
}

}  // namespace
