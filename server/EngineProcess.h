// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>
#include <vector>

// A chess engine that speaks UCI, run as a child process with a pipe each way.
// Its output pipe is non-blocking so that the server's poll loop can watch it
// next to the sockets; the child is killed and reaped when this object goes,
// so no engine outlives the server.
class EngineProcess {
  public:
    EngineProcess() = default;
    ~EngineProcess();
    EngineProcess(const EngineProcess&) = delete;
    EngineProcess& operator=(const EngineProcess&) = delete;

    // Starts the program at `path`; false when it cannot be started.
    bool Start(const std::string& path);
    // One command line; false when the engine is gone.
    bool Send(std::string_view line);
    // The complete lines the engine has written since the last call.
    std::vector<std::string> ReadLines();
    // The descriptor to poll for output, -1 when not running.
    int Fd() const { return m_out; }
    bool Running() const { return m_pid > 0; }
    void Stop();

    // The first of the given program names found on PATH or in /usr/games.
    static std::string Find(const std::vector<std::string>& names);
    // The path if it names an executable file, else empty.
    static std::string Usable(const std::string& path);

  private:
    pid_t m_pid = -1;
    int m_in = -1;   // the engine's standard input
    int m_out = -1;  // its standard output
    std::string m_partial;
};
