// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "net/ConnectionParams.h"
#include "net/FileNames.h"
#include "net/MainDispatch.h"
#include "net/MessageText.h"
#include "net/ParserHarness.h"
#include "net/PopupContent.h"
#include "net/Profile.h"
#include "net/ServerValues.h"

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
    void ServerValuesChanged() override { events.push_back("changed"); }
    bool BypassMatch() const override { return bypassMatch; }
    void ShowPopup(const PopupContent& p) override {
        popups.push_back(p);
        events.push_back("popup " + p.name);
    }
    void ClosePopupsNamed(const std::string& name) override { events.push_back("close " + name); }
    void CloseSuggestionPopup(const std::string& id) override { events.push_back("close#" + id); }
    bool OpenUrl(const std::string& url) override {
        events.push_back("url " + url);
        return urlOpens;
    }
    std::string TaggedGameFile() const override { return taggedFile; }
    void ShowWarning(std::string_view text) override { events.push_back(std::string(text)); }
    void MarkModified() override { events.push_back("modified"); }
    void SaveIfModified() override { events.push_back("save"); }
    void Redirect() override { events.push_back("redirect"); }
    CProfile* Settings() override { return profile.get(); }

    bool bypassMatch = false;
    bool urlOpens = true;
    std::string taggedFile;
    std::unique_ptr<CProfile> profile;
    std::vector<std::string> events;
    std::vector<PopupContent> popups;
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
    Fixture() : dispatch(host, harness.parser, params, values) {}
    void Text(const std::string& piece) {
        auto m = std::make_unique<CServerMessage>(CServerMessage::Text, -1);
        m->AppendField(piece);
        dispatch.Receive(m);
    }
    void Datagram(const std::vector<std::string>& fields, int tag = 0) {
        auto m = std::make_unique<CServerMessage>(CServerMessage::Datagram, 0);
        for (const auto& f : fields) m->AppendField(f);
        m->number = m->FieldInt(0);
        m->tag = tag;
        EXPECT_EQ(dispatch.Receive(m), 1);
        EXPECT_FALSE(m);  // consumed: the dispatcher owns it now
    }
    ParserHarness harness;
    ConsoleHost host;
    ConnectionParams params;
    ServerValues values;
    CMainDispatch dispatch;
};

TEST(MainDispatch, BangAndStarLinesUnderAutomaticLogin) {
    Fixture f;
    f.Text("keep\n!hidden\n*starred\nalso kept\n");
    EXPECT_EQ(f.host.shown, "keep\nalso kept\n");
    f.host.autoLogin = false;
    f.host.shown.clear();
    f.Text("!hidden\n*starred\nprompt% ");
    EXPECT_EQ(f.host.shown, "*starred\nprompt% ") << "a piece without a line end is shown";
}

TEST(MainDispatch, SuppressedLineSplitOverReceivesVanishesInEveryPart) {
    Fixture f;
    f.Text("shown\n!sec");
    f.Text("ret part");
    f.Text(" ends\nvisible ");
    f.Text("tail\n");
    EXPECT_EQ(f.host.shown, "shown\nvisible tail\n");
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
    f.Datagram({"77", "x", "info line"});
    f.Datagram({"200", "unknown"});
    // Level-1 output of command 206 never shows; blocks are not line-filtered.
    for (int number : {206, 12}) {
        auto block = std::make_unique<CServerMessage>(CServerMessage::Level1, number);
        block->AppendField("!block " + std::to_string(number) + "\n");
        f.dispatch.Receive(block);
    }
    EXPECT_EQ(f.host.shown, "info line\n!block 12\n");
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
    EXPECT_EQ(f.harness.sent,
              (std::vector<std::string>{
                  "Set-2 87 1\n", "Set-quietly wrap 0\n", "Set-quietly style 13\n",
                  "multi Set-quietly interface Kordane 2.31 + Tracker + Scope\n", "Set-2 47 1\n",
                  "Set-2 48 1\n", "Set-2 64 1\n", "Set-2 65 1\n", "Set-2 0 1\n"}));
    EXPECT_EQ(f.host.loggedIn, (std::vector<std::string>{"Carla"}));
    EXPECT_EQ(f.host.sounds, (std::vector<int>{21}));
    f.harness.sent.clear();
    f.Datagram({"0", "Carla", "GM"});
    f.Datagram({"0", "Carla", "GM"});
    EXPECT_TRUE(f.harness.sent.empty());
    EXPECT_EQ(f.dispatch.LoginStage(), 3);

    // "C" counts only as a title of its own.
    for (const char* titles : {"CM", "GMC", ""}) {
        Fixture other;
        other.Datagram({"0", "x", titles});
        EXPECT_FALSE(other.dispatch.ComputerAccount()) << titles;
    }
}

