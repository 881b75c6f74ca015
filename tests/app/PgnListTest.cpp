// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// The PGN list as the user meets it: File, "Open P&GN..." on a connection,
// the rows of the file, sorting by a click on a heading, the row commands
// and the column widths kept in the settings.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <fstream>

#include "app/FileMenu.h"
#include "app/Kordane2App.h"
#include "app/MainFrame.h"
#include "app/PgnLists.h"
#include "app/ScratchFolder.h"
#include "app/WindowLayout.h"
#include "console/ConsoleFrame.h"
#include "console/ConsoleView.h"
#include "console/ConsoleWnd.h"
#include "game/GameFrame.h"
#include "game/GameView.h"
#include "game/MoveListWnd.h"
#include "lists/PGNListView.h"
#include "net/Profile.h"
#include "net/qt/Kordane2Doc.h"

namespace {

// Names in mixed case, a missing Black tag and two equal rounds.
constexpr const char* kThreeGames = R"([Event "Club"]
[White "bob"]
[Black "Zed"]
[Round "2"]
[Result "1-0"]

1. e4 e5 2. Nf3 Nc6 1-0

[Event "Open"]
[White "Carl"]
[Round "1"]
[Result "*"]

1. d4 *

[Event "club"]
[White "alice"]
[Black "Yan"]
[Round "2"]
[Result "0-1"]

1. c4 0-1
)";

class PgnListTest : public ::testing::Test {
  protected:
    PgnListTest() : m_scratch(::testing::UnitTest::GetInstance()->current_test_info()->name()) {
        CProfile(m_scratch.File("settings.ini")).WriteString("Tips", "ShowTips", "0");
        m_app.SetMessageBox([](const QString&) {});
        // No server: the local board, which never connects anywhere.
        m_app.SetLoginPrompt([](ConnectionParams& params, bool&) {
            params.host.clear();
            return true;
        });
    }
    void SetUp() override {
        ASSERT_TRUE(m_app.InitInstance({}));
        m_menu = m_app.MainFrame()->findChild<CFileMenu*>();
        ASSERT_NE(m_menu, nullptr);
        m_console = qobject_cast<CConsoleFrame*>(m_app.MainFrame()->MdiArea()->subWindowList()[0]);
        ASSERT_NE(m_console, nullptr);
    }
    CKordane2Doc& Doc() const { return m_console->Doc(); }
    bool OpenPgnEnabled() const {
        m_app.MainFrame()->MdiArea()->setActiveSubWindow(m_console);
        emit qobject_cast<QMenu*>(m_menu->parent())->aboutToShow();
        return m_menu->OpenPgnAction()->isEnabled();
    }
    std::string Write(const std::string& name, const std::string& text) const {
        std::ofstream(m_scratch.File(name), std::ios::binary) << text;
        return m_scratch.File(name);
    }
    // Answers the next message box and returns its text (empty: none came).
    static void AnswerBox(QString* text) {
        QTimer::singleShot(0, [text] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                *text = box->text();
                box->accept();
            }
        });
    }
    static std::vector<int> Indices(const CPGNListView& view) {
        std::vector<int> order;
        for (int row = 0; row < view.RowCount(); ++row) order.push_back(view.IndexAt(row));
        return order;
    }
    std::vector<CGameFrame*> GameFrames() const {
        std::vector<CGameFrame*> games;
        for (QMdiSubWindow* window : m_app.MainFrame()->MdiArea()->subWindowList()) {
            if (auto* game = qobject_cast<CGameFrame*>(window)) games.push_back(game);
        }
        return games;
    }

    ScratchFolder m_scratch;
    CKordane2App m_app;
    CFileMenu* m_menu = nullptr;
    CConsoleFrame* m_console = nullptr;
};

