// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// The notify list's load states (what it sends, what it keeps from the main
// console) and the event list's rows and icons (where a click lands, what it
// sends). Server output goes through the connection's real parser.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTreeView>

#include "app/ScratchFolder.h"
#include "console/ConsoleSubView.h"
#include "lists/EventCommand.h"
#include "lists/EventListView.h"
#include "lists/NotifyListView.h"
#include "net/Profile.h"
#include "net/TextStyles.h"
#include "net/qt/Kordane2Doc.h"

namespace {

struct MainSink : IServerMessageSink {
    int Receive(std::unique_ptr<CServerMessage>& m) override {
        if (m->kind == CServerMessage::Datagram) got.push_back(*m);
        return 1;
    }
    std::vector<CServerMessage> got;
};

std::string Datagram(const std::string& fields) {
    return "\x19(" + fields + "\x19)";
}

class LiveListsTest : public ::testing::Test {
  protected:
    LiveListsTest()
        : m_scratch(::testing::UnitTest::GetInstance()->current_test_info()->name()),
          m_profile(m_scratch.File("settings.ini")),
          m_doc(m_profile) {
        m_doc.Parser().SetMainSink(&m_main);
        m_doc.TakeConsoleId();
    }
    ~LiveListsTest() override { m_doc.Parser().SetMainSink(nullptr); }

    void Feed(const std::string& bytes) {
        m_doc.Parser().ProcessBytes(bytes.data(), bytes.size());
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
    }
    std::string TakeSent() {
        std::string sent;
        for (const std::string& s : m_sent) sent += s;
        m_sent.clear();
        return sent;
    }
    void Record(std::string_view text) { m_sent.emplace_back(text); }

    ScratchFolder m_scratch;
    CProfile m_profile;
    CKordane2Doc m_doc;
    MainSink m_main;
    std::vector<std::string> m_sent;
};

std::vector<QString> Names(const CNotifyListView& view) {
    std::vector<QString> names;
    for (int row = 0; row < view.RowCount(); ++row) names.push_back(view.CellText(row, 0));
    return names;
}

TEST_F(LiveListsTest, NotifyListLoadsSilentlyThenForwardsWhatHappensLive) {
    CNotifyListView view(m_doc);
    view.SetSender([this](std::string_view t) { Record(t); });
    view.Start();
    const std::string reload = "multi Set-2 81 1; Set-2 64 1; Set-2 81 1\n";
    EXPECT_EQ(TakeSent(), "Set-2 65 1\nSet-2 68 1\n" + reload);
    // Asked again while the first answer is still awaited: nothing twice.
    view.Reload();
    Feed(Datagram("68 Judit 1"));
    EXPECT_EQ(TakeSent(), "");

    struct Step {
        const char* bytes;
        CNotifyListView::LoadState state;
        std::vector<QString> names;
        int forwarded;  // datagrams the main console has seen so far
    } steps[] = {
        // A leftover from before the reload is dropped with the first marker.
        {"64 Stale", CNotifyListView::LoadState::AwaitingFirstMarker, {"Stale"}, 0},
        {"81", CNotifyListView::LoadState::Loading, {}, 0},
        {"64 magnus", CNotifyListView::LoadState::Loading, {"magnus"}, 0},
        {"64 Judit", CNotifyListView::LoadState::Loading, {"Judit", "magnus"}, 0},
        {"64 Judit", CNotifyListView::LoadState::Loading, {"Judit", "magnus"}, 0},
        {"81", CNotifyListView::LoadState::Live, {"Judit", "magnus"}, 0},
        {"64 Anna", CNotifyListView::LoadState::Live, {"Anna", "Judit", "magnus"}, 1},
        {"65 Judit", CNotifyListView::LoadState::Live, {"Anna", "magnus"}, 2},
        // Not on the list: nothing changes here, the console still hears of it.
        {"65 Nobody", CNotifyListView::LoadState::Live, {"Anna", "magnus"}, 3},
        {"65 MAGNUS", CNotifyListView::LoadState::Live, {"Anna", "magnus"}, 4},
        // Other datagrams are not the list's business.
        {"31 Anna {} {hi} 1", CNotifyListView::LoadState::Live, {"Anna", "magnus"}, 5},
    };
    for (const Step& step : steps) {
        Feed(Datagram(step.bytes));
        EXPECT_EQ(view.State(), step.state) << step.bytes;
        EXPECT_EQ(Names(view), step.names) << step.bytes;
        EXPECT_EQ(static_cast<int>(m_main.got.size()), step.forwarded) << step.bytes;
    }
    EXPECT_EQ(TakeSent(), "");
    // A change of the list while live loads it again.
    Feed(Datagram("68 Boris 1"));
    EXPECT_EQ(TakeSent(), reload);
    EXPECT_EQ(view.State(), CNotifyListView::LoadState::AwaitingFirstMarker);
    // Arrivals while reloading are taken silently again.
    Feed(Datagram("64 Boris"));
    EXPECT_EQ(m_main.got.size(), 5u);

    // A double click fingers the row's person.
    view.SelectRow(0);
    view.RunDefaultCommand();
    EXPECT_EQ(TakeSent(), "Finger Anna\n");
}

TEST_F(LiveListsTest, EventCommandTextSplitsAndProtects) {
    struct Row {
        const char* action;
        const char* lines;
        const char* tagged;  // console 7
    } rows[] = {
        {"observe 1", "observe 1", "`7`observe 1\n"},
        {"a&b", "a\nb", "`7`a\n`7`b\n"},
        {"tell 50 fish \\& chips", "tell 50 fish & chips", "`7`tell 50 fish & chips\n"},
        {"a\\\\&b", "a\\\nb", "`7`a\\\n`7`b\n"},
        {"end\\", "end", "`7`end\n"},
        {"&", "\n", "`7`\n`7`\n"},
        {"", "", "`7`\n"},
    };
    for (const Row& row : rows) {
        const std::string lines = EventCommand::Lines(row.action);
        EXPECT_EQ(lines, row.lines) << row.action;
        EXPECT_EQ(EventCommand::Tagged(lines, 7), row.tagged) << row.action;
    }
    // A line break the server slipped in still starts a tagged line.
    EXPECT_EQ(EventCommand::Tagged("a\r\nb\rc", 3), "`3`a\n`3`b\n`3`c\n");
    EXPECT_TRUE(EventCommand::IsWebAddress("HTTP://www.example.org/"));
    EXPECT_FALSE(EventCommand::IsWebAddress("https://www.example.org/"));
    EXPECT_FALSE(EventCommand::IsWebAddress("http:/"));
}

class EventListTest : public LiveListsTest {
  protected:
    EventListTest() : m_view(m_doc) {
        m_view.GetHooks().send = [this](std::string_view t) { Record(t); };
        m_view.GetHooks().openTemporaryConsole = [this] {
            m_consoles.push_back(
                std::make_unique<CConsoleSubView>(m_doc, std::make_shared<CTextStyles>(), true));
            return m_consoles.back().get();
        };
        m_view.GetHooks().openUrl = [this](const QString& url) { m_urls.push_back(url); };
        m_view.GetHooks().ask = [this](const QString& q) {
            m_questions.push_back(q);
            return m_answer;
        };
        m_view.GetHooks().refuse = [this](const QString& t) { m_refusals.push_back(t); };
        m_view.resize(400, 200);
        m_view.show();
        m_view.Start();
        TakeSent();
    }
    int Row(int id) const {
        const auto& events = m_view.Events();
        for (size_t i = 0; i < events.size(); ++i) {
            if (events[i].id == id) return static_cast<int>(i);
        }
        return -1;
    }
    // The middle of an icon of the row of event `id`.
    QPoint IconCentre(int id, int column) const {
        const auto& e = m_view.Events()[size_t(Row(id))];
        return {2 + 20 * column + 9, m_view.RowTop(size_t(Row(id))) + e.height / 2 + 1};
    }

