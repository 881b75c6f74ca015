// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Extra consoles: which console a server message lands in, what a temporary
// console learns from the replies to its own commands, how "Open Chat
// Window" and "Customize console" set a console up, and what the settings
// file keeps of it. Server output goes through the connection's real parser.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTimer>
#include <fstream>
#include <sstream>

#include "app/ExtraConsoles.h"
#include "app/ScratchFolder.h"
#include "app/WindowLayout.h"
#include "console/ConsoleSubView.h"
#include "console/ConsoleText.h"
#include "console/ConsoleWnd.h"
#include "console/CustomizeConsoleDlg.h"
#include "console/OpenChatDlg.h"
#include "net/Profile.h"
#include "net/TextStyles.h"
#include "net/qt/Kordane2Doc.h"

namespace {

// The main console's place in the chain: whatever reaches it.
struct MainSink : IServerMessageSink {
    int Receive(std::unique_ptr<CServerMessage>& m) override {
        got.push_back(*m);
        return 1;
    }
    std::vector<CServerMessage> got;
};

std::string Tagged(int tag, int command, const std::string& body, const char* header = "*") {
    return "\x19[" + std::to_string(command) + " " + header + " " + std::to_string(tag) + "\n" +
           body + "\x19]";
}

std::string Datagram(const std::string& fields) {
    return "\x19(" + fields + "\x19)";
}

class ConsoleSubViewTest : public ::testing::Test {
  protected:
    ConsoleSubViewTest()
        : m_scratch(::testing::UnitTest::GetInstance()->current_test_info()->name()),
          m_profile(m_scratch.File("settings.ini")),
          m_doc(m_profile),
          m_styles(std::make_shared<CTextStyles>()),
          m_layout(m_profile),
          m_consoles(m_layout, &m_mdi, m_styles, nullptr) {
        m_doc.Parser().SetMainSink(&m_main);
        m_doc.TakeConsoleId();  // the main console's
        QObject::connect(&m_doc, &CKordane2Doc::soundEvent,
                         [this](SoundEvent e) { m_sounds.push_back(e); });
        m_mdi.resize(900, 700);
        m_mdi.show();
    }
    ~ConsoleSubViewTest() override { m_doc.Parser().SetMainSink(nullptr); }

    void Feed(const std::string& bytes) {
        m_doc.Parser().ProcessBytes(bytes.data(), bytes.size());
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
    }
    static QString Pane(const CConsoleSubView& view) {
        view.Console()->FlushPending();
        return view.Console()->Text()->toPlainText();
    }
    // Every send of an unconnected document is answered by this warning.
    int SendAttempts() const {
        int n = 0;
        for (const CServerMessage& m : m_main.got) {
            n += m.kind == CServerMessage::Local &&
                 m.TextValue().find("Not connected") != std::string::npos;
        }
        return n;
    }