TEST_F(PgnListTest, ThreeGamesSortedUploadedAndShown) {
    CPgnLists& lists = m_menu->PgnLists();
    m_app.MainFrame()->Settings().SetColumnWidths(CSettings::ListColumns::PgnList, "30, 40,x,9");

    // A file without a game is refused and opens nothing.
    QString told;
    AnswerBox(&told);
    EXPECT_EQ(lists.OpenFile(Doc(), QString::fromStdString(Write("none.pgn", "1. e4 e5\n"))),
              nullptr);
    EXPECT_EQ(told, "Error opening PGN file!\n(Bad format, Insufficient memory, or size > 8MB)");
    EXPECT_TRUE(OpenPgnEnabled());

    const std::string path = Write("three.pgn", kThreeGames);
    std::string chosen = path;
    lists.SetFileChooser([&chosen] { return QString::fromStdString(chosen); });
    m_menu->OpenPgnAction()->trigger();
    CPGNListView* view = lists.ListOf(Doc());
    ASSERT_NE(view, nullptr);
    auto* frame = qobject_cast<QMdiSubWindow*>(view->parentWidget());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->windowTitle().toStdString(), path);
    EXPECT_EQ(m_app.MainFrame()->Layout().SlotOf(frame), 1);
    EXPECT_FALSE(OpenPgnEnabled()) << "one PGN list per connection";

    // File order, the index in column 0, empty where a tag is missing.
    EXPECT_EQ(Indices(*view), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(view->CellText(2, 0), "2");
    EXPECT_EQ(view->CellText(0, 1), "bob");
    EXPECT_EQ(view->CellText(1, 2), "");
    EXPECT_EQ(view->CellText(2, 3), "club");
    // The widths the settings hold, the defaults after what they do not.
    EXPECT_EQ(view->ColumnWidths(), (std::vector<int>{30, 40, 50, 50, 50, 50, 15, 50}));

    struct Click {
        int column;
        int state;
        std::vector<int> order;
    } clicks[] = {
        {CPgnListRows::kWhite, 3, {2, 0, 1}},   // alice, bob, Carl: case ignored
        {CPgnListRows::kWhite, 2, {1, 0, 2}},   // then Z to A
        {CPgnListRows::kWhite, 3, {2, 0, 1}},   // and back
        {CPgnListRows::kIndex, 1, {0, 1, 2}},   // index ascending first
        {CPgnListRows::kIndex, 0, {2, 1, 0}},   // then descending
        {CPgnListRows::kRound, 13, {1, 0, 2}},  // equal rounds keep file order
        {CPgnListRows::kRound, 12, {2, 0, 1}},  // and reverse with the rest
        {CPgnListRows::kEvent, 7, {0, 2, 1}},   // "Club" and "club" are equal
        {CPgnListRows::kBlack, 5, {1, 2, 0}},   // a missing tag sorts first
    };
    QHeaderView* header = view->List()->header();
    for (const Click& click : clicks) {
        // As the mouse does it: on the middle of the heading.
        const int x =
            header->sectionViewportPosition(click.column) + header->sectionSize(click.column) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
        EXPECT_EQ(view->SortState(), click.state) << click.column;
        EXPECT_EQ(Indices(*view), click.order) << click.column;
    }

    // Row commands act on the selected row only.
    std::vector<std::string> sent;
    view->SetSender([&sent](std::string_view line) { sent.emplace_back(line); });
    view->Run(CPGNListView::kUpload);
    EXPECT_TRUE(sent.empty()) << "no row selected";
    view->SelectRow(1);  // game 2: alice - Yan
    Doc().Games().Join(false);
    for (int command : {CPGNListView::kUpload, CPGNListView::kUploadToLibrary}) {
        told.clear();
        AnswerBox(&told);
        view->Run(command);
        EXPECT_EQ(told, "You can not upload while playing a game") << command;
    }
    EXPECT_TRUE(sent.empty()) << "nothing is sent while the user plays";
    Doc().Games().Leave(false);
    view->Run(CPGNListView::kUploadToLibrary);
    ASSERT_GE(sent.size(), 4u);
    EXPECT_EQ(sent[1], "Setwhitename alice\n");
    EXPECT_EQ(sent[3], "c2c4\n");
    EXPECT_EQ(sent.back(), "Libkeepexam\n");

    view->Run(CPGNListView::kDisplayTags);
    QApplication::processEvents();
    const QString console = m_console->View().Pane()->toPlainText();
    EXPECT_TRUE(console.contains("[Event \"club\"]\n[White \"alice\"]\n[Black \"Yan\"]"))
        << console.toStdString();

    // A drag of a column's edge is kept for the next list.
    header->resizeSection(2, 77);
    EXPECT_EQ(m_app.MainFrame()->Settings().ColumnWidths(CSettings::ListColumns::PgnList),
              "30,40,77,50,50,50,15,50,0");

    frame->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(lists.ListOf(Doc()), nullptr);
    EXPECT_TRUE(OpenPgnEnabled()) << "the list closed";
}

// The whole collection through the window: opened, sorted by White, and a
// game shown on a board by a double click.
TEST_F(PgnListTest, CorpusOpensSortsAndShowsAGame) {
    CPgnLists& lists = m_menu->PgnLists();
    CPGNListView* view =
        lists.OpenFile(Doc(), QStringLiteral(KORDANE_TEST_DATA "/pgn/corpus-a.pgn"));
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(view->RowCount(), 11334);
    auto* frame = qobject_cast<QMdiSubWindow*>(view->parentWidget());
    frame->resize(900, 500);
    QApplication::processEvents();

    QHeaderView* header = view->List()->header();
    const int x = header->sectionViewportPosition(CPgnListRows::kWhite) + 10;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    ASSERT_EQ(view->SortState(), 3);
    for (int row = 1; row < view->RowCount(); ++row) {
        const int order =
            CPgnListRows::CompareNoCase(view->GameAt(row - 1)->GetTag("White").value_or(""),
                                        view->GameAt(row)->GetTag("White").value_or(""));
        ASSERT_TRUE(order < 0 || (order == 0 && view->IndexAt(row - 1) < view->IndexAt(row)))
            << row;
    }

    // Double click on the first row with moves.
    int row = 0;
    while (view->GameAt(row)->MoveCount() < 2) ++row;
    view->List()->scrollTo(view->List()->model()->index(row, 0));
    const QRect cell = view->List()->visualRect(view->List()->model()->index(row, 1));
    // As a mouse gives it: a click, then the second press as a double click.
    QTest::mouseClick(view->List()->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(view->List()->viewport(), Qt::LeftButton, {}, cell.center());
    const std::vector<CGameFrame*> games = GameFrames();
    ASSERT_EQ(games.size(), 1u);
    const PgnGame& game = *view->GameAt(row);
    CMoveListWnd* moves = games[0]->View().MoveList();
    EXPECT_EQ(moves->MoveText(0).toStdString(), game.MoveText(0));
    EXPECT_EQ(moves->MoveText(1).toStdString(), game.MoveText(1));
    EXPECT_GT(moves->Count(), 1);

    // Pictures for a person to look at; the test only checks that they exist.
    QApplication::processEvents();
    const QImage list = frame->grab().toImage();
    const QImage board = games[0]->grab().toImage();
    EXPECT_FALSE(list.isNull());
    EXPECT_FALSE(board.isNull());
    if (const char* folder = std::getenv("KORDANE_SCREENSHOTS")) {
        list.save(QString::fromLocal8Bit(folder) + "/pgn-list.png");
        board.save(QString::fromLocal8Bit(folder) + "/pgn-list-game.png");
    }
}

}  // namespace