    CEventListView m_view;
    std::vector<std::unique_ptr<CConsoleSubView>> m_consoles;
    std::vector<QString> m_urls, m_questions, m_refusals;
    bool m_answer = true;
};

TEST_F(EventListTest, RowsStayInIdOrderAndAnUpdateMovesOnlyByItsHeightChange) {
    Feed(Datagram("103 5 0 {Five} {} {observe 5} {} {}"));
    Feed(Datagram("103 2 0 {} {} {} {} {}"));
    Feed(Datagram("103 9 0 {Nine} {} {} {} {}"));
    Feed(Datagram("104 77"));
    ASSERT_EQ(m_view.Events().size(), 3u);
    EXPECT_EQ(m_view.Events()[0].id, 2);
    EXPECT_EQ(m_view.Events()[0].description, " ");
    // An empty description still takes a line of text.
    const int oneLine = m_view.Events()[1].height;
    EXPECT_EQ(m_view.Events()[0].height, oneLine);
    EXPECT_GT(oneLine, CEventListView::kRowPadding + 5);
    EXPECT_EQ(m_view.TotalHeight(), 3 * oneLine);
    EXPECT_TRUE(m_main.got.empty()) << "103 and 104 are the list's own";

    // Event 5 grows to several lines in place: event 9 moves down by exactly
    // the growth, and event 2 stays.
    const int nineBefore = m_view.RowTop(2);
    std::string longText;
    for (int i = 0; i < 40; ++i) longText += "several words wrap ";
    Feed(Datagram("103 5 3 {" + longText + "} {} {} {} {}"));
    ASSERT_EQ(m_view.Events().size(), 3u);
    EXPECT_EQ(m_view.Events()[1].id, 5);
    EXPECT_EQ(m_view.Events()[1].flags, 3);
    EXPECT_TRUE(m_view.Events()[1].actions[CEventListView::Watch].isEmpty());
    const int growth = m_view.Events()[1].height - oneLine;
    EXPECT_GT(growth, 0);
    EXPECT_EQ(m_view.RowTop(0), 0);
    EXPECT_EQ(m_view.RowTop(2), nineBefore + growth);
    EXPECT_EQ(m_view.TotalHeight(), 3 * oneLine + growth);

    Feed(Datagram("104 5"));
    EXPECT_EQ(m_view.TotalHeight(), 2 * oneLine);
    EXPECT_EQ(Row(5), -1);
}

TEST_F(EventListTest, OnlyTheIconsThemselvesAnswerAClick) {
    Feed(Datagram("103 1 15 {One} {join 1} {watch 1} {info 1} {}"));
    Feed(Datagram("103 2 15 {Two} {join 2} {watch 2} {info 2} {}"));
    const int top = m_view.RowTop(1);
    const int iconTop = top + m_view.Events()[1].height / 2 - 8;
    struct Probe {
        int x;
        int y;
        const char* sent;
    } probes[] = {
        {1, iconTop + 5, ""},          {2, iconTop + 5, "info 2\n"},
        {20, iconTop + 5, "info 2\n"}, {21, iconTop + 5, ""},
        {22, iconTop, "watch 2\n"},    {40, iconTop + 17, "watch 2\n"},
        {41, iconTop + 5, ""},         {42, iconTop + 5, "join 2\n"},
        {60, iconTop + 5, "join 2\n"}, {61, iconTop + 5, ""},
        {200, iconTop + 5, ""},        {10, iconTop - 1, ""},
        {10, iconTop + 18, ""},        {10, m_view.TotalHeight() + 3, ""},
    };
    for (const Probe& p : probes) {
        if (const auto hit = m_view.HitTest({p.x, p.y})) m_view.Activate(*hit, false);
        EXPECT_EQ(TakeSent(), p.sent) << p.x << "," << p.y;
    }
}

TEST_F(EventListTest, ActionsGoTaggedToANewConsoleUnlessTheEventOrCtrlSaysOtherwise) {
    Feed(Datagram("103 1 0 {Arena} {a&b} {observe 1} {http://www.example.org/x} {Join?}"));
    Feed(Datagram("103 2 1 {Open} {+channel 50&tell 50 hi} {observe 2} {finger\\&x} {}"));
    Feed(Datagram("103 3 15 {Untagged} {j} {w} {i} {}"));
    // Join with its question answered No: nothing at all.
    m_answer = false;
    m_view.Activate({size_t(Row(1)), CEventListView::Join}, false);
    EXPECT_EQ(m_questions, std::vector<QString>{"Join?"});
    EXPECT_EQ(TakeSent(), "");
    EXPECT_TRUE(m_consoles.empty());
    m_answer = true;
    m_view.Activate({size_t(Row(1)), CEventListView::Join}, false);
    ASSERT_EQ(m_consoles.size(), 1u);
    const std::string tag = "`" + std::to_string(m_consoles[0]->ConsoleId()) + "`";
    EXPECT_EQ(TakeSent(), tag + "a\n" + tag + "b\n");
    // A web address goes to the browser, never to the server.
    m_view.Activate({size_t(Row(1)), CEventListView::Information}, false);
    EXPECT_EQ(m_urls, std::vector<QString>{"http://www.example.org/x"});
    EXPECT_EQ(TakeSent(), "");
    // Ctrl sends untagged, as does the event's own flag.
    m_view.Activate({size_t(Row(2)), CEventListView::Join}, true);
    EXPECT_EQ(TakeSent(), "+channel 50\ntell 50 hi\n");
    m_view.Activate({size_t(Row(3)), CEventListView::Watch}, false);
    EXPECT_EQ(TakeSent(), "w\n");
    EXPECT_EQ(m_consoles.size(), 1u);

    // A guest may look at everything but take part only where guests are
    // welcome.
    m_doc.Params().guest = true;
    m_view.Activate({size_t(Row(1)), CEventListView::Watch}, false);
    EXPECT_EQ(m_refusals, std::vector<QString>{"Sorry, you must be a registered VCX member to "
                                               "participate in this event."});
    EXPECT_EQ(TakeSent(), "");
    m_view.Activate({size_t(Row(2)), CEventListView::Information}, false);
    m_view.Activate({size_t(Row(2)), CEventListView::Watch}, false);
    ASSERT_EQ(m_consoles.size(), 3u);
    EXPECT_EQ(TakeSent(), "`" + std::to_string(m_consoles[1]->ConsoleId()) + "`finger&x\n`" +
                              std::to_string(m_consoles[2]->ConsoleId()) + "`observe 2\n");
    EXPECT_EQ(m_refusals.size(), 1u);
}

}  // namespace
