// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Any text as the test server's accounts file. It is either refused with a
// line number or read into accounts that keep the file's rules: valid
// handles, found again by name, one rating per category.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "AccountStore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string error;
    const auto store = AccountStore::Parse(text, error);
    if (!store) {
        if (error.rfind("line ", 0) != 0) __builtin_trap();
        return 0;
    }
    // Every handle in the file must be found again, whatever its case.
    size_t start = 0;
    size_t found = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        line = line.substr(0, line.find('#'));
        const size_t first = line.find_first_not_of(" \t\r");
        if (first != std::string_view::npos) {
            const size_t last = line.find_first_of(" \t\r", first);
            const std::string_view handle = line.substr(first, last - first);
            const AccountStore::Account* account = store->Find(handle);
            if (account == nullptr || !AccountStore::IsValidHandle(account->handle) ||
                account->ratings.size() != AccountStore::kCategories.size())
                __builtin_trap();
            ++found;
        }
        start = end + 1;
    }
    if (found != store->Size()) __builtin_trap();
    return 0;
}
