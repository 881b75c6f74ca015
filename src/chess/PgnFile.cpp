// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "chess/PgnFile.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <new>

#include "chess/PgnParser.h"

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

PgnFile PgnFile::ReadPgnFile(const std::string& path, size_t maxSize) {
    PgnFile file;
    file.m_error = Error::kCannotOpen;
    std::error_code ec;
    // Only regular files: a directory opens on some systems, and a FIFO or
    // device could feed us without end.
    if (!std::filesystem::is_regular_file(path, ec) || ec) return file;
    const std::unique_ptr<std::FILE, FileCloser> in(std::fopen(path.c_str(), "rb"));
    if (!in) return file;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec) return file;
    if (size > maxSize) {
        file.m_error = Error::kTooLarge;
        return file;
    }
    // One byte more than the stated size is asked for, so a file that changed
    // size since it was measured is refused rather than read cut short.
    const size_t want = static_cast<size_t>(size) + 1;
    file.m_text.reset(new (std::nothrow) char[want + 1]);
    if (!file.m_text) {
        file.m_error = Error::kNoMemory;
        return file;
    }
    const size_t got = std::fread(file.m_text.get(), 1, want, in.get());
    if (got != size || std::ferror(in.get())) {
        file.m_text.reset();
        return file;
    }
    file.m_size = got;
    file.Parse();
    return file;
}

PgnFile PgnFile::FromText(std::string_view text) {
    PgnFile file;
    file.m_text = std::make_unique_for_overwrite<char[]>(text.size() + 1);
    if (!text.empty()) std::memcpy(file.m_text.get(), text.data(), text.size());
    file.m_size = text.size();
    file.Parse();
    return file;
}

void PgnFile::Parse() {
    m_games = PgnParser::ParsePgn(m_text.get(), m_size);
    m_error = m_games.empty() ? Error::kNoGames : Error::kNone;
}
