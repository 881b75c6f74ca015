// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "console/LinkScanner.h"

#include <array>

namespace {

using View = std::u16string_view;

constexpr std::array<View, 4> kAddressStarts = {u"www.", u"http://", u"ftp://", u"https://"};
constexpr View kDelimiters = u" \n\r\t\"',()<>[]{}|\\`^";
constexpr View kQuotes = u"\"'";
constexpr View kMore = u"more";
constexpr std::array<View, 11> kCommandStarts = {u"help ",   u"follow ",  u"observe ", u"finger ",
                                                 u"news ",   u"examine ", u"loadfen ", u"liblist ",
                                                 u"accept ", u"decline ", u"play "};
constexpr View kSeeAlsoStart = u"see also: ";
constexpr View kContinuation = u"          ";
constexpr View kMorePrompt = u"[type \"more\" to continue]";
// The word more inside the prompt.
constexpr std::ptrdiff_t kPromptMoreAt = 7;
// A "see also" line's items start after "see also:" (or the same width of
// blanks) and any blanks after it.
constexpr size_t kItemsFrom = 9;

bool StartsWithCommand(View text) {
    for (View start : kCommandStarts) {
        if (text.starts_with(start)) return true;
    }
    return false;
}

char16_t Lower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

// `start` is lower case.
bool StartsWithIgnoringCase(View text, View start) {
    if (text.size() < start.size()) return false;
    for (size_t i = 0; i < start.size(); ++i) {
        if (Lower(text[i]) != start[i]) return false;
    }
    return true;
}

void Add(std::vector<CLinkScanner::Range>& out, std::ptrdiff_t at, size_t from, size_t length) {
    if (length > 0) {
        out.push_back(
            {at + static_cast<std::ptrdiff_t>(from), static_cast<std::ptrdiff_t>(length)});
    }
}

void AddAddresses(View line, std::ptrdiff_t at, std::vector<CLinkScanner::Range>& out) {
    for (View start : kAddressStarts) {
        size_t from = 0;
        for (size_t found = line.find(start, from); found != View::npos;
             found = line.find(start, from)) {
            const size_t delimiter = line.find_first_of(kDelimiters, found + start.size());
            size_t end = delimiter == View::npos ? line.size() : delimiter;
            // The full stop that ends a sentence is not part of the address.
            while (end > found && line[end - 1] == u'.') --end;
            // A bare "www." has nowhere to go.
            if (end > found + start.size()) Add(out, at, found, end - found);
            if (delimiter == View::npos) break;
            from = delimiter;
        }
    }
}

void AddQuotedCommands(View line, std::ptrdiff_t at, std::vector<CLinkScanner::Range>& out) {
    // Every stretch between two neighbouring quote characters is a candidate,
    // including the unquoted words between two quotations; only commands
    // become links.
    size_t open = line.find_first_of(kQuotes);
    while (open != View::npos) {
        const size_t close = line.find_first_of(kQuotes, open + 1);
        const size_t end = close == View::npos ? line.size() : close;
        const View candidate = line.substr(open + 1, end - open - 1);
        if ((close != View::npos && candidate == kMore) || StartsWithCommand(candidate)) {
            Add(out, at, open + 1, candidate.size());
        }
        open = close;
    }
}

void AddSeeAlsoItems(View line, std::ptrdiff_t at, std::vector<CLinkScanner::Range>& out) {
    size_t item = kItemsFrom;
    while (item < line.size() && line[item] == u' ') ++item;
    for (size_t comma = line.find(u',', item); item < line.size() && comma != View::npos;
         comma = line.find(u',', item)) {
        Add(out, at, item, comma - item);
        item = comma + 2;
    }
    if (item < line.size()) Add(out, at, item, line.size() - item);
}

}  // namespace

CLinkScanner::LinkKind CLinkScanner::Classify(View link) {
    if (link.size() == kMore.size() && StartsWithIgnoringCase(link, kMore))
        return LinkKind::Command;
    for (View start : kCommandStarts) {
        if (StartsWithIgnoringCase(link, start)) return LinkKind::Command;
    }
    for (View start : kAddressStarts) {
        if (StartsWithIgnoringCase(link, start)) return LinkKind::Address;
    }
    return LinkKind::HelpItem;
}

void CLinkScanner::ScanLine(View line, std::ptrdiff_t at, bool lineStart, std::vector<Range>& out) {
    if (lineStart) {
        if (m_seeAlso && !line.starts_with(kContinuation) && !line.starts_with(kMorePrompt)) {
            m_seeAlso = false;
        }
        if (line.starts_with(kSeeAlsoStart)) m_seeAlso = true;
    }
    if (!m_seeAlso) {
        AddAddresses(line, at, out);
        AddQuotedCommands(line, at, out);
        return;
    }
    // The rest of an overlong line of a "see also" list: its items were
    // taken from its start already.
    if (!lineStart) return;
    if (line.starts_with(kMorePrompt)) {
        Add(out, at, kPromptMoreAt, kMore.size());
        return;
    }
    AddSeeAlsoItems(line, at, out);
}

void CLinkScanner::KeepLastLine(View line, bool lineStart, bool modeBefore) {
    if (line.size() > kMaxRescan) {
        m_partial.clear();
        m_partialAtLineStart = false;
        m_modeBeforePartial = m_seeAlso;
        return;
    }
    m_partial.assign(line);
    m_partialAtLineStart = lineStart;
    m_modeBeforePartial = modeBefore;
}

std::vector<CLinkScanner::Range> CLinkScanner::Scan(View inserted) {
    std::vector<Range> out;
    if (inserted.empty()) return out;
    std::u16string joined;
    View text;
    std::ptrdiff_t base = 0;
    bool lineStart = true;
    if (inserted.front() == u'\n') {
        // The line in the pane was finished and scanned whole already.
        m_partial.clear();
        text = inserted.substr(1);
        base = 1;
    } else {
        m_seeAlso = m_modeBeforePartial;
        lineStart = m_partialAtLineStart;
        joined.reserve(m_partial.size() + inserted.size());
        joined.append(m_partial).append(inserted);
        text = joined;
        base = -static_cast<std::ptrdiff_t>(m_partial.size());
    }
    size_t pos = 0;
    for (;;) {
        const size_t end = text.find(u'\n', pos);
        const View line = text.substr(pos, end == View::npos ? View::npos : end - pos);
        const bool modeBefore = m_seeAlso;
        ScanLine(line, base + static_cast<std::ptrdiff_t>(pos), lineStart, out);
        if (end == View::npos) {
            KeepLastLine(line, lineStart, modeBefore);
            break;
        }
        pos = end + 1;
        lineStart = true;
    }
    return out;
}

void CLinkScanner::Skip(View inserted) {
    m_seeAlso = false;
    const size_t lastBreak = inserted.rfind(u'\n');
    if (lastBreak != View::npos) {
        KeepLastLine(inserted.substr(lastBreak + 1), true, false);
    } else if (m_partial.size() + inserted.size() > kMaxRescan) {
        m_partial.clear();
        m_partialAtLineStart = false;
    } else {
        m_partial.append(inserted);
    }
    m_modeBeforePartial = false;
}

void CLinkScanner::ForgetPartialLine() {
    m_partial.clear();
    m_partialAtLineStart = true;
    m_modeBeforePartial = false;
    m_seeAlso = false;
}
