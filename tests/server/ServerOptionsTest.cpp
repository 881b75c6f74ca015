// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ServerOptions.h"

namespace {

TEST(ServerOptionsTest, BothSpellingsOfEveryOptionAndEachRefusal) {
    std::string error;
    auto options = ServerOptions::Parse(
        {"--port=5000", "--accounts=a.txt", "--transcript", "t.log", "--chronel-fail=check"},
        error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->port, 5000);
    EXPECT_EQ(options->accountsPath, "a.txt");
    EXPECT_EQ(options->transcriptPath, "t.log");
    EXPECT_EQ(options->chronelFail, ChronelServerSession::FailAt::CheckString);
    EXPECT_TRUE(options->computer);
    options = ServerOptions::Parse(
        {"--chronel-fail", "step1", "--port", "65535", "--no-computer", "--engine", "/x/sf"},
        error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->chronelFail, ChronelServerSession::FailAt::Step1);
    EXPECT_FALSE(options->computer);
    EXPECT_EQ(options->enginePath, "/x/sf");

    const std::vector<std::pair<std::vector<std::string>, std::string>> refused = {
        {{}, "--port is required"},
        {{"--port"}, "--port needs a value"},
        {{"--port", "65536"}, "--port: \"65536\" is not a port number (0 to 65535)"},
        {{"--port=12ab"}, "--port: \"12ab\" is not a port number (0 to 65535)"},
        {{"--port="}, "--port: \"\" is not a port number (0 to 65535)"},
        {{"--port", "1", "--chronel-fail=step2"},
         "--chronel-fail: expected step1 or check, not \"step2\""},
        {{"--portx=1"}, "unknown argument \"--portx=1\""},
        {{"--port", "1", "--accounts"}, "--accounts needs a value"},
        {{"--port", "1", "--engine"}, "--engine needs a value"}};
    for (const auto& [args, reason] : refused) {
        EXPECT_FALSE(ServerOptions::Parse(args, error)) << reason;
        EXPECT_EQ(error, reason);
    }
}

}  // namespace
