// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// The game-offer dialogs against the real test server: a seek made in the
// Seek dialog changes the server's variable, reaches the seek graph, and the
// person popup's Match fills the Match dialog. Every dialog of the Game menu
// opens from its item.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QSpinBox>
#include <cstdlib>

#include "app/ConnectionMenus.h"
#include "app/FormulaDlg.h"
#include "app/MatchDlg.h"
#include "app/NotesDlg.h"
#include "app/QuestionDlg.h"
#include "app/SeekDlg.h"
#include "app/SeekGraphs.h"
#include "app/VariablesDlg.h"
#include "app/WildTypeBox.h"
#include "console/ConsoleText.h"
#include "console/ConsoleView.h"
#include "console/ConsoleWnd.h"
#include "e2e/ClientFixture.h"
#include "lists/SeekView.h"
#include "net/WildNameCache.h"

namespace {

class OfferDialogs : public ClientFixture {
  protected:
    OfferDialogs() : ClientFixture({{"ConsoleSubViews", "0"}, {"GameViews", "0"}}, {1000, 700}) {}

    QAction* Item(const char* text) {
        QAction* item = m_main->ConnectionMenus().Item(QString::fromLatin1(text));
        if (auto* menu = qobject_cast<QMenu*>(item ? item->parent() : nullptr)) {
            emit menu->aboutToShow();
        }
        return item;
    }
    // Triggers the item and returns the dialog it opened.
    template <typename Dialog>
    Dialog* Open(const char* text) {
        QAction* item = Item(text);
        if (!item || !item->isEnabled()) return nullptr;
        item->trigger();
        return m_main->findChild<Dialog*>();
    }
    void Shoot(QWidget* dialog, const char* name) {
        if (const char* path = std::getenv("KORDANE_OFFER_SCREENSHOT")) {
            const QString base = QString::fromLocal8Bit(path);
            dialog->grab().save(name ? base + "-" + name + ".png" : base);
        }
    }
    QString Console() const { return m_frame->View().Console()->Text()->toPlainText(); }
};

TEST_F(OfferDialogs, SeekAndMatchReachTheServer) {
    Connect();
    ASSERT_TRUE(WaitFor([&] { return m_frame->View().Tagging(); })) << m_server.Transcript();
    CSeekView* graph = m_main->SeekGraphs().Of(*m_doc);
    ASSERT_NE(graph, nullptr);
    // The variant names come after login, asked for when the cache is old.
    ASSERT_TRUE(WaitFor([&] {
        const std::vector<std::string> names = CWildNameCache(m_profile).ReadAll();
        return names.size() > 24 && names[24] == "Bughouse";
    }));

    // A game has not ended yet: nobody to ask for a rematch.
    ASSERT_NE(Item("&Rematch"), nullptr);
    EXPECT_FALSE(Item("&Rematch")->isEnabled());

    auto* seek = Open<CSeekDlg>("&Seek a Game..");
    ASSERT_NE(seek, nullptr);
    // The names the server sent at login are offered, standard chess first.
    auto* wild = seek->findChild<CWildTypeBox*>();
    ASSERT_NE(wild, nullptr);
    ASSERT_GE(wild->count(), 2);
    EXPECT_EQ(wild->itemText(0).toStdString(), "0. Standard");
    EXPECT_EQ(seek->TimeBox()->value(), 2);
    seek->TimeBox()->setValue(7);
    Shoot(seek, nullptr);
    seek->accept();

    ASSERT_TRUE(Received("Set time 7\n")) << m_server.Transcript();
    ASSERT_TRUE(Received("Seek 7 12 w0 r 0-9999 \n")) << m_server.Transcript();
    // The server reports the variable back, and the seek reaches the graph.
    ASSERT_TRUE(WaitFor([&] { return m_doc->Values().time == 7; }));
    ASSERT_TRUE(WaitFor([&] {
        for (const SeekRecord& r : graph->Grid().Records()) {
            if (r.name == "Tester" && r.time1 == 7) return true;
        }
        return false;
    }));
    EXPECT_TRUE(Console().contains(QStringLiteral("Seek 7 12 w0 r 0-9999")));
    EXPECT_FALSE(m_server.Transcript().find("Set inc") != std::string::npos);

    // The person popup's Match names the opponent.
    m_doc->RequestMatch("Judit");
    auto* match = m_main->findChild<CMatchDlg*>();
    ASSERT_NE(match, nullptr);
    EXPECT_EQ(match->OpponentBox()->text().toStdString(), "Judit");
    Shoot(match, "match");
    match->OpponentBox()->setText(QStringLiteral("1abc"));
    match->accept();
    ASSERT_TRUE(WaitFor([&] {
        return Console().contains(QStringLiteral("\"1abc\" is not a valid player handle"));
    }));
    EXPECT_EQ(m_server.Transcript().find("Match 1abc"), std::string::npos);

    // Once a game of the user's has ended, the last opponent can be asked again.
    m_doc->Games().gameEnded = true;
    // Offscreen, nothing gives the main window back its activation when a
    // dialog closes; a window manager would.
    m_main->MdiArea()->setActiveSubWindow(m_frame);
    ASSERT_TRUE(Item("&Rematch")->isEnabled());
    Item("&Rematch")->trigger();
    Item("R&esume")->trigger();
    ASSERT_TRUE(Received("Rematch\n"));
    ASSERT_TRUE(Received("Resume\n"));

    // Every other dialog of the menu opens from its item.
    QDialog* dialogs[] = {
        Open<CFormulaDlg>("Set F&ormula..."), Open<CVariablesDlg>("Set &Variables..."),
        Open<CNotesDlg>("Set Personal Pro&file..."), Open<CQuestionDlg>("Ask a &Question...")};
    const char* names[] = {"formula", "variables", "notes", "question"};
    for (size_t i = 0; i < std::size(dialogs); ++i) {
        ASSERT_NE(dialogs[i], nullptr) << names[i];
        Shoot(dialogs[i], names[i]);
        dialogs[i]->reject();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

}  // namespace
