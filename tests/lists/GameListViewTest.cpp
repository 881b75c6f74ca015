// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <initializer_list>

#include "lists/GameListText.h"
#include "lists/GameListView.h"
#include "net/DatagramTable.h"

namespace {

std::unique_ptr<CServerMessage> Datagram(int number, std::initializer_list<std::string> fields) {
    auto m = std::make_unique<CServerMessage>(CServerMessage::Datagram, number);
    m->AppendField(std::to_string(number));
    for (const std::string& f : fields) m->AppendField(f);
    return m;
}

std::unique_ptr<CServerMessage> Header(const std::string& command, const std::string& player,
                                       int total, int first, int last) {
    return Datagram(DG_GAMELIST_BEGIN, {command, player, std::to_string(total),
                                        std::to_string(first), std::to_string(last)});
}

// Fields 1 to 22 of a game list item.
struct Game {
    int index;
    int number;
    std::string event, date, time, white, whiteRating, black, blackRating;
    int rated, wildType;
    std::string wildText;
    int minutes, increment;
    std::string eco;
    int kind, winner, code;
    std::string note;
    int present = 0;
};

std::unique_ptr<CServerMessage> Item(const Game& g) {
    const auto s = [](int v) { return std::to_string(v); };
    return Datagram(DG_GAMELIST_ITEM, {s(g.index),
                                       s(g.number),
                                       g.event,
                                       g.date,
                                       g.time,
                                       g.white,
                                       g.whiteRating,
                                       g.black,
                                       g.blackRating,
                                       s(g.rated),
                                       s(g.wildType),
                                       g.wildText,
                                       s(g.minutes),
                                       s(g.increment),
                                       "",
                                       "",
                                       g.eco,
                                       s(g.kind),
                                       s(g.winner),
                                       s(g.code),
                                       g.note,
                                       s(g.present)});
}

// A list window with its sends and boxes captured instead of shown.
struct ListFixture {
    ListFixture() {
        CGameListView::Hooks& h = view.GetHooks();
        h.send = [this](std::string_view line) { sent.emplace_back(line); };
        h.sendToNewConsole = [this](std::string_view line) { sentToNewConsole.emplace_back(line); };
        h.echo = [this](std::string_view text) { echoed.emplace_back(text); };
        h.ownHandle = [] { return std::string("Anna"); };
        h.wildNames = [] {
            return std::vector<std::string>{"Standard", "Wild1", "Reversed", "Fischer"};
        };
        h.confirm = [this](const QString& text) {
            questions.push_back(text);
            return answerYes;
        };
        h.inform = [this](const QString& text, bool warning) {
            informed.push_back((warning ? "!" : "") + text);
        };
        view.resize(700, 300);
    }
    void Feed(std::unique_ptr<CServerMessage> m) { ASSERT_EQ(view.Receive(m), 1); }
    std::vector<QString> Column(int column) const {
        std::vector<QString> cells;
        for (int r = 0; r < view.RowCount(); ++r) cells.push_back(view.CellText(r, column));
        return cells;
    }

    CGameListView view{nullptr};
    std::vector<std::string> sent, sentToNewConsole, echoed;
    std::vector<QString> questions, informed;
    bool answerYes = true;
};

const Game kAnnaWhite{1,  101, "?", "2026.03.01", "10:00", "Anna", "1600", "Bob", "1500", 1, 0,
                      "", 5,   2,   "B20",        0,       0,      1,      "",    0};
const Game kAnnaBlack{
    2,        102, "?", "2026.03.02", "11:30", "Carl", "----", "Anna", "1610", 0, 2,
    "Wild1x", 3,   0,   "",           1,       0,      2,      "",     0};

TEST(GameListView, HistoryWhereTheOwnerPlayedBlackShowsTheOpponentAndB) {
    ListFixture f;
    f.Feed(Header("history", "Anna", 2, 1, 2));
    f.Feed(Item(kAnnaWhite));
    f.Feed(Item(kAnnaBlack));
    EXPECT_TRUE(f.view.PlayerCentred());
    EXPECT_EQ(f.view.ListTitle(), "history Anna");
    const std::vector<std::vector<QString>> expected = {
        {"1", "+", "1600", "W", "1500", "Bob", "5 2 [w r]", "B20", "Mat", "2026.03.01 10:00"},
        {"2", "=", "1610", "B", "----", "Carl", "3 0 [Reversed u]", "", "Rep", "2026.03.02 11:30"},
    };
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < CGameListView::kColumns; ++c)
            EXPECT_EQ(f.view.CellText(r, c), expected[r][c]) << "row " << r << " column " << c;
    const CGameListView::GameRow* row = f.view.Row(1);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->ownerWhite, 0);
    EXPECT_EQ(row->whiteRating, 1610);  // the owner's rating comes first
    EXPECT_EQ(row->blackRating, 0);
    EXPECT_EQ(row->duration, 9);
}