    ScratchFolder m_scratch;
    CProfile m_profile;
    CKordane2Doc m_doc;
    MainSink m_main;
    std::shared_ptr<CTextStyles> m_styles;
    QMdiArea m_mdi;
    CWindowLayout m_layout;
    CExtraConsoles m_consoles;
    std::vector<SoundEvent> m_sounds;
};

TEST_F(ConsoleSubViewTest, EachMessageLandsInTheFirstConsoleThatRoutesIt) {
    CConsoleSubView a(m_doc, m_styles, false);
    CConsoleSubView b(m_doc, m_styles, false);
    a.AddChannel(50);
    a.AddPerson("Judit");
    a.SetRouting(CConsoleSubView::Shouts, true);
    b.SetChannelsText("50 7 x 7");
    b.AddPerson("Magnus");
    b.SetRouting(CConsoleSubView::SShouts, true);
    ASSERT_EQ(b.Channels(), (std::vector<int>{50, 7}));

    const std::string other = std::to_string(b.ConsoleId() + 1);
    struct Row {
        std::string bytes;
        char owner;  // 'a', 'b' or 'm' (the main console)
        const char* shown;
    } rows[] = {
        {Datagram("28 50 Bob {} {on fifty} 0"), 'a', "Bob(50): on fifty"},
        {Datagram("28 7 Bob {} {on seven} 0"), 'b', "Bob(7): on seven"},
        {Datagram("28 8 Bob {} {on eight} 0"), 'm', nullptr},
        {Datagram("82 7 Bob {} {quoted\\nline}"), 'b', ">quoted\n>line"},
        {Datagram("31 jUDIT {} {hello} 1"), 'a', "jUDIT tells you: hello"},
        {Datagram("31 Magnus {} {careful} 4"), 'b', "Magnus tells you: careful"},
        {Datagram("31 Fred {} {hi} 1"), 'm', nullptr},
        {Datagram("83 magnus {} {quote}"), 'b', ">quote"},
        {Datagram("32 Bob {} 0 {loud}"), 'a', "Bob shouts: loud"},
        {Datagram("32 Bob {} 1 {waves}"), 'a', "--> Bob waves"},
        {Datagram("32 Bob {} 2 {serious}"), 'b', "Bob s-shouts: serious"},
        {Datagram("32 Bob {} 3 {news}"), 'm', nullptr},
        {Tagged(b.ConsoleId(), 10, "reply to b\n"), 'b', "reply to b"},
        {Tagged(a.ConsoleId(), 10, "reply to a\n"), 'a', "reply to a"},
        // A datagram inside a reply still reaches its own handler.
        {Tagged(b.ConsoleId(), 10, Datagram("64 Fred")), 'm', nullptr},
        {Tagged(1, 10, "reply to the main console\n"), 'm', nullptr},
        {"untagged text\n", 'm', nullptr},
        // Telling Judit from b takes her off a's list: she answers in b.
        {Tagged(b.ConsoleId(), 107, Datagram("62 judit")), 'b', ""},
        {Datagram("31 Judit {} {back} 1"), 'b', "Judit tells you: back"},
        // Telling Magnus from another console takes him off b's list.
        {Tagged(std::stoi(other), 107, Datagram("62 MAGNUS")), 'm', nullptr},
        {Datagram("31 Magnus {} {where} 1"), 'm', nullptr},
    };
    for (const Row& row : rows) {
        const QString beforeA = Pane(a);
        const QString beforeB = Pane(b);
        const size_t beforeMain = m_main.got.size();
        Feed(row.bytes);
        const QString grewA = Pane(a).mid(beforeA.size());
        const QString grewB = Pane(b).mid(beforeB.size());
        const bool toMain = m_main.got.size() > beforeMain;
        EXPECT_EQ(toMain, row.owner == 'm') << row.bytes;
        const bool shows = row.shown && *row.shown;
        EXPECT_EQ(!grewA.isEmpty(), row.owner == 'a' && shows) << row.bytes;
        EXPECT_EQ(!grewB.isEmpty(), row.owner == 'b' && shows) << row.bytes;
        if (shows) {
            EXPECT_TRUE((row.owner == 'a' ? grewA : grewB).contains(row.shown))
                << row.bytes << " -> " << (row.owner == 'a' ? grewA : grewB).toStdString();
        }
    }
    EXPECT_FALSE(a.HasPerson("Judit"));
    EXPECT_TRUE(b.HasPerson("JUDIT"));
    EXPECT_FALSE(b.HasPerson("Magnus"));
    // The tells that landed in extra consoles sounded and named the teller.
    EXPECT_EQ(m_sounds.front(), SoundEvent::PersonalTell);
    EXPECT_NE(std::find(m_sounds.begin(), m_sounds.end(), SoundEvent::Alert), m_sounds.end());
    EXPECT_EQ(m_doc.Values().lastTeller, "Judit");
}

TEST_F(ConsoleSubViewTest, TemporaryConsoleLearnsFromItsFirstReplies) {
    CConsoleSubView channel(m_doc, m_styles, true);
    EXPECT_EQ(channel.Title(), "Temporary Console");
    Feed(Tagged(channel.ConsoleId(), 101, Datagram("28 50 Tester {} {hello} 0")));
    EXPECT_EQ(channel.Channels(), std::vector<int>{50});
    EXPECT_EQ(channel.Title(), "Chatting in channel 50 [Temporary Console]");
    EXPECT_EQ(channel.Console()->HelperTextsText(), "Xtell 50\\nCommand");
    EXPECT_EQ(channel.Console()->HelperPrefixesText(), "Xtell 50\\n");
    EXPECT_TRUE(Pane(channel).contains("Tester(50): hello"));
    // A line on the channel now comes here, whoever asked.
    Feed(Datagram("28 50 Bob {} {hi all} 0"));
    EXPECT_TRUE(Pane(channel).contains("Bob(50): hi all"));

    // Past the first four replies nothing more is learnt, though people
    // still join.
    for (int i = 0; i < 3; ++i) Feed(Tagged(channel.ConsoleId(), 10, "more\n"));
    Feed(Tagged(channel.ConsoleId(), 107, Datagram("62 Fred")));
    Feed(Tagged(channel.ConsoleId(), 101, Datagram("28 60 Tester {} {there} 0")));
    EXPECT_TRUE(channel.HasPerson("Fred"));
    EXPECT_EQ(channel.Channels(), std::vector<int>{50});
    EXPECT_EQ(channel.Title(), "Chatting in channel 50 [Temporary Console]");
    EXPECT_EQ(channel.Console()->HelperCount(), 2);
}

TEST_F(ConsoleSubViewTest, OpenChatWindowSetsUpTheConsoleAndItsSettingsComeBack) {
    COpenChatDlg empty;
    CConsoleSubView* plain = m_consoles.OpenChatConsole(m_doc, empty);
    EXPECT_EQ(plain->Title(), "User Console");
    EXPECT_EQ(plain->Console()->HelperTextsText(), ">");
    EXPECT_EQ(SendAttempts(), 0) << "nothing to ask the server for";
    plain->Frame()->close();

    COpenChatDlg dialog;
    dialog.ShoutsBox()->setChecked(true);
    dialog.AnnouncementsBox()->setChecked(true);
    dialog.ChannelsEdit()->setText("1, 2x50");
    dialog.PeopleEdit()->setText("Joe-Fred, Ann!Bob");
    CConsoleSubView* chat = m_consoles.OpenChatConsole(m_doc, dialog);
    EXPECT_EQ(SendAttempts(), 1) << "the intercept string goes out once";
    EXPECT_EQ(chat->Channels(), (std::vector<int>{1, 2, 50}));
    EXPECT_EQ(chat->People(), (std::vector<std::string>{"Joe-Fred", "Ann", "Bob"}));
    EXPECT_EQ(chat->Title(), "Shouts, Announcements, (1), (2), (50)");
    EXPECT_EQ(chat->Frame()->windowTitle(), chat->Title());
    EXPECT_EQ(chat->Routing(), (CConsoleSubView::RoutingFlags{true, false, true}));
    EXPECT_EQ(chat->Console()->HelperTextsText(),
              "Shout\\n--> I\\nTell 1\\nTell 2\\nTell 50\\nTell Joe-Fred\\nTell Ann\\nTell "
              "Bob\\n>");
    EXPECT_EQ(chat->Console()->HelperPrefixesText(),
              "Shout\\nI\\nTell 1\\nTell 2\\nTell 50\\nTell Joe-Fred\\nTell Ann\\nTell Bob\\n");

    // Edited by hand: an empty helper line still makes an entry, and a
    // prefix line of blanks means none.
    CCustomizeConsoleDlg customize({chat->Routing(), chat->ChannelsText(), chat->Title(),
                                    chat->Console()->HelperTextsText(),
                                    chat->Console()->HelperPrefixesText()});
    EXPECT_EQ(customize.HelperTextsEdit()->toPlainText().count('\n'), 8);
    customize.HelperTextsEdit()->setPlainText("Say\r\n\nWho\n");
    customize.HelperPrefixesEdit()->setPlainText("  tell 7 \n   \n who");
    customize.TitleEdit()->setText("Seven");
    m_consoles.Customize(*chat, customize);
    EXPECT_EQ(chat->Console()->HelperTextsText(), "Say\\n \\nWho\\n ");
    EXPECT_EQ(chat->Console()->HelperPrefixesText(), "tell 7\\n\\nwho\\n");
    chat->Frame()->close();

    // The slot's values come back into the next console of that slot.
    {
        std::ifstream file(m_profile.Path());
        std::stringstream text;
        text << file.rdbuf();
        // The file drops the trailing blank; reading brings the entry back.
        EXPECT_NE(text.str().find("SubConnCombo_1=Say\\n \\nWho\\n\n"), std::string::npos)
            << text.str();
        EXPECT_NE(text.str().find("SubConnIntercepts_1=1,0,1\n"), std::string::npos);
    }
    CProfile reread(m_profile.Path());
    CWindowLayout layout(reread);
    CExtraConsoles consoles(layout, &m_mdi, m_styles, nullptr);
    CConsoleSubView* back = consoles.OpenConsole(m_doc);
    EXPECT_EQ(back->Title(), "Seven");
    EXPECT_EQ(back->Channels(), (std::vector<int>{1, 2, 50}));
    EXPECT_EQ(back->Routing(), (CConsoleSubView::RoutingFlags{true, false, true}));
    EXPECT_EQ(back->Console()->HelperTextsText(), "Say\\n \\nWho\\n ");
    EXPECT_EQ(back->Console()->HelperPrefix(0), "tell 7");
    EXPECT_EQ(back->Console()->HelperPrefix(1), "");
    EXPECT_EQ(back->Console()->HelperPrefix(2), "who");
    EXPECT_TRUE(back->People().empty()) << "people are not kept";
    back->Frame()->close();
}

TEST_F(ConsoleSubViewTest, NewChannelListTakesChannelsAndShoutsFromTheOthers) {
    // Nothing to customise while no extra console is active.
    QString told;
    QTimer::singleShot(0, [&told] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            told = box->text();
            box->accept();
        }
    });
    m_consoles.CustomizeActive();
    EXPECT_EQ(told,
              "First, activate the console window you wish to customize, then choose this "
              "menu-item again.  (Note: the main console can not be customized this way.)");

    CConsoleSubView* first = m_consoles.OpenConsole(m_doc);
    CConsoleSubView* second = m_consoles.OpenConsole(m_doc);
    CConsoleSubView* third = m_consoles.OpenConsole(m_doc);
    first->SetChannelsText("1 2 3");
    first->SetRouting(CConsoleSubView::Shouts, true);
    first->SetRouting(CConsoleSubView::SShouts, true);
    third->SetChannelsText("3 4");
    third->SetRouting(CConsoleSubView::Shouts, true);

    CCustomizeConsoleDlg flagsOnly(
        {second->Routing(), second->ChannelsText(), second->Title(), {}, {}});
    flagsOnly.Box(CConsoleSubView::Shouts)->setChecked(true);
    m_consoles.Customize(*second, flagsOnly);
    EXPECT_TRUE(first->Routes(CConsoleSubView::Shouts)) << "no new channels, nothing taken";

    CCustomizeConsoleDlg dialog(
        {second->Routing(), second->ChannelsText(), second->Title(), {}, {}});
    dialog.ChannelsEdit()->setText("2 3");
    m_consoles.Customize(*second, dialog);
    EXPECT_EQ(second->Channels(), (std::vector<int>{2, 3}));
    EXPECT_EQ(first->Channels(), std::vector<int>{1});
    EXPECT_EQ(third->Channels(), std::vector<int>{4});
    EXPECT_FALSE(first->Routes(CConsoleSubView::Shouts));
    EXPECT_TRUE(first->Routes(CConsoleSubView::SShouts));
    EXPECT_FALSE(third->Routes(CConsoleSubView::Shouts));
    EXPECT_TRUE(second->Routes(CConsoleSubView::Shouts));
    EXPECT_EQ(second->Console()->HelperCount(), 0) << "helpers untouched";
    for (CConsoleSubView* view : {first, second, third}) view->Frame()->close();
}

}  // namespace
