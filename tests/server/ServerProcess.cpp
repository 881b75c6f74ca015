// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "ServerProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

pid_t Spawn(const std::vector<std::string>& args, int outFd, int errFd, int fileLimit = 0) {
    const pid_t pid = fork();
    if (pid != 0) return pid;
    if (fileLimit > 0) {
        const rlimit limit{static_cast<rlim_t>(fileLimit), static_cast<rlim_t>(fileLimit)};
        setrlimit(RLIMIT_NOFILE, &limit);
    }
    if (outFd >= 0) dup2(outFd, STDOUT_FILENO);
    if (errFd >= 0) dup2(errFd, STDERR_FILENO);
    std::vector<char*> argv;
    std::string program = VCX_SERVER_PATH;
    argv.push_back(program.data());
    std::vector<std::string> copies = args;
    for (std::string& arg : copies) argv.push_back(arg.data());
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
}

// Reads from `fd` until EOF or `stopAt` appears or the time runs out.
std::string ReadPipe(int fd, std::chrono::milliseconds limit, char stopAt) {
    std::string text;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (text.find(stopAt) == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        pollfd pfd{fd, POLLIN, 0};
        if (poll(&pfd, 1, static_cast<int>(left.count())) <= 0) break;
        char buffer[512];
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0) break;
        text.append(buffer, static_cast<size_t>(n));
    }
    return text;
}

}  // namespace

ServerProcess::~ServerProcess() {
    Stop();
}

bool ServerProcess::Start(const std::vector<std::string>& args, std::string& error) {
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0) {
        error = "pipe failed";
        return false;
    }
    // The computer player would make every run depend on an engine.
    std::vector<std::string> all = {"--port", "0", "--no-computer"};
    all.insert(all.end(), args.begin(), args.end());
    m_pid = Spawn(all, out[1], -1, m_fileLimit);
    close(out[1]);
    const std::string text = ReadPipe(out[0], std::chrono::seconds(10), '\n');
    close(out[0]);
    const std::string prefix = "listening on 127.0.0.1:";
    if (text.rfind(prefix, 0) != 0 || text.back() != '\n') {
        error = "server did not announce its port; it printed \"" + text + "\"";
        return false;
    }
    m_port = std::atoi(text.c_str() + prefix.size());
    return m_port > 0;
}

long ServerProcess::CpuMs() const {
    std::ifstream in("/proc/" + std::to_string(m_pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // Fields after the command name, which is in brackets and may hold spaces.
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    long ticks = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14 || i == 15) ticks += std::atol(field.c_str());  // utime, stime
    }
    return ticks * 1000 / sysconf(_SC_CLK_TCK);
}

int ServerProcess::Stop() {
    if (m_pid <= 0) return -1;
    kill(m_pid, SIGTERM);
    int status = 0;
    waitpid(m_pid, &status, 0);
    m_pid = -1;
    return status;
}

int ServerProcess::RunToExit(const std::vector<std::string>& args, std::string& stderrText) {
    int err[2];
    if (pipe2(err, O_CLOEXEC) != 0) return -1;
    const pid_t pid = Spawn(args, -1, err[1]);
    close(err[1]);
    stderrText = ReadPipe(err[0], std::chrono::seconds(10), '\0');
    close(err[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