TEST(GameListView, NormalLayoutShowsBothPlayersTheResultAndTheNote) {
    ListFixture f;
    f.Feed(Header("history", "Anna", 1, 1, 1));
    f.Feed(Header("liblist", "Anna", 2, 1, 2));  // the layout switches back
    Game lib = kAnnaBlack;
    lib.event = "Club-3";
    lib.note = "nice ending";
    lib.kind = 0;
    lib.winner = 1;
    lib.code = 2;
    Game adjourned = kAnnaWhite;
    adjourned.kind = 2;
    adjourned.wildType = 27;
    adjourned.wildText = "atomic";
    f.Feed(Item(lib));
    f.Feed(Item(adjourned));
    EXPECT_FALSE(f.view.PlayerCentred());
    const std::vector<std::vector<QString>> expected = {
        {"2", "Carl", "----", "Anna", "1610", "0-1 Fla", "3 0 [Reversed u]", "", "2026.03.02 11:30",
         "nice ending Event=Club-3"},
        {"1", "Anna", "1600", "Bob", "1500", "*", "5 2 [watomic r]", "B20", "2026.03.01 10:00", ""},
    };
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < CGameListView::kColumns; ++c)
            EXPECT_EQ(f.view.CellText(r, c), expected[r][c]) << "row " << r << " column " << c;
    EXPECT_EQ(f.view.CopyText(),
              "liblist Anna\n2\tCarl\t----\tAnna\t1610\t0-1 Fla\t3 0 [Reversed u]\t\t"
              "2026.03.02 11:30\tnice ending Event=Club-3\n"
              "1\tAnna\t1600\tBob\t1500\t*\t5 2 [watomic r]\tB20\t2026.03.01 10:00\t\n");
}

TEST(GameListView, StoredListMarksPresenceAndHowTheGameWasAdjourned) {
    ListFixture f;
    f.Feed(Header("stored", "Anna", 3, 1, 3));
    EXPECT_FALSE(f.view.Legend()->isHidden());
    Game disconnected = kAnnaWhite;  // Anna white, code 1, winner 1: "!"
    disconnected.kind = 3;
    disconnected.winner = 1;
    disconnected.code = 1;
    disconnected.present = 1;
    Game courtesy = kAnnaBlack;  // Anna black, code 3, winner 1 differs: "?"
    courtesy.kind = 3;
    courtesy.winner = 1;
    courtesy.code = 3;
    Game plain = kAnnaWhite;
    plain.kind = 3;
    plain.code = 3;
    plain.winner = 1;  // code 3 but the winner colour is the owner's: no mark
    f.Feed(Item(disconnected));
    f.Feed(Item(courtesy));
    f.Feed(Item(plain));
    EXPECT_EQ(f.Column(0), (std::vector<QString>{"+!", "?", ""}));
    EXPECT_EQ(f.Column(8), (std::vector<QString>{"WQ", "WA", "WA"}));
    f.Feed(Header("history", "Anna", 0, 0, 0));
    EXPECT_TRUE(f.view.Legend()->isHidden());
    EXPECT_EQ(f.view.RowCount(), 0);
}

