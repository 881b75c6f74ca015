// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "AccountStore.h"

namespace {

TEST(AccountStoreTest, ReadsAccountsCommentsAndDefaults) {
    std::string error;
    auto store = AccountStore::Parse(
        "# the demo\n\nMagnus  pw1  GM  2870,2880  # trailing comment\n\tbob pw2 - -\r\n"
        "Cee x GM,C,H 1,2,3,4,5",
        error);
    ASSERT_TRUE(store) << error;
    EXPECT_EQ(store->Size(), 3u);
    const AccountStore::Account* magnus = store->Find("MAGNUS");
    ASSERT_NE(magnus, nullptr);
    EXPECT_EQ(magnus->handle, "Magnus");
    EXPECT_EQ(magnus->password, "pw1");
    EXPECT_EQ(magnus->ratings, (std::vector<int>{2870, 2880, 0, 0, 0}));
    EXPECT_TRUE(store->Find("bob")->titles.empty());
    EXPECT_EQ(AccountStore::JoinTitles(store->Find("cee")->titles), "GM C H");
    EXPECT_EQ(store->Find("Magnu"), nullptr);

    // Registration adds under the same rules as the file.
    EXPECT_FALSE(store->Add({"BOB", "x", {}, {}}));
    EXPECT_FALSE(store->Add({"Guest9", "x", {}, {}}));
    EXPECT_TRUE(store->Add({"Newbie", "x", {}, {}}));
    EXPECT_EQ(store->Find("newbie")->ratings.size(), AccountStore::kCategories.size());

    EXPECT_FALSE(AccountStore::LoadFile("/nonexistent/accounts.txt", error));
    EXPECT_EQ(error, "cannot open /nonexistent/accounts.txt");
}

struct BadFile {
    const char* text;
    const char* error;
    friend void PrintTo(const BadFile& row, std::ostream* out) { *out << row.error; }
};

class AccountStoreErrorTest : public testing::TestWithParam<BadFile> {};

TEST_P(AccountStoreErrorTest, RefusedWithLineAndReason) {
    std::string error;
    EXPECT_FALSE(AccountStore::Parse(GetParam().text, error));
    EXPECT_EQ(error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AccountStoreErrorTest,
    testing::Values(
        BadFile{"# ok\nMagnus pw GM 1 extra",
                "line 2: expected 4 fields (handle password titles ratings), got 5"},
        BadFile{"1abc pw - -", "line 1: invalid handle \"1abc\""},
        BadFile{"abcdefghijklmnop pw - -", "line 1: invalid handle \"abcdefghijklmnop\""},
        BadFile{"ab_c pw - -", "line 1: invalid handle \"ab_c\""},
        BadFile{"Guest7 pw - -", "line 1: handles starting with \"guest\" are kept for guests"},
        BadFile{"Ann a - -\nann b - -", "line 2: duplicate handle \"ann\""},
        BadFile{"Ann a GM,,C -", "line 1: invalid title \"\""},
        BadFile{"Ann a - -3", "line 1: invalid rating \"-3\""},
        BadFile{"Ann a - 10000", "line 1: invalid rating \"10000\""},
        BadFile{"Ann a - 99999999999999999999", "line 1: invalid rating \"99999999999999999999\""},
        BadFile{"Ann a - 1,2,3,4,5,6", "line 1: more ratings than the 5 categories"}));

}  // namespace
