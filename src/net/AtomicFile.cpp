// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "net/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {

std::atomic<unsigned> g_tempSerial{0};

bool WriteFully(int fd, std::string_view data) {
    while (!data.empty()) {
        ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// The file a write must replace: the target of a link, so that a settings
// file kept elsewhere and linked in stays where the user put it.
std::string ResolveTarget(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_symlink(path, ec)) return path;
    std::filesystem::path target = std::filesystem::read_symlink(path, ec);
    if (ec) return path;
    if (target.is_relative()) target = std::filesystem::path(path).parent_path() / target;
    return target.string();
}

}  // namespace

std::optional<std::string> AtomicFile::ReadAll(const std::string& path, bool* missing) {
    if (missing) *missing = false;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (missing) *missing = (errno == ENOENT || errno == ENOTDIR);
        return std::nullopt;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    std::string contents;
    char buffer[8192];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        contents.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return contents;
}

bool AtomicFile::Replace(const std::string& path, std::string_view contents, Access access) {
    const std::string target = ResolveTarget(path);
    const std::string temp = target + ".tmp" + std::to_string(::getpid()) + "." +
                             std::to_string(g_tempSerial.fetch_add(1));
    // A private file is private from its first byte: the temporary file is
    // never readable by others, not even for the moment before the rename.
    const mode_t mode = access == Access::UserOnly ? 0600 : 0666;
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0) return false;
    bool ok = WriteFully(fd, contents);
    struct stat old {};
    if (ok && access == Access::UserOnly) {
        ok = ::fchmod(fd, 0600) == 0;
    } else if (ok && ::stat(target.c_str(), &old) == 0) {
        ok = ::fchmod(fd, old.st_mode & 07777) == 0;
    }
    if (::close(fd) != 0) ok = false;
    if (ok && ::rename(temp.c_str(), target.c_str()) != 0) ok = false;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}
