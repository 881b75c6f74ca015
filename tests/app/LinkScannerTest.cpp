// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Links in console text as a help page arrives, piece by piece, and the
// names the person popup sends.
#include <gtest/gtest.h>

#include <QString>
#include <set>
#include <string>
#include <vector>

#include "console/LinkScanner.h"
#include "console/PersonCommand.h"

namespace {

// Appends `pieces` as the console pane does (a final line break held back
// until more text comes) and returns the texts that end up as links; a later
// link over the same characters replaces the earlier one, as in the pane.
std::set<std::string> Links(const std::vector<QString>& pieces) {
    CLinkScanner scanner;
    QString pane;
    std::vector<int> owner;
    int next = 0;
    bool heldBreak = false;
    for (QString text : pieces) {
        if (heldBreak) text.prepend(QLatin1Char('\n'));
        heldBreak = text.endsWith(QLatin1Char('\n'));
        if (heldBreak) text.chop(1);
        const qsizetype from = pane.size();
        pane += text;
        owner.resize(static_cast<size_t>(pane.size()), -1);
        const std::u16string_view view(reinterpret_cast<const char16_t*>(text.utf16()),
                                       static_cast<size_t>(text.size()));
        for (const CLinkScanner::Range& range : scanner.Scan(view)) {
            const qsizetype start = from + range.start;
            EXPECT_GE(start, 0);
            EXPECT_LE(start + range.length, pane.size());
            for (qsizetype i = start; i < start + range.length; ++i) {
                owner[static_cast<size_t>(i)] = next;
            }
            ++next;
        }
    }
    std::set<std::string> links;
    for (qsizetype i = 0; i < pane.size();) {
        qsizetype end = i + 1;
        while (end < pane.size() &&
               owner[static_cast<size_t>(end)] == owner[static_cast<size_t>(i)]) {
            ++end;
        }
        if (owner[static_cast<size_t>(i)] >= 0) links.insert(pane.mid(i, end - i).toStdString());
        i = end;
    }
    return links;
}

TEST(LinkScanner, HelpPageText) {
    struct Row {
        const char* name;
        std::vector<QString> pieces;
        std::set<std::string> links;
    } rows[] = {
        {"see-also list over a continuation line, then plain text again",
         {"finger [user]\n\n  Shows what is known about a user.\n\n",
          "see also: history, vars, stored,\n", "          notify, censor\n",
          "Type \"help intro\" first.\n"},
         {"history", "vars", "stored", "notify", "censor", "help intro"}},
        {"addresses end before full stops, commas and parentheses",
         {"Read www.vcx-server.net. Or http://x.org/a.., also (https://y.net/b) "
          "and ftp://f.org, ok\n"},
         {"www.vcx-server.net", "http://x.org/a", "https://y.net/b", "ftp://f.org"}},
        {"an address that starts with http://www. is one link",
         {"See http://www.vcx-server.net/news\n"},
         {"http://www.vcx-server.net/news"}},
        {"two quoted commands: the words between are no link",
         {"Type \"help intro\" or \"help finger\" to read more.\n"},
         {"help intro", "help finger"}},
        {"more in quotes, with the letter case it has",
         {"Type \"more\" or \"More\" to go on.\n"},
         {"more"}},
        {"the more prompt inside a see-also list keeps the list going",
         {"see also: a, b\n", "[type \"more\" to continue]\n", "          c, d\n", "done, x\n"},
         {"a", "b", "more", "c", "d"}},
        {"an address split across two appends",
         {"Go to www.vcx-ser", "ver.net now\n"},
         {"www.vcx-server.net"}},
        {"a continuation line that arrives in pieces",
         {"see also: a\n", "     ", "     b, c\n"},
         {"a", "b", "c"}},
        {"an unclosed quotation is a link only as a command",
         {"Say \"more or \"help intro\n", "Say \"more\n"},
         {"help intro"}},
        {"see also: needs its own letter case and blank", {"See also: a, b\nsee also:c\n"}, {}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Links(row.pieces), row.links) << row.name;
    }
}

TEST(PersonCommand, NamesAreCleanedBeforeTheyAreSent) {
    struct Row {
        int id;
        QString name;
        QString line;
    } rows[] = {
        {kPersonFinger, QStringLiteral("  Carla\t "), QStringLiteral("Finger Carla\n")},
        // Twenty characters: the first sixteen are kept, then blanks go.
        {kPersonObserve, QStringLiteral("abcdefghijklmn  qrst"),
         QStringLiteral("Observe abcdefghijklmn\n")},
        // A selection over a line break never sends a second line.
        {kPersonRemoveCensor, QStringLiteral("bob") + QChar(0x2029) + QStringLiteral("quit"),
         QStringLiteral("-censor bob\n")},
        {kPersonChat, QStringLiteral("bob"), QString()},
        {kPersonMatch, QStringLiteral("bob"), QString()},
        {kPersonCopy, QStringLiteral("bob"), QString()},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(PersonCommand(row.id, row.name).toStdString(), row.line.toStdString()) << row.id;
    }
}

}  // namespace
