// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include <gtest/gtest.h>

#include "app/CommandLine.h"

namespace {

using Args = std::vector<std::string>;

TEST(CommandLineTest, SplitsAtBlanksAndKeepsQuotedBlanks) {
    struct Row {
        const char* line;
        Args expected;
    } rows[] = {
        {"", {}},
        {"   \t ", {}},
        {"/debug game.kd2", {"/debug", "game.kd2"}},
        {"  /debug \t  game.kd2  ", {"/debug", "game.kd2"}},
        {"\"/plugin=C:\\My Plugins\\seek.exe\" alice.kd2",
         {"/plugin=C:\\My Plugins\\seek.exe", "alice.kd2"}},
        {"\"my games.kd2\"", {"my games.kd2"}},
        {"\"unterminated quote runs on", {"unterminated quote runs on"}},
        {"\"\" x", {"", "x"}},
        {"\"a b\"c", {"a b", "c"}},
        // Only an argument that begins with a quote is quoted.
        {"/plugin=\"C:\\My Plugins\"", {"/plugin=\"C:\\My", "Plugins\""}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(CommandLine::Split(row.line), row.expected) << row.line;
    }
}

TEST(CommandLineTest, QuotedPluginPathWithBlankThenFile) {
    CommandLine c =
        CommandLine::Parse(CommandLine::Split("\"/plugin=/opt/My Plugins/seek\" alice.kd2"));
    EXPECT_EQ(c.plugins, Args{"/opt/My Plugins/seek"});
    EXPECT_EQ(c.connectionFile, "alice.kd2");
    EXPECT_FALSE(c.debug);
    EXPECT_TRUE(c.unrecognized.empty());
}

TEST(CommandLineTest, GrammarTable) {
    struct Row {
        const char* name;
        Args args;
        bool debug;
        Args plugins;
        std::string file;
        Args unrecognized;
    } rows[] = {
        {"nothing", {}, false, {}, "", {}},
        {"two connection files: the later wins", {"a.kd2", "b.kd2"}, false, {}, "b.kd2", {}},
        {"switches in capitals", {"/PLUGIN=Seek", "/Debug"}, true, {"Seek"}, "", {}},
        {"extension in capitals", {"/home/u/Alice.KD2"}, false, {}, "/home/u/Alice.KD2", {}},
        {"plug-ins keep their order",
         {"/plugin=b", "/Plugin=a", "/plugin="},
         false,
         {"b", "a", ""},
         "",
         {}},
        {"a plug-in named like a file is a plug-in", {"/plugin=x.kd2"}, false, {"x.kd2"}, "", {}},
        {"bare extension", {".kd2"}, false, {}, ".kd2", {}},
        {"unknown arguments do not stop parsing",
         {"/bogus", "notes.txt", "/debugx", "/plugin", "kd2", "c.kd2", "/debug"},
         true,
         {},
         "c.kd2",
         {"/bogus", "notes.txt", "/debugx", "/plugin", "kd2"}},
        {"markup is just an argument", {"<b>x</b>"}, false, {}, "", {"<b>x</b>"}},
    };
    for (const Row& row : rows) {
        CommandLine c = CommandLine::Parse(row.args);
        EXPECT_EQ(c.debug, row.debug) << row.name;
        EXPECT_EQ(c.plugins, row.plugins) << row.name;
        EXPECT_EQ(c.connectionFile, row.file) << row.name;
        EXPECT_EQ(c.unrecognized, row.unrecognized) << row.name;
    }
}

}  // namespace
