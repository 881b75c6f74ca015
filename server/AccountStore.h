// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The registered accounts of the test server, read once at start from a small
// text file (format in docs/server.md). The login logic asks it for a handle;
// everything else works with the copy of the account a session keeps.
//
//   # comment
//   <handle> <password> <titles or -> <ratings or ->
//
// Titles are separated by commas (GM,C); ratings are integers separated by
// commas, one per rating category in the order of kCategories.
class AccountStore {
  public:
    struct Account {
        std::string handle;
        std::string password;
        std::vector<std::string> titles;
        std::vector<int> ratings;
    };

    static constexpr size_t kMaxHandle = 15;
    static constexpr size_t kMaxFileSize = 1 << 20;
    // Rating categories by number; category n is rated by ratings[n - 1].
    static constexpr std::array<std::string_view, 5> kCategories = {"Bullet", "Blitz", "Standard",
                                                                    "Wild", "Bughouse"};

    // Parses the whole file text. On failure returns nothing and sets `error`
    // to "line N: what is wrong".
    static std::optional<AccountStore> Parse(std::string_view text, std::string& error);
    static std::optional<AccountStore> LoadFile(const std::string& path, std::string& error);

    // Handles are compared without regard to case.
    const Account* Find(std::string_view handle) const;
    size_t Size() const { return m_accounts.size(); }
    // Accounts made while the server runs ("register"): false when the
    // handle is invalid, kept for guests or taken. A pointer from Find may
    // not outlive the next Add.
    bool Add(Account account);
    bool SetPassword(std::string_view handle, std::string password);

    // A handle as the server accepts it for accounts and logins: 2 to 15
    // letters, digits or "-", starting with a letter.
    static bool IsValidHandle(std::string_view handle);
    static bool SameHandle(std::string_view a, std::string_view b);
    // Titles as datagrams carry them: separated by single spaces.
    static std::string JoinTitles(const std::vector<std::string>& titles);

  private:
    std::vector<Account> m_accounts;
};
