// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// The built vcx-server run as a child process for one test: started on
// "--port 0", ready once it has printed its "listening on" line, stopped with
// SIGTERM when the test ends. RawClient connects to Port().
class ServerProcess {
  public:
    ServerProcess() = default;
    ~ServerProcess();
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    // Starts the server with "--port 0" and `args`; false (with the reason in
    // `error`) when it did not announce a port within a few seconds.
    bool Start(const std::vector<std::string>& args, std::string& error);
    // The server's limit of open files (RLIMIT_NOFILE), set before Start.
    void SetFileLimit(int limit) { m_fileLimit = limit; }
    int Port() const { return m_port; }
    // CPU time the server has used so far, in milliseconds (from /proc).
    long CpuMs() const;
    // SIGTERM and wait; the exit status as waitpid reports it, -1 if none.
    int Stop();

    // Runs the server to completion with exactly `args` (no port added), for
    // command-line errors: exit code, and what it wrote to stderr.
    static int RunToExit(const std::vector<std::string>& args, std::string& stderrText);

  private:
    pid_t m_pid = -1;
    int m_fileLimit = 0;
    int m_port = 0;
};