TEST(GameListView, ResultCodeTexts) {
    struct Case {
        int kind, code, winner;
        const char* text;
        const char* result;
    };
    const Case cases[] = {
        {0, 0, 0, "Res", "1-0 Res"},
        {0, 7, 1, "Res", "0-1 Res"},
        {0, 8, 0, "Mat", "1-0 Mat"},
        {0, 9, 1, "Fla", "0-1 Fla"},
        {0, 3, 0, "Adj", "1-0 Adj"},
        {0, 5, 1, "WQ", "0-1 WQ"},
        {0, 11, 0, "BQ", "1-0 BQ"},
        {0, 12, 1, "0-1", "0-1 0-1"},
        {0, -4, 0, "1-0", "1-0 1-0"},
        {1, 0, 0, "Agr", "1/2-1/2 Agr"},
        {1, 3, 0, "50", "1/2-1/2 50"},
        {1, 9, 0, "NT", "1/2-1/2 NT"},
        {1, 10, 0, "1/2", "1/2-1/2 1/2"},
        {1, -1, 0, "?", "1/2-1/2"},
        {3, 0, 0, "Agr", "* Agr"},
        {3, 6, 0, "BQ", "* BQ"},
        {3, 2, 1, "SD", "* SD"},
        {3, 3, 0, "BA", "* BA"},
        {3, 10, 0, "Adj", "* Adj"},
        {3, 8, 0, "Sho", "* Sho"},
        {3, 11, 0, "?", "*"},
        {2, 0, 0, "?", "*"},
        {-1, 0, 0, "?", "*"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CGameListText::ResultCode(c.kind, c.code, c.winner), c.text)
            << c.kind << "/" << c.code << "/" << c.winner;
        EXPECT_EQ(CGameListText::Result(c.kind, c.code, c.winner), c.result)
            << c.kind << "/" << c.code << "/" << c.winner;
    }
}

TEST(GameListView, ColumnClicksSortByTheirKeysAndToggle) {
    ListFixture f;
    f.Feed(Header("liblist", "Anna", 5, 1, 5));
    const std::vector<std::pair<std::string, std::string>> ratings = {
        {"++++", "1200"}, {"1500", "----"}, {"----", "900"}, {"1499", "1800"}, {"2100", "++++"}};
    for (size_t i = 0; i < ratings.size(); ++i) {
        Game g = kAnnaWhite;
        g.index = static_cast<int>(i) + 1;
        g.white = std::string(1, static_cast<char>("dBcAe"[i]));
        g.whiteRating = ratings[i].first;
        g.blackRating = ratings[i].second;
        g.minutes = static_cast<int>(i);  // durations 4, 7, 10, 13, 16
        g.date = "2026.01.0" + std::to_string(5 - i);
        f.Feed(Item(g));
    }
    f.view.SortByColumn(2);  // ratings as numbers, highest first
    EXPECT_EQ(f.Column(2), (std::vector<QString>{"2100", "1500", "1499", "----", "++++"}));
    f.view.SortByColumn(2);
    EXPECT_EQ(f.Column(2), (std::vector<QString>{"++++", "----", "1499", "1500", "2100"}));
    f.view.SortByColumn(4);
    EXPECT_EQ(f.Column(4), (std::vector<QString>{"1800", "1200", "900", "----", "++++"}));
    f.view.SortByColumn(1);  // names without regard to case
    EXPECT_EQ(f.Column(1), (std::vector<QString>{"A", "B", "c", "d", "e"}));
    f.view.SortByColumn(6);  // longest time control first
    EXPECT_EQ(f.Column(0), (std::vector<QString>{"5", "4", "3", "2", "1"}));
    f.view.SortByColumn(8);  // date ascending
    EXPECT_EQ(f.Column(0), (std::vector<QString>{"5", "4", "3", "2", "1"}));
    f.view.SortByColumn(0);
    EXPECT_EQ(f.Column(0), (std::vector<QString>{"1", "2", "3", "4", "5"}));
    f.view.SortByColumn(0);
    EXPECT_EQ(f.Column(0), (std::vector<QString>{"5", "4", "3", "2", "1"}));
    f.view.SortByColumn(9);  // the note does not sort
    EXPECT_EQ(f.Column(0), (std::vector<QString>{"5", "4", "3", "2", "1"}));
}

