// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// The plug-in pipe between two mappings of one ring: wrap-around, the byte
// that always stays free, whole-or-nothing writes, the wake-up FIFO, and a
// partner that died while holding the lock.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pthread.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "net/IpcPipe.h"

namespace {

std::string TestPrefix() {
    return "KordaneTest-" + std::to_string(getpid());
}

bool Readable(int fd) {
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, 0) == 1;
}

struct Step {
    char op;  // 'w' write `length` bytes, 'r' read at most `length` bytes
    int length;
    int expect;  // bytes read, or 1/0 for a write that succeeds/fails
    uint32_t error;
    int freeAfter;
};

TEST(IpcPipe, RingWrapsAndKeepsOneByteFree) {
    constexpr int kCap = 16;
    const Step steps[] = {
        {'w', 10, 1, 0, 5},
        {'r', 7, 7, 0, 12},
        {'w', 12, 1, 0, 0},  // wraps: 6 bytes at the end, 6 at the start
        {'w', 1, 0, CIpcPipe::kNoSpace, 0},
        {'r', -1, 15, 0, 15},  // reads across the end
        {'r', -1, 0, 0, 15},
        {'w', kCap, 0, CIpcPipe::kTooLong, 15},
        {'w', 15, 1, 0, 0},
        {'r', 4, 4, 0, 4},
        {'w', 5, 0, CIpcPipe::kNoSpace, 4},
        {'w', 4, 1, 0, 0},
        {'r', 100, 15, 0, 15},
    };
    CIpcPipe client;
    CIpcPipe plugin;
    ASSERT_TRUE(client.Create(TestPrefix(), 3, kCap, 4242));
    ASSERT_TRUE(plugin.Open(TestPrefix(), 3));
    EXPECT_EQ(plugin.Capacity(), kCap);
    EXPECT_EQ(plugin.Notify(), 4242u);

    std::string sent;  // what is in the ring, oldest first
    unsigned char next = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE(std::string(1, s.op) + std::to_string(s.length));
        if (s.op == 'w') {
            std::string bytes;
            for (int i = 0; i < s.length; ++i) bytes += static_cast<char>(next + i);
            plugin.DrainWakeups();
            const bool ok = client.Write(bytes.data(), s.length);
            ASSERT_EQ(ok, s.expect == 1);
            EXPECT_EQ(client.LastError(), s.error);
            // The reading side is woken exactly when something went in.
            EXPECT_EQ(Readable(plugin.WakeupFd()), ok);
            if (ok) {
                sent += bytes;
                next = static_cast<unsigned char>(next + s.length);
            }
        } else {
            char buffer[64] = {};
            const int n = plugin.Read(buffer, s.length);
            ASSERT_EQ(n, s.expect);
            EXPECT_EQ(std::string(buffer, static_cast<size_t>(n)), sent.substr(0, n));
            sent.erase(0, static_cast<size_t>(n));
        }
        EXPECT_EQ(kCap - 1 - client.Available(), s.freeAfter);
    }
}

TEST(IpcPipe, CreatorRemovesTheNamesAndNothingStale) {
    const std::string prefix = TestPrefix();
    {
        CIpcPipe stale;
        ASSERT_TRUE(stale.Create(prefix, 8, 32, 1));
        ASSERT_TRUE(stale.Write("abc", -1));
        CIpcPipe fresh;  // a new run under the same names starts empty
        ASSERT_TRUE(fresh.Create(prefix, 8, 32, 1));
        EXPECT_EQ(fresh.Available(), 0);
    }
    CIpcPipe late;
    EXPECT_FALSE(late.Open(prefix, 8));
    EXPECT_EQ(shm_open(CIpcPipe::MappingName(prefix, 8).c_str(), O_RDWR, 0), -1);
    EXPECT_EQ(access(CIpcPipe::WakeupPath(prefix, 8).c_str(), F_OK), -1);
}

TEST(IpcPipe, PartnerThatDiedHoldingTheLockDoesNotBlock) {
    CIpcPipe client;
    ASSERT_TRUE(client.Create(TestPrefix(), 5, 64, 1));
    const pid_t child = fork();
    if (child == 0) {
        const int fd = shm_open(CIpcPipe::MutexName(TestPrefix(), 5).c_str(), O_RDWR, 0);
        void* view =
            mmap(nullptr, sizeof(pthread_mutex_t), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
        pthread_mutex_lock(static_cast<pthread_mutex_t*>(view));
        _exit(0);  // dies holding it
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(client.Write("after", -1));
    char buffer[16];
    EXPECT_EQ(client.Read(buffer, -1), 5);
    EXPECT_TRUE(client.Write("again", -1)) << std::hex << client.LastError();
}

}  // namespace
