// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Finds the live parts of console text as it is appended: web addresses,
// commands quoted in help texts ("help intro", "more"), the items of a help
// page's "see also" list and the word more in the "more" prompt. CConsoleWnd
// hands it every insertion and underlines what comes back as links.
//
// Text is UTF-16 with line feeds as line breaks, so offsets are the text
// pane's own positions. The last line appended so far is kept and scanned
// again with the next insertion, so that an address or a quotation that
// arrives in two pieces is still found; the "see also" state is carried from
// one insertion to the next.
//
// A quotation without a closing quote runs to the end of its line, and
// becomes a link only when it starts with a command ("more" alone is a link
// only between two quotes): a help line cut short still offers its command.
//
// Standard library only, so that it can be fuzzed without a display.
class CLinkScanner {
  public:
    struct Range {
        // From the first character of the text handed to Scan; negative when
        // the link starts in the line that was already in the pane.
        std::ptrdiff_t start = 0;
        std::ptrdiff_t length = 0;
        bool operator==(const Range&) const = default;
    };

    // What a click on a link does: run it as a command ("more" or a command
    // start, in any letter case), open it in the browser, or ask the server
    // for help on it (an item of a "see also" list).
    enum class LinkKind { Command, Address, HelpItem };
    static LinkKind Classify(std::u16string_view link);

    // A line longer than this is not scanned again as it grows: a server
    // that never ends its line must not make every append cost more.
    static constexpr size_t kMaxRescan = 2048;

    // The links in `inserted`, which went into the pane right after what was
    // scanned before, in the order they were found (an address that starts
    // with "http://www." comes twice, the longer one last).
    std::vector<Range> Scan(std::u16string_view inserted);
    // Keeps track of the last line without looking for links (links are
    // switched off); a "see also" list ends here.
    void Skip(std::u16string_view inserted);
    // The pane lost its last line (everything was trimmed away).
    void ForgetPartialLine();

    bool InSeeAlso() const { return m_seeAlso; }
    const std::u16string& PartialLine() const { return m_partial; }

  private:
    void ScanLine(std::u16string_view line, std::ptrdiff_t at, bool lineStart,
                  std::vector<Range>& out);
    void KeepLastLine(std::u16string_view line, bool lineStart, bool modeBefore);

    // The last line appended so far, while it is short enough to scan again.
    std::u16string m_partial;
    // False when m_partial is not the start of its line (the line was too
    // long to keep whole): its line-start rules were applied already.
    bool m_partialAtLineStart = true;
    // The "see also" state before m_partial was scanned: a rescan starts
    // from it, so that a continuation line that came in pieces counts as one.
    bool m_modeBeforePartial = false;
    bool m_seeAlso = false;
};