TEST(GameListView, PlayerCentredColumnsSortByColourOpponentAndMark) {
    ListFixture f;
    f.Feed(Header("history", "Anna", 3, 1, 3));
    Game lost = kAnnaWhite;
    lost.index = 3;
    lost.winner = 1;
    lost.black = "zed";
    lost.date = "2026.03.05";
    f.Feed(Item(kAnnaWhite));  // W, Bob, "+"
    f.Feed(Item(kAnnaBlack));  // B, Carl, "="
    f.Feed(Item(lost));        // W, zed, "-"
    f.view.SortByColumn(3);    // black first
    EXPECT_EQ(f.Column(3), (std::vector<QString>{"B", "W", "W"}));
    f.view.SortByColumn(5);
    EXPECT_EQ(f.Column(5), (std::vector<QString>{"Bob", "Carl", "zed"}));
    f.view.SortByColumn(8);  // the result mark
    EXPECT_EQ(f.Column(1), (std::vector<QString>{"+", "-", "="}));
    f.view.SortByColumn(9);
    f.view.SortByColumn(9);  // date descending
    EXPECT_EQ(f.Column(0), (std::vector<QString>{"3", "2", "1"}));
}

TEST(GameListView, MoreIsOfferedOnlyWhenGamesAreLeft) {
    ListFixture f;
    f.Feed(Header("history", "Anna", 20, 1, 10));
    EXPECT_TRUE(f.view.MoreButton()->isEnabled());
    f.view.MoreButton()->click();
    EXPECT_EQ(f.sent, (std::vector<std::string>{"More\n"}));
    EXPECT_FALSE(f.view.RefreshButton()->isEnabled());
    f.Feed(Header("history", "Anna", 20, 11, 20));
    EXPECT_FALSE(f.view.MoreButton()->isEnabled());
    EXPECT_TRUE(f.view.RefreshButton()->isEnabled());
    f.view.RefreshButton()->click();
    EXPECT_EQ(f.sent.back(), "history Anna\n");
    // A line break in a field must not smuggle a second command into Refresh.
    f.Feed(Header("history", "Anna\nquit", 1, 1, 1));
    f.view.RefreshButton()->click();
    EXPECT_EQ(f.sent.back(), "history Anna quit\n");
}

TEST(GameListView, DontReuseLeavesTheListToAnotherWindow) {
    ListFixture f;
    f.Feed(Header("history", "Anna", 1, 1, 1));
    f.view.SetDontReuse(true);
    auto header = Header("liblist", "Bob", 1, 1, 1);
    EXPECT_EQ(f.view.Receive(header), 0);
    ASSERT_NE(header, nullptr);
    auto text = std::make_unique<CServerMessage>(CServerMessage::Text, 0);
    f.view.SetDontReuse(false);
    EXPECT_EQ(f.view.Receive(text), 0);
    EXPECT_EQ(f.view.ListTitle(), "history Anna");
}

TEST(GameListView, LibdeleteOnlyInTheUsersOwnLibrary) {
    ListFixture f;
    f.Feed(Header("liblist", "bob", 1, 1, 1));
    f.Feed(Item(kAnnaWhite));
    f.view.SelectRow(0);
    EXPECT_FALSE(f.view.CommandEnabled(CGameListView::Libdelete));
    f.view.Run(CGameListView::Libdelete, false);
    EXPECT_TRUE(f.sent.empty());
    EXPECT_FALSE(f.view.CommandEnabled(CGameListView::Resign));

    f.Feed(Header("LIBLIST", "anna", 1, 1, 1));
    f.Feed(Item(kAnnaWhite));
    f.view.SelectRow(0);
    EXPECT_TRUE(f.view.CommandEnabled(CGameListView::Libdelete));
    f.view.Run(CGameListView::Libdelete, false);
    EXPECT_EQ(f.sent, (std::vector<std::string>{"Libdelete %1\n", "LIBLIST anna\n"}));
}

