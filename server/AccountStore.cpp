// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "AccountStore.h"

#include <cctype>
#include <charconv>
#include <fstream>

#include "net/TextUtil.h"

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::vector<std::string_view> SplitWords(std::string_view line) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && IsSpace(line[i])) ++i;
        const size_t start = i;
        while (i < line.size() && !IsSpace(line[i])) ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

std::vector<std::string_view> SplitCommas(std::string_view list) {
    std::vector<std::string_view> items;
    if (list == "-") return items;
    size_t start = 0;
    while (true) {
        const size_t comma = list.find(',', start);
        items.push_back(list.substr(start, comma - start));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return items;
}

bool IsAlpha(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}
bool IsAlnum(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0;
}

std::string LineError(size_t lineNumber, std::string_view what) {
    return "line " + std::to_string(lineNumber) + ": " + std::string(what);
}

}  // namespace

std::optional<AccountStore> AccountStore::Parse(std::string_view text, std::string& error) {
    AccountStore store;
    size_t lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const size_t newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
        const size_t hash = line.find('#');
        if (hash != std::string_view::npos) line = line.substr(0, hash);
        const std::vector<std::string_view> words = SplitWords(line);
        if (words.empty()) continue;
        if (words.size() != 4) {
            error =
                LineError(lineNumber, "expected 4 fields (handle password titles ratings), got " +
                                          std::to_string(words.size()));
            return std::nullopt;
        }
        Account account;
        if (!IsValidHandle(words[0])) {
            error = LineError(lineNumber, "invalid handle \"" + std::string(words[0]) + "\"");
            return std::nullopt;
        }
        if (store.Find(words[0]) != nullptr) {
            error = LineError(lineNumber, "duplicate handle \"" + std::string(words[0]) + "\"");
            return std::nullopt;
        }
        if (SameHandle(words[0].substr(0, 5), "guest")) {
            // Guests are named Guest<n> when they log in; an account must not collide.
            error = LineError(lineNumber, "handles starting with \"guest\" are kept for guests");
            return std::nullopt;
        }
        account.handle = words[0];
        account.password = words[1];
        for (std::string_view title : SplitCommas(words[2])) {
            bool ok = !title.empty() && title.size() <= 8;
            for (char c : title) ok = ok && IsAlnum(c);
            if (!ok) {
                error = LineError(lineNumber, "invalid title \"" + std::string(title) + "\"");
                return std::nullopt;
            }
            account.titles.emplace_back(title);
        }
        for (std::string_view rating : SplitCommas(words[3])) {
            int value = 0;
            const auto [end, ec] =
                std::from_chars(rating.data(), rating.data() + rating.size(), value);
            if (rating.empty() || ec != std::errc() || end != rating.data() + rating.size() ||
                value < 0 || value > 9999) {
                error = LineError(lineNumber, "invalid rating \"" + std::string(rating) + "\"");
                return std::nullopt;
            }
            account.ratings.push_back(value);
        }
        if (account.ratings.size() > kCategories.size()) {
            error = LineError(lineNumber, "more ratings than the " +
                                              std::to_string(kCategories.size()) + " categories");
            return std::nullopt;
        }
        account.ratings.resize(kCategories.size(), 0);
        store.m_accounts.push_back(std::move(account));
    }
    return store;
}

std::optional<AccountStore> AccountStore::LoadFile(const std::string& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path;
        return std::nullopt;
    }
    std::string text;
    char buffer[4096];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        text.append(buffer, static_cast<size_t>(in.gcount()));
        if (text.size() > kMaxFileSize) {
            error = path + ": larger than " + std::to_string(kMaxFileSize) + " bytes";
            return std::nullopt;
        }
    }
    std::optional<AccountStore> store = Parse(text, error);
    if (!store) error = path + ": " + error;
    return store;
}

const AccountStore::Account* AccountStore::Find(std::string_view handle) const {
    for (const Account& account : m_accounts) {
        if (SameHandle(account.handle, handle)) return &account;
    }
    return nullptr;
}

bool AccountStore::Add(Account account) {
    if (!IsValidHandle(account.handle) || SameHandle(account.handle.substr(0, 5), "guest") ||
        Find(account.handle) != nullptr) {
        return false;
    }
    account.ratings.resize(kCategories.size(), 0);
    m_accounts.push_back(std::move(account));
    return true;
}

bool AccountStore::SetPassword(std::string_view handle, std::string password) {
    for (Account& account : m_accounts) {
        if (SameHandle(account.handle, handle)) {
            account.password = std::move(password);
            return true;
        }
    }
    return false;
}

bool AccountStore::IsValidHandle(std::string_view handle) {
    if (handle.size() < 2 || handle.size() > kMaxHandle || !IsAlpha(handle.front())) return false;
    for (char c : handle) {
        if (!IsAlnum(c) && c != '-') return false;
    }
    return true;
}

bool AccountStore::SameHandle(std::string_view a, std::string_view b) {
    return EqualsNoCase(a, b);
}

std::string AccountStore::JoinTitles(const std::vector<std::string>& titles) {
    std::string out;
    for (const std::string& title : titles) {
        if (!out.empty()) out += ' ';
        out += title;
    }
    return out;
}
