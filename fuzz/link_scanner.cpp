// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Arbitrary text split into arbitrary appends, as a console pane receives
// it: byte 0 ends an append, byte 1 ends one and switches link marking on or
// off; every other byte is one character (so quotes, blanks, line feeds and
// the text of help pages are all reachable). Every link must lie inside the
// text appended so far, within one line, and must not be empty.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "console/LinkScanner.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CLinkScanner scanner;
    std::u16string pane;
    bool heldBreak = false;
    bool marking = true;
    std::u16string append;
    auto flush = [&] {
        // What the pane does with an append: a final line break waits for
        // the next one.
        std::u16string text = append;
        append.clear();
        if (heldBreak) text.insert(text.begin(), u'\n');
        heldBreak = !text.empty() && text.back() == u'\n';
        if (heldBreak) text.pop_back();
        if (text.empty()) return;
        const auto from = static_cast<std::ptrdiff_t>(pane.size());
        pane += text;
        if (!marking) {
            scanner.Skip(text);
            return;
        }
        for (const CLinkScanner::Range& link : scanner.Scan(text)) {
            Check(link.length > 0);
            Check(from + link.start >= 0);
            Check(from + link.start + link.length <= static_cast<std::ptrdiff_t>(pane.size()));
            const std::u16string_view linked = std::u16string_view(pane).substr(
                static_cast<size_t>(from + link.start), static_cast<size_t>(link.length));
            Check(linked.find(u'\n') == std::u16string_view::npos);
            (void)CLinkScanner::Classify(linked);
        }
        Check(scanner.PartialLine().size() <= CLinkScanner::kMaxRescan);
    };
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0 || data[i] == 1) {
            flush();
            if (data[i] == 1) marking = !marking;
        } else {
            append += static_cast<char16_t>(data[i]);
        }
    }
    flush();
    return 0;
}
