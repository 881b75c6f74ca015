// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include <gtest/gtest.h>

#include "net/MainDispatch.h"
#include "net/MessageText.h"
#include "net/ParserHarness.h"

namespace {

class ConsoleHost : public IMainConsoleHost {
  public:
    void ShowConsoleText(std::string_view text) override { shown += text; }
    bool LogsInAutomatically() const override { return autoLogin; }
    bool OpenGameWindow(std::unique_ptr<CServerMessage>& m) override {
        games.push_back(std::move(m));
        return true;
    }
    bool OpenGameList(std::unique_ptr<CServerMessage>& m, bool history) override {
        lists.push_back(history);
        kept = std::move(m);
        return true;
    }
    void PlaySoundEvent(SoundEvent event) override { sounds.push_back(static_cast<int>(event)); }
    void OnLoggedIn(const std::string& handle) override { loggedIn.push_back(handle); }
    std::vector<std::string> PluginNames() const override { return plugins; }

    bool autoLogin = true;
    std::string shown;
    std::vector<std::unique_ptr<CServerMessage>> games;
    std::vector<bool> lists;
    std::unique_ptr<CServerMessage> kept;
    std::vector<int> sounds;
    std::vector<std::string> loggedIn;
    std::vector<std::string> plugins;
};

struct Fixture {
    Fixture() : dispatch(host, harness.parser) {}
    void Text(const std::string& piece) {
        auto m = std::make_unique<CServerMessage>(CServerMessage::Text, -1);
        m->AppendField(piece);
        dispatch.Receive(m);
    }
    void Datagram(std::initializer_list<std::string> fields, int tag = 0) {
        auto m = std::make_unique<CServerMessage>(CServerMessage::Datagram, 0);
        for (const auto& f : fields) m->AppendField(f);
        m->number = m->FieldInt(0);
        m->tag = tag;
        EXPECT_EQ(dispatch.Receive(m), 1);
        EXPECT_FALSE(m);  // consumed: the dispatcher owns it now
    }
    ParserHarness harness;
    ConsoleHost host;
    CMainDispatch dispatch;
};

TEST(MainDispatch, BangAndStarLinesUnderAutomaticLogin) {
    Fixture f;
    f.Text("keep\n!hidden\n*starred\nalso kept\n");
    EXPECT_EQ(f.host.shown, "keep\nalso kept\n");
    f.host.autoLogin = false;
    f.host.shown.clear();
    f.Text("!hidden\n*starred\n");
    EXPECT_EQ(f.host.shown, "*starred\n");
}

TEST(MainDispatch, SuppressedLineSplitOverReceivesVanishesInEveryPart) {
    Fixture f;
    f.Text("shown\n!sec");
    f.Text("ret part");
    f.Text(" ends\nvisible ");
    f.Text("tail\n");
    EXPECT_EQ(f.host.shown, "shown\nvisible tail\n");
}

TEST(MainDispatch, TrailingPieceWithoutNewlineShown) {
    Fixture f;
    f.Text("prompt% ");
    EXPECT_EQ(f.host.shown, "prompt% ");
}

TEST(MainDispatch, Level1Command206NeverShown) {
    Fixture f;
    auto quiet = std::make_unique<CServerMessage>(CServerMessage::Level1, 206);
    quiet->AppendField("secret\n");
    f.dispatch.Receive(quiet);
    auto loud = std::make_unique<CServerMessage>(CServerMessage::Level1, 12);
    loud->AppendField("!not filtered in blocks\n");
    f.dispatch.Receive(loud);
    EXPECT_EQ(f.host.shown, "!not filtered in blocks\n");
}

TEST(MainDispatch, GameStartsOpenOneWindowWithTheSameDatagram) {
    Fixture f;
    f.Datagram({"15", "7", "alice", "bob"});
    f.Datagram({"18", "8"});
    f.Datagram({"40", "9"});
    ASSERT_EQ(f.host.games.size(), 3u);
    EXPECT_EQ(f.host.games[0]->number, 15);
    EXPECT_EQ(f.host.games[0]->Field(2), "alice");
}

TEST(MainDispatch, GameListKindByField1IgnoringCase) {
    Fixture f;
    f.Datagram({"72", "HISTORY"});
    f.Datagram({"72", "Stored"});
    f.Datagram({"72", "liblist"});
    EXPECT_EQ(f.host.lists, (std::vector<bool>{true, true, false}));
}

TEST(MainDispatch, SilentDropsAndTextDatagrams) {
    Fixture f;
    for (int n : {16, 24, 56, 73, 104}) f.Datagram({std::to_string(n), "1", "x", "y"});
    EXPECT_EQ(f.host.shown, "");
    f.Datagram({"32", "carl", "GM", "0", "hello all"});
    f.Datagram({"32", "dan", "GM", "1", "waves"});
    f.Datagram({"77", "x", "info line"});
    f.Datagram({"200", "unknown"});
    EXPECT_EQ(f.host.shown, "carl(GM) shouts: hello all\n--> dan waves\ninfo line\n");
}

TEST(MainDispatch, PersonalTellSoundAndLastTeller) {
    Fixture f;
    f.Datagram({"31", "bob", "", "hi there", "1"});
    f.Datagram({"31", "admin", "*", "careful", "4"});
    EXPECT_EQ(f.host.shown, "bob tells you: hi there\nadmin(*) tells you: careful\n");
    EXPECT_EQ(f.host.sounds, (std::vector<int>{0, 6}));
    EXPECT_EQ(f.dispatch.LastTeller(), "admin");
}

TEST(MainDispatch, NotifyArrivalShownOnlyFromSecondConfirmation) {
    Fixture f;
    f.Datagram({"64", "eve"});
    EXPECT_EQ(f.host.shown, "");
    f.Datagram({"0", "me", ""});
    f.Datagram({"64", "eve"});
    EXPECT_EQ(f.host.shown, "");
    f.Datagram({"0", "me", ""});
    f.Datagram({"64", "eve"});
    EXPECT_EQ(f.host.shown, "Notification: eve has arrived.\n");
}

TEST(MainDispatch, FirstLoginConfirmationSetsUpTheSession) {
    Fixture f;
    f.harness.connected = true;
    f.host.plugins = {"Tracker", "Scope"};
    f.Datagram({"0", "Carla", "GM C"});
    EXPECT_EQ(f.dispatch.OwnHandle(), "Carla");
    EXPECT_TRUE(f.dispatch.ComputerAccount());
    EXPECT_EQ(f.harness.sent, (std::vector<std::string>{
                                  "Set-2 87 1\n", "Set-quietly wrap 0\n", "Set-quietly style 13\n",
                                  "multi Set-quietly interface Kordane 2.31 + Tracker + Scope\n",
                                  "Set-2 47 1\n", "Set-2 48 1\n", "Set-2 0 1\n"}));
    EXPECT_EQ(f.host.loggedIn, (std::vector<std::string>{"Carla"}));
    EXPECT_EQ(f.host.sounds, (std::vector<int>{21}));
    f.harness.sent.clear();
    f.Datagram({"0", "Carla", "GM"});
    f.Datagram({"0", "Carla", "GM"});
    EXPECT_TRUE(f.harness.sent.empty());
    EXPECT_EQ(f.dispatch.LoginStage(), 3);
}

TEST(MainDispatch, ComputerTitleMustBeAWordOfItsOwn) {
    for (const auto& [titles, computer] :
         std::vector<std::pair<std::string, bool>>{{"C", true},
                                                   {"GM C", true},
                                                   {"C IM", true},
                                                   {"CM", false},
                                                   {"", false},
                                                   {"GMC", false}}) {
        Fixture f;
        f.Datagram({"0", "x", titles});
        EXPECT_EQ(f.dispatch.ComputerAccount(), computer) << titles;
    }
}

TEST(MessageText, FormsOfTheTextDatagrams) {
    struct Row {
        std::vector<std::string> fields;
        std::string text;
        TextClass cls;
    };
    const std::vector<Row> rows = {
        {{"26", "5", "kib", "", "1", "nice"}, "kib kibitzes: nice\n", TextClass::Kibitz},
        {{"26", "5", "wh", "FM", "0", "hm"}, "wh(FM) whispers: hm\n", TextClass::Kibitz},
        {{"28", "1", "ann", "", "hello", "0"}, "ann(1): hello\n", TextClass::DefaultChannel},
        {{"28", "1", "adm", "*", "warn", "4"}, "adm(*)(1): warn\n", TextClass::Warning},
        {{"31", "bob", "", "psst", "0"}, "bob says: psst\n", TextClass::PersonalTell},
        {{"32", "s", "", "2", "x"}, "s s-shouts: x\n", TextClass::SShout},
        {{"32", "a", "TD", "3", "news"},
         "   ** ANNOUNCEMENT ** from a(TD): news\n",
         TextClass::Announcement},
        {{"65", "eve"}, "Notification: eve has departed.\n", TextClass::Nonresponse},
        {{"82", "1", "x", "y", "a\\nb\\hc\\Hd\\be"}, ">a\n>bcde\n", TextClass::Nonresponse},
        {{"83", "bob", "", "end\\"}, ">end\\\n", TextClass::Nonresponse},
        {{"99", "id"}, "", TextClass::Nonresponse},
    };
    for (const Row& row : rows) {
        CServerMessage m(CServerMessage::Datagram, 0);
        for (const auto& field : row.fields) m.AppendField(field);
        m.number = m.FieldInt(0);
        EXPECT_EQ(FormatMessageText(m).text, row.text) << row.fields[0];
        EXPECT_EQ(TextClassFor(m), row.cls) << row.fields[0];
    }
}

TEST(MessageText, ShoutSounds) {
    CServerMessage m(CServerMessage::Datagram, 32);
    for (const char* f : {"32", "a", "", "2", "x"}) m.AppendField(f);
    EXPECT_EQ(FormatMessageText(m).soundEvent, 19);
    m.fields[3] = "7";
    EXPECT_EQ(FormatMessageText(m).soundEvent, 18);
    m.fields[3] = "0";
    EXPECT_EQ(FormatMessageText(m).soundEvent, -1);
}

}  // namespace
