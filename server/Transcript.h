// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

// The record of everything the test server hears and says, so that a test or a
// person can see exactly what a client sent. One record per line of the file:
//
//   C<id> recv <line as received, stamp included, without its "\n">
//   C<id> send <one line of output, "\n" included, before Chronel encoding>
//   C<id> note <what happened: connect, close, login, Chronel mode, ...>
//
// Bytes outside 0x20..0x7E and the backslash are written as \xHH. Every record
// reaches the file at once, so a test may read it while the server runs.
// Without a file every call does nothing.
class Transcript {
  public:
    Transcript() = default;
    ~Transcript();
    Transcript(const Transcript&) = delete;
    Transcript& operator=(const Transcript&) = delete;

    // Creates (truncates) the file; false when it cannot be opened.
    bool Open(const std::string& path);
    bool IsOpen() const { return m_file != nullptr; }

    void Received(int client, std::string_view line);
    // Output is split after each "\n" into records.
    void Sent(int client, std::string_view bytes);
    void Note(int client, std::string_view text);

    static std::string Escape(std::string_view bytes);

  private:
    void Write(int client, std::string_view direction, std::string_view bytes);

    std::FILE* m_file = nullptr;
};
