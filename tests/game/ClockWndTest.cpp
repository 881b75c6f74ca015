// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "game/ClockWnd.h"
#include "game/GameShared.h"

namespace {

TEST(ClockWnd, TextsOfStoppedClocks) {
    struct Row {
        int32_t ms;
        bool always, whenLow, blank;
        const char* text;
    } rows[] = {
        {9950, false, true, false, " 0:09.9    "}, {10000, false, true, false, " 0:10    "},
        {9950, false, false, false, " 0:09    "},  {-3400, false, true, false, "-0:03    "},
        {-3400, true, true, false, "-0:03.4    "}, {6000000, false, true, false, " 100:00    "},
        {599999, false, true, false, " 9:59    "}, {754300, true, false, false, " 12:34.3    "},
        {754300, true, false, true, " -:--     "},
    };
    CGameShared shared;
    CClockWnd clock(shared, "WhiteClock");
    for (const Row& r : rows) {
        CBoardOptions o;
        o.showTenthsAlways = r.always;
        o.showTenthsWhenLow = r.whenLow;
        shared.SetOptions(o);
        clock.SetBlank(r.blank);
        clock.Set(r.ms, false);
        EXPECT_EQ(clock.Text().toStdString(), r.text) << r.ms;
    }
}

TEST(ClockWnd, StopAddSecondsAndResumeKeepTheirStates) {
    CGameShared shared;
    CClockWnd clock(shared, "BlackClock");
    clock.Set(30000, false);
    clock.AddSeconds(60);
    EXPECT_FALSE(clock.Running());
    EXPECT_EQ(clock.RemainingNow(), 90000);

    clock.Set(30000, true);
    QTest::qWait(60);
    clock.AddSeconds(60);
    EXPECT_TRUE(clock.Running());
    EXPECT_LE(clock.RemainingNow(), 90000 - 60);
    EXPECT_GT(clock.RemainingNow(), 90000 - 1000);

    // Resume runs on from the last Set as if never stopped.
    clock.Set(5000, true);
    QTest::qWait(120);
    clock.Stop();
    const int32_t stopped = clock.RemainingNow();
    EXPECT_LE(stopped, 5000 - 120);
    QTest::qWait(50);
    EXPECT_EQ(clock.RemainingNow(), stopped);
    clock.Resume();
    EXPECT_TRUE(clock.Running());
    EXPECT_LE(clock.RemainingNow(), 5000 - 170);
}

TEST(ClockWnd, TicksRedrawOnlyWhenTheTextChanges) {
    CGameShared shared;
    auto clock = std::make_unique<CClockWnd>(shared, "WhiteClock");
    clock->resize(120, 24);
    clock->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(clock.get()));

    clock->Set(60000, false);
    QCoreApplication::processEvents();
    const int drawn = clock->DrawCount();
    for (int i = 0; i < 5; ++i) {
        clock->Tick();
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(clock->DrawCount(), drawn);

    // Under ten seconds the tenths change every 100 ms.
    clock->Set(5000, true);
    QCoreApplication::processEvents();
    const int running = clock->DrawCount();
    QTest::qWait(150);
    shared.Tick();
    QCoreApplication::processEvents();
    EXPECT_GT(clock->DrawCount(), running);

    clock->SetBlank(true);
    QCoreApplication::processEvents();
    const int blank = clock->DrawCount();
    QTest::qWait(150);
    shared.Tick();
    QCoreApplication::processEvents();
    EXPECT_EQ(clock->DrawCount(), blank);

    // A destroyed clock leaves the shared timer's list.
    clock.reset();
    shared.Tick();
}

TEST(GameShared, PreferenceChangesNameWhatToRedo) {
    using C = CGameShared::Change;
    struct Row {
        void (*change)(CBoardOptions&);
        std::vector<C> expected;
    } rows[] = {
        {[](CBoardOptions& o) { o.pieceSet = 5; }, {C::Geometry}},
        {[](CBoardOptions& o) { o.pieceSet = 3; }, {C::Boards}},
        {[](CBoardOptions& o) { o.drawCoords = true; }, {C::Geometry}},
        {[](CBoardOptions& o) { o.lightSquare = 0x123456; }, {C::Boards}},
        {[](CBoardOptions& o) { o.showTenthsAlways = true; }, {C::Clocks}},
        {[](CBoardOptions& o) { o.strength = true; }, {C::Labels}},
        {[](CBoardOptions& o) { o.examinePlunkers = true; }, {C::PiecePanel}},
        {[](CBoardOptions& o) { o.bypassConsole = true; }, {C::Layout}},
        {[](CBoardOptions& o) { o.dragMove = false; }, {}},
    };
    for (const Row& r : rows) {
        CGameShared shared;
        QSignalSpy spy(&shared, &CGameShared::changed);
        CBoardOptions o = shared.Options();
        r.change(o);
        shared.SetOptions(o);
        std::vector<C> got;
        for (const QList<QVariant>& args : spy) got.push_back(args.at(0).value<C>());
        EXPECT_EQ(got, r.expected) << r.expected.size();
    }
    // The clock timer runs wherever there is an event loop.
    EXPECT_TRUE(CGameShared().TimerRunning());
}

}  // namespace
