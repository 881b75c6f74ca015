// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One game of a PGN file: its tags in file order, its move texts (SAN as the
// file has them, annotations cut off) and its result. PgnParser fills it;
// PgnConverter, PgnHeader and PgnUpload read it.
//
// Every text points into the file's buffer, which PgnFile owns: a game is
// valid only while the PgnFile it came from lives. The texts are C strings
// (the tokenizer ends each with a NUL in place).
class PgnGame {
  public:
    // The values of `resultCode`, in the order of the result tokens.
    enum ResultCode { kWhiteWins = 0, kBlackWins = 1, kDraw = 2, kUnknown = 3 };

    int TagCount() const { return static_cast<int>(m_tagNames.size()); }
    std::string_view TagName(int index) const { return m_tagNames[static_cast<size_t>(index)]; }
    std::string_view TagValue(int index) const { return m_tagValues[static_cast<size_t>(index)]; }

    int MoveCount() const { return static_cast<int>(m_moves.size()); }
    std::string_view MoveText(int index) const { return m_moves[static_cast<size_t>(index)]; }
    const char* MoveCString(int index) const { return m_moves[static_cast<size_t>(index)]; }

    int ResultCode() const { return m_resultCode; }

    // The value of the first tag whose name equals `name` without regard to
    // case (ASCII letters only).
    std::optional<std::string_view> GetTag(std::string_view name) const;
    // The tags as the PGN list's "Display Tags" shows them: one line
    // "[name \"value\"]\n" per tag, in file order.
    std::string DisplayTags() const;

    // Building, for PgnParser.
    void AddTag(const char* name, const char* value);
    void AddMove(const char* text);
    void SetResultCode(int code) { m_resultCode = code; }

  private:
    std::vector<const char*> m_tagNames;
    std::vector<const char*> m_tagValues;
    std::vector<const char*> m_moves;
    int m_resultCode = kUnknown;
};
