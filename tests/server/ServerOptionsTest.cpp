// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "ServerOptions.h"

namespace {

using FailAt = ChronelServerSession::FailAt;

TEST(ServerOptionsTest, AcceptsBothSpellingsOfEveryOption) {
    std::string error;
    auto options = ServerOptions::Parse({"--port", "0"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->port, 0);
    EXPECT_TRUE(options->accountsPath.empty());
    EXPECT_EQ(options->chronelFail, FailAt::None);

    options = ServerOptions::Parse(
        {"--port=5000", "--accounts=a.txt", "--transcript", "t.log", "--chronel-fail=check"},
        error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->port, 5000);
    EXPECT_EQ(options->accountsPath, "a.txt");
    EXPECT_EQ(options->transcriptPath, "t.log");
    EXPECT_EQ(options->chronelFail, FailAt::CheckString);

    options = ServerOptions::Parse({"--chronel-fail", "step1", "--port", "65535"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->chronelFail, FailAt::Step1);
    EXPECT_EQ(options->port, 65535);
}

struct BadArgs {
    std::vector<std::string> args;
    const char* error;
    // Names the row in test listings.
    friend void PrintTo(const BadArgs& row, std::ostream* out) { *out << row.error; }
};

class ServerOptionsErrorTest : public testing::TestWithParam<BadArgs> {};

TEST_P(ServerOptionsErrorTest, RefusedWithReason) {
    std::string error;
    EXPECT_FALSE(ServerOptions::Parse(GetParam().args, error));
    EXPECT_EQ(error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ServerOptionsErrorTest,
    testing::Values(BadArgs{{}, "--port is required"}, BadArgs{{"--port"}, "--port needs a value"},
                    BadArgs{{"--port", "65536"},
                            "--port: \"65536\" is not a port number (0 to 65535)"},
                    BadArgs{{"--port=-1"}, "--port: \"-1\" is not a port number (0 to 65535)"},
                    BadArgs{{"--port=12ab"}, "--port: \"12ab\" is not a port number (0 to 65535)"},
                    BadArgs{{"--port="}, "--port: \"\" is not a port number (0 to 65535)"},
                    BadArgs{{"--port", "1", "--chronel-fail=step2"},
                            "--chronel-fail: expected step1 or check, not \"step2\""},
                    BadArgs{{"--port", "1", "--verbose"}, "unknown argument \"--verbose\""},
                    BadArgs{{"--portx=1"}, "unknown argument \"--portx=1\""},
                    BadArgs{{"--port", "1", "--accounts"}, "--accounts needs a value"}));

}  // namespace