// The forms the console colour test does not show (it shows kibitzes,
// channel lines, shouts of every type and personal tells).
TEST(MessageText, FormsOfTheTextDatagrams) {
    struct Row {
        std::vector<std::string> fields;
        std::string text;
        TextClass cls;
    };
    const std::vector<Row> rows = {
        {{"26", "5", "wh", "FM", "0", "hm"}, "wh(FM) whispers: hm\n", TextClass::Kibitz},
        {{"31", "bob", "", "psst", "0"}, "bob says: psst\n", TextClass::PersonalTell},
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
    EXPECT_EQ(FormatMessageText(m).sound, SoundEvent::SShout);
    m.fields[3] = "7";
    EXPECT_EQ(FormatMessageText(m).sound, SoundEvent::Announcement);
    m.fields[3] = "0";
    EXPECT_EQ(FormatMessageText(m).sound, std::nullopt);
}

TEST(MainConsoleDatagrams, ChallengePopupText) {
    struct Row {
        std::vector<std::string> fields;
        std::string text;
    };
    const std::vector<Row> rows = {
        {{"29", "bob", "1800", "2", "GM", "me", "1500", "2", "",  "0", "Blitz",
          "1",  "0",   "3",    "0", "3",  "0",  "-1",   "0", "5", "-5"},
         "bob(GM)(1800) challenges you to a game of\r\n  Rated Blitz time=3 inc=0\r\n"
         "Rating changes: Loss 0   Draw +5   Win -5"},
        {{"29", "amy", "1500", "1", "", "me", "", "0", "", "0", "Standard", "0", "1", "15", "5",
          "10", "0", "0"},
         "amy(1500 [provisional]) challenges you to a game of\r\n  Unrated Standard your time=10 "
         "inc=0\r\namy's time=15 inc=5\r\n[Adjourned game]\r\n[Challenger plays Black]"},
        // A change that already carries its sign gets no second one.
        {{"29", "cat", "0", "0",  "",  "me", "",  "0",  "",   "5", "Wild",
          "0",  "0",   "2", "12", "2", "12", "1", "+3", "-0", "x"},
         "cat(----) challenges you to a game of\r\n  Unrated Wild 5 time=2 inc=12\r\n"
         "[Challenger plays White]\r\nRating changes: Loss +3   Draw 0   Win 0"},
    };
    for (const Row& row : rows) {
        Fixture f;
        f.values.ownHandle = "me";
        f.Datagram(row.fields);
        ASSERT_EQ(f.host.popups.size(), 1u) << row.fields[1];
        const PopupContent& popup = f.host.popups[0];
        EXPECT_EQ(popup.text, row.text);
        EXPECT_EQ(popup.title, "You have been challenged...");
        EXPECT_EQ(popup.firstCommand, "Accept " + row.fields[1] + "\n");
        EXPECT_EQ(popup.secondCommand, "Decline " + row.fields[1] + "\n");
        EXPECT_EQ(f.host.sounds, (std::vector<int>{4, 4}));
    }
}

// What each datagram of the main console leaves behind: lines sent, calls
// on the host, and values kept, one row per case.
TEST(MainConsoleDatagrams, WhatEachDatagramDoes) {
    struct Row {
        const char* name;
        std::vector<std::vector<std::string>> datagrams;
        std::vector<std::string> sent;
        std::vector<std::string> events;
        std::function<void(const Fixture&)> check;
        std::function<void(Fixture&)> setUp;
    };
    const std::vector<Row> rows = {
        {"own challenge: nothing", {{"29", "me", "1500", "2"}}, {}, {}, nullptr, nullptr},
        {"popups switched off: sound only",
         {{"29", "bob"}},
         {},
         {},
         [](const Fixture& f) { EXPECT_EQ(f.host.sounds, (std::vector<int>{4})); },
         [](Fixture& f) { f.host.bypassMatch = true; }},
        {"challenge removed shows why and closes",
         {{"30", "bob", "me", "bob withdraws the challenge to me."}, {"30", "me", "bob", "x"}},
         {},
         {"close bob"},
         [](const Fixture& f) {
             EXPECT_EQ(f.host.shown, "bob withdraws the challenge to me.\nx\n");
         },
         nullptr},
        {"ratings grow and tell the views",
         {{"87", "1", "2", "3", "4", "5", "2100"}},
         {},
         {"changed"},
         [](const Fixture& f) {
             EXPECT_EQ(f.values.ratings, (std::vector<int>{1, 2, 3, 4, 5, 2100}));
         },
         nullptr},
        {"category names, a damaged index ignored",
         {{"76", "7", "Atomic"}, {"76", "2000000000", "x"}, {"76", "-1", "y"}},
         {},
         {},
         [](const Fixture& f) {
             ASSERT_EQ(f.values.categoryNames.size(), 8u);
             EXPECT_EQ(f.values.categoryNames[7], "Atomic");
         },
         nullptr},
        {"integer variables: exact names, booleans as 0/1",
         {{"47", "increment", "5"}, {"47", "rated", "7"}, {"47", "Time", "9"}, {"47", "x", "1"}},
         {},
         {},
         [](const Fixture& f) {
             EXPECT_EQ(f.values.increment, 5);
             EXPECT_EQ(f.values.rated, 1);
             EXPECT_EQ(f.values.time, 2);
         },
         nullptr},
        {"string variables: only the formula texts tell the views",
         {{"48", "sfilter", "r>1500"},
          {"48", "note3", "hi"},
          {"48", "note11", "no"},
          {"48", "note0", "no"},
          {"48", "interface", "x"}},
         {},
         {"changed"},
         [](const Fixture& f) {
             EXPECT_EQ(f.values.sfilter, "r>1500");
             EXPECT_EQ(f.values.notes[2], "hi");
             for (size_t i = 0; i < f.values.notes.size(); ++i) {
                 if (i != 2) {
                     EXPECT_EQ(f.values.notes[i], "");
                 }
             }
         },
         nullptr},
        {"command suggestion",
         {{"63", "observe 5", "a good game", "1", "tom", "", "17"}},
         {},
         {"popup tom"},
         [](const Fixture& f) {
             const PopupContent& p = f.host.popups.at(0);
             EXPECT_EQ(p.text, "tom suggests: a good game\r\n\r\nCommand to be issued: observe 5");
             EXPECT_EQ(p.title, "tom suggests...");
             EXPECT_EQ(p.firstCommand, "observe 5\n");
             EXPECT_EQ(f.host.sounds, (std::vector<int>{6}));
         },
         nullptr},
        {"address suggestion with a title",
         {{"91", "https://x.org/", "read", "1", "tom", "News", "18"}},
         {},
         {"popup tom"},
         [](const Fixture& f) {
             EXPECT_EQ(f.host.popups.at(0).title, "News");
             EXPECT_EQ(f.host.popups.at(0).firstCommand, "https://x.org/");
         },
         nullptr},
        {"address opened at once",
         {{"91", "https://x.org/", "d", "5", "tom", "", "19"}},
         {},
         {"url https://x.org/"},
         nullptr,
         nullptr},
        {"address that could not be opened is reported",
         {{"91", "file:///etc/passwd", "d", "5", "tom", "", "20"}},
         {"\x18Wsuggestfailed tom file:///etc/passwd 20\n"},
         {"url file:///etc/passwd"},
         nullptr,
         [](Fixture& f) { f.host.urlOpens = false; }},
        {"suggestion removed", {{"99", "17"}}, {}, {"close#17"}, nullptr, nullptr},
        {"new handle for a saved password",
         {{"114", "newpw", "Player1"}},
         {},
         {"modified", "save"},
         [](const Fixture& f) {
             EXPECT_EQ(f.params.handle, "Player1");
             EXPECT_EQ(f.params.password, "newpw");
         },
         [](Fixture& f) {
             f.params.handle = "Guest1";
             f.params.password = "old";
         }},
        {"password not stored when none was",
         {{"114", "newpw", "me"}},
         {},
         {"save"},
         [](const Fixture& f) { EXPECT_EQ(f.params.password, ""); },
         [](Fixture& f) { f.params.handle = "me"; }},
        {"redirect",
         {{"120", "127.0.0.2", "5001"}},
         {},
         {"modified", "redirect"},
         [](const Fixture& f) {
             EXPECT_EQ(f.params.host, "127.0.0.2");
             EXPECT_EQ(f.params.port, 5001);
         },
         nullptr},
        {"redirect to no port is ignored",
         {{"120", "127.0.0.2", "70000"}, {"120", "", "5000"}},
         {},
         {},
         nullptr,
         nullptr},
        {"client report answered empty",
         {{"92", "1"}, {"98", "x"}, {"118", "y"}},
         {"\x18rePoRt \n", "\x18regecho \n"},
         {},
         nullptr,
         nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Fixture f;
        f.harness.connected = true;
        f.values.ownHandle = "me";
        if (row.setUp) row.setUp(f);
        for (const auto& fields : row.datagrams) f.Datagram(fields);
        EXPECT_EQ(f.harness.sent, row.sent);
        EXPECT_EQ(f.host.events, row.events);
        if (row.check) row.check(f);
    }
}

class ScratchDir {
  public:
    ScratchDir() {
        m_path = std::filesystem::temp_directory_path() /
                 ("kordane-dispatch-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~ScratchDir() { std::filesystem::remove_all(m_path); }
    std::string File(const std::string& name) const { return (m_path / name).string(); }

  private:
    std::filesystem::path m_path;
};

std::string Contents(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(MainConsoleDatagrams, WildNamesRefetchedOnlyForANewVersion) {
    ScratchDir dir;
    Fixture f;
    f.harness.connected = true;
    f.host.profile = std::make_unique<CProfile>(dir.File("settings.ini"));
    f.host.profile->WriteString("WildNameList", "n_9", "stale");
    f.Datagram({"0", "me", ""});
    f.Datagram({"119", "vcx-1"});
    f.Datagram({"0", "me", ""});
    f.harness.sent.clear();
    f.Datagram({"116", "0", "Standard"});
    f.Datagram({"116", "5", "Chess960"});
    f.Datagram({"116", "2000000", "damaged"});
    f.Datagram({"0", "me", ""});
    EXPECT_EQ(f.host.profile->GetString("WildNameList", "Version"), "vcx-1");
    EXPECT_EQ(f.host.profile->GetInt("WildNameList", "n_max", -1), 5);
    EXPECT_EQ(f.host.profile->GetString("WildNameList", "n_9"), "");

    // The next connection has the list already.
    Fixture again;
    again.harness.connected = true;
    again.host.profile = std::make_unique<CProfile>(dir.File("settings.ini"));
    again.Datagram({"119", "vcx-1"});
    EXPECT_TRUE(again.harness.sent.empty());
    Fixture changed;
    changed.harness.connected = true;
    changed.host.profile = std::make_unique<CProfile>(dir.File("settings.ini"));
    changed.Datagram({"119", "vcx-2"});
    EXPECT_EQ(changed.harness.sent, (std::vector<std::string>{"Set-2 116 1\n", "Set-2 0 1\n"}));
    EXPECT_EQ(changed.host.profile->GetString("WildNameList", "n_5"), "");
}

TEST(MainConsoleDatagrams, GameTextAppendedToTheRightFile) {
    ScratchDir dir;
    Fixture f;
    f.params.gameLogFile = dir.File("log.pgn");
    f.host.taggedFile = dir.File("tagged.pgn");
    f.Datagram({"86", "[Event \"x\"]", "", "1. e4 *"});
    f.Datagram({"86", "second"}, 5);
    f.Datagram({"86", "third"});
    EXPECT_EQ(Contents(dir.File("log.pgn")), "[Event \"x\"]\n\n1. e4 *\nthird\n");
    EXPECT_EQ(Contents(dir.File("tagged.pgn")), "second\n");
    ASSERT_EQ(f.harness.posted.size(), 3u);
    EXPECT_EQ(f.harness.posted[0]->TextValue(), "Game appended to " + dir.File("log.pgn") + "\n");

    const std::string locked = dir.File("missing/x.pgn");
    f.params.gameLogFile = locked;
    f.Datagram({"86", "lost"});
    EXPECT_EQ(f.host.events.back(), "Could not open file for writing: " + locked);
    EXPECT_EQ(f.harness.posted.size(), 3u);
}

TEST(FileNames, HandleBecomesAHarmlessFileName) {
    EXPECT_EQ(DefaultGameFile(std::string("/tmp/games"), "../bob"), "/tmp/games/bob.pgn");
    EXPECT_EQ(DefaultGameFile(std::nullopt, "bob"), "bob.pgn");
    EXPECT_EQ(DefaultGameFile(std::string("/tmp/"), "..."), "/tmp/games.pgn");
}

}  // namespace
