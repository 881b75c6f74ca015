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
    const auto store = AccountStore::Parse(
        "# the demo\n"
        "\n"
        "Magnus  pw1  GM        2870,2880  # trailing comment\n"
        "\tbob pw2 - -\r\n"
        "Cee x GM,C,H 1,2,3,4,5",
        error);
    ASSERT_TRUE(store) << error;
    EXPECT_EQ(store->Size(), 3u);

    const AccountStore::Account* magnus = store->Find("MAGNUS");
    ASSERT_NE(magnus, nullptr);
    EXPECT_EQ(magnus->handle, "Magnus");
    EXPECT_EQ(magnus->password, "pw1");
    EXPECT_EQ(AccountStore::JoinTitles(magnus->titles), "GM");
    EXPECT_EQ(magnus->ratings, (std::vector<int>{2870, 2880, 0, 0, 0}));

    const AccountStore::Account* bob = store->Find("bob");
    ASSERT_NE(bob, nullptr);
    EXPECT_TRUE(bob->titles.empty());
    EXPECT_EQ(bob->ratings, (std::vector<int>(AccountStore::kCategories.size(), 0)));

    const AccountStore::Account* cee = store->Find("cee");
    ASSERT_NE(cee, nullptr);
    EXPECT_EQ(AccountStore::JoinTitles(cee->titles), "GM C H");
    EXPECT_EQ(cee->ratings, (std::vector<int>{1, 2, 3, 4, 5}));

    EXPECT_EQ(store->Find("Magnu"), nullptr);
    EXPECT_EQ(store->Find(""), nullptr);
}

struct BadFile {
    const char* text;
    const char* error;
    // Names the row in test listings.
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
        BadFile{"Magnus pw GM",
                "line 1: expected 4 fields (handle password titles ratings), got 3"},
        BadFile{"# ok\nMagnus pw GM 1 extra",
                "line 2: expected 4 fields (handle password titles ratings), got 5"},
        BadFile{"1abc pw - -", "line 1: invalid handle \"1abc\""},
        BadFile{"a pw - -", "line 1: invalid handle \"a\""},
        BadFile{"abcdefghijklmnop pw - -", "line 1: invalid handle \"abcdefghijklmnop\""},
        BadFile{"ab_c pw - -", "line 1: invalid handle \"ab_c\""},
        BadFile{"Guest7 pw - -", "line 1: handles starting with \"guest\" are kept for guests"},
        BadFile{"Ann a - -\nann b - -", "line 2: duplicate handle \"ann\""},
        BadFile{"Ann a GM,,C -", "line 1: invalid title \"\""},
        BadFile{"Ann a G-M -", "line 1: invalid title \"G-M\""},
        BadFile{"Ann a - 12x", "line 1: invalid rating \"12x\""},
        BadFile{"Ann a - -3", "line 1: invalid rating \"-3\""},
        BadFile{"Ann a - 10000", "line 1: invalid rating \"10000\""},
        BadFile{"Ann a - 1,", "line 1: invalid rating \"\""},
        BadFile{"Ann a - 99999999999999999999", "line 1: invalid rating \"99999999999999999999\""},
        BadFile{"Ann a - 1,2,3,4,5,6", "line 1: more ratings than the 5 categories"}));

TEST(AccountStoreTest, LoadFileReportsPathAndReadsTheDemoAccounts) {
    std::string error;
    EXPECT_FALSE(AccountStore::LoadFile("/nonexistent/accounts.txt", error));
    EXPECT_EQ(error, "cannot open /nonexistent/accounts.txt");

    const auto demo = AccountStore::LoadFile(KORDANE_SOURCE_DIR "/server/demo-accounts.txt", error);
    ASSERT_TRUE(demo) << error;
    EXPECT_GE(demo->Size(), 3u);
    bool titled = false;
    bool untitled = false;
    for (const char* handle : {"Magnus", "Judit", "Tester", "Botty", "Kordane"}) {
        const AccountStore::Account* account = demo->Find(handle);
        ASSERT_NE(account, nullptr) << handle;
        titled = titled || !account->titles.empty();
        untitled = untitled || account->titles.empty();
    }
    EXPECT_TRUE(titled);
    EXPECT_TRUE(untitled);
}

TEST(AccountStoreTest, HandleRules) {
    struct Row {
        const char* handle;
        bool valid;
    };
    for (const Row& row :
         {Row{"ab", true}, Row{"a", false}, Row{"A-1", true}, Row{"abcdefghijklmno", true},
          Row{"abcdefghijklmnop", false}, Row{"-ab", false}, Row{"ab cd", false}, Row{"", false},
          Row{"\xc3\xa9t\xc3\xa9", false}}) {
        EXPECT_EQ(AccountStore::IsValidHandle(row.handle), row.valid) << row.handle;
    }
    EXPECT_TRUE(AccountStore::SameHandle("MaGnUs", "magnus"));
    EXPECT_FALSE(AccountStore::SameHandle("magnus", "magnu"));
}

}  // namespace
