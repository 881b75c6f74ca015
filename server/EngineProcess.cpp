// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "EngineProcess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>

namespace {

constexpr size_t kMaxPartial = 1 << 16;

bool Executable(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

}  // namespace

EngineProcess::~EngineProcess() {
    Stop();
}

std::string EngineProcess::Find(const std::vector<std::string>& names) {
    std::string path = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
    // Debian installs engines in /usr/games, which a service's PATH may lack.
    path += ":/usr/games";
    for (const std::string& name : names) {
        size_t start = 0;
        while (start <= path.size()) {
            const size_t end = std::min(path.find(':', start), path.size());
            const std::string dir = path.substr(start, end - start);
            if (!dir.empty() && Executable(dir + "/" + name)) return dir + "/" + name;
            start = end + 1;
        }
    }
    return {};
}

std::string EngineProcess::Usable(const std::string& path) {
    return Executable(path) ? path : std::string();
}

bool EngineProcess::Start(const std::string& path) {
    Stop();
    int toChild[2];
    int fromChild[2];
    if (::pipe2(toChild, O_CLOEXEC) != 0) return false;
    if (::pipe2(fromChild, O_CLOEXEC) != 0) {
        ::close(toChild[0]);
        ::close(toChild[1]);
        return false;
    }
    // A write to an engine that died must fail with EPIPE, not end the server.
    std::signal(SIGPIPE, SIG_IGN);
    const pid_t pid = ::fork();
    if (pid < 0) {
        for (int fd : {toChild[0], toChild[1], fromChild[0], fromChild[1]}) ::close(fd);
        return false;
    }
    if (pid == 0) {
        ::dup2(toChild[0], STDIN_FILENO);
        ::dup2(fromChild[1], STDOUT_FILENO);
        const int null = ::open("/dev/null", O_WRONLY);
        if (null >= 0) ::dup2(null, STDERR_FILENO);
        ::execl(path.c_str(), path.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(toChild[0]);
    ::close(fromChild[1]);
    m_pid = pid;
    m_in = toChild[1];
    m_out = fromChild[0];
    ::fcntl(m_out, F_SETFL, ::fcntl(m_out, F_GETFL) | O_NONBLOCK);
    return true;
}

bool EngineProcess::Send(std::string_view line) {
    if (m_in < 0) return false;
    std::string text(line);
    text += '\n';
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(m_in, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

std::vector<std::string> EngineProcess::ReadLines() {
    std::vector<std::string> lines;
    if (m_out < 0) return lines;
    char buffer[4096];
    bool ended = false;
    while (true) {
        const ssize_t n = ::read(m_out, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        // An engine that closed its output is gone; a closed pipe would keep
        // waking the poll loop.
        ended = n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK);
        if (n <= 0) break;
        m_partial.append(buffer, static_cast<size_t>(n));
    }
    size_t start = 0;
    for (size_t end = m_partial.find('\n'); end != std::string::npos;
         end = m_partial.find('\n', start)) {
        std::string line = m_partial.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    m_partial.erase(0, start);
    if (m_partial.size() > kMaxPartial) m_partial.clear();
    if (ended) Stop();
    return lines;
}

void EngineProcess::Stop() {
    if (m_in >= 0) ::close(m_in);
    if (m_out >= 0) ::close(m_out);
    m_in = m_out = -1;
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        while (::waitpid(m_pid, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    m_pid = -1;
    m_partial.clear();
}