TEST(GameListView, RowCommandsSendTheGameNumber) {
    ListFixture f;
    f.view.Run(CGameListView::Examine, false);  // no row selected: nothing
    f.Feed(Header("history", "Anna", 2, 1, 2));
    f.Feed(Item(kAnnaWhite));
    f.Feed(Item(kAnnaBlack));
    f.view.SelectRow(1);
    f.view.Run(CGameListView::Examine, false);
    f.view.Run(CGameListView::Sposition, true);  // Ctrl matters only to Spgn/Smoves
    f.view.Run(CGameListView::Smoves, false);
    f.view.Run(CGameListView::Spgn, true);
    EXPECT_EQ(f.sent,
              (std::vector<std::string>{"Examine #102\n", "Sposition #102\n", "Smoves #102\n"}));
    EXPECT_EQ(f.sentToNewConsole, (std::vector<std::string>{"Spgn #102\n"}));

    std::string logFile = "old.pgn";
    f.view.GetHooks().gameLogFile = &logFile;
    f.view.GetHooks().askPgnFile = [](const QString& current) -> std::optional<QString> {
        return current == "old.pgn" ? std::optional<QString>("/tmp/games.pgn") : std::nullopt;
    };
    f.view.Run(CGameListView::SavePgn, false);
    EXPECT_EQ(logFile, "/tmp/games.pgn");
    EXPECT_EQ(f.sent.back(), "`1`Logpgn #102\n");
}

TEST(GameListView, StoredGameRequestsAskFirstAndNameTheGame) {
    ListFixture f;
    f.Feed(Header("stored", "Anna", 1, 1, 1));
    Game g = kAnnaBlack;
    g.event = "T12";
    g.kind = 3;
    f.Feed(Item(g));
    f.view.SelectRow(0);
    f.answerYes = false;
    f.view.Run(CGameListView::Resign, false);
    EXPECT_TRUE(f.sent.empty());
    f.answerYes = true;
    f.view.Run(CGameListView::OfferDraw, false);
    EXPECT_EQ(f.questions.back(), CGameListView::kAskDraw);
    EXPECT_EQ(f.sent, (std::vector<std::string>{"Draw Carl_T12\n"}));

    std::optional<CAdjudicationDlg::Answer> answer = CAdjudicationDlg::Answer{};
    QString prefilled;
    f.view.GetHooks().askAdjudication = [&](const QString& opponent) {
        prefilled = opponent;
        return answer;
    };
    answer->opponent = "Carl_T12";  // no result chosen
    f.view.Run(CGameListView::Adjudication, false);
    EXPECT_EQ(prefilled, "Carl_T12");
    EXPECT_EQ(f.informed.back(), QString("!") + CGameListView::kAdjudicationNotSent);
    EXPECT_EQ(f.sent.size(), 1u);
    EXPECT_TRUE(f.echoed.empty());

    answer->result = CAdjudicationDlg::Result::Win;
    answer->justification = "he left\nthe game";
    f.view.Run(CGameListView::Adjudication, false);
    EXPECT_EQ(f.sent.back(), "Request-win Carl_T12 he left the game\n");
    EXPECT_EQ(f.echoed.back(), f.sent.back());
    EXPECT_EQ(f.informed.back(), CGameListView::kAdjudicationSent);
    answer->result = CAdjudicationDlg::Result::Loss;
    f.view.Run(CGameListView::Adjudication, false);
    EXPECT_EQ(f.sent.back(), "Resign Carl_T12\n");
}

}  // namespace

namespace {

TEST(GameListView, ColumnWidthsComeFromTheSettingsOfTheLayout) {
    ListFixture f;
    f.view.GetHooks().columnWidths = [](bool playerCentred) {
        // The history value is damaged after its third number.
        return std::string(playerCentred ? "30, 40,50,x,70" : "11,22,33,44,55,66,77,88,99,110,121");
    };
    f.Feed(Header("liblist", "Anna", 0, 0, 0));
    f.Feed(Header("history", "Anna", 0, 0, 0));
    const std::vector<int> widths = f.view.ColumnWidths();
    ASSERT_EQ(widths.size(), 10u);
    EXPECT_EQ(std::vector<int>(widths.begin(), widths.begin() + 3), (std::vector<int>{30, 40, 50}));
    EXPECT_GT(widths[3], 12);  // heading width plus 12
    f.Feed(Header("search", "Anna", 0, 0, 0));
    EXPECT_EQ(f.view.ColumnWidthsText(), "11,22,33,44,55,66,77,88,99,110");
}

}  // namespace
