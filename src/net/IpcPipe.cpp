// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "net/IpcPipe.h"

#include <fcntl.h>
#include <pthread.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>

struct CIpcPipe::Header {
    uint32_t notify;
    uint32_t read;
    uint32_t write;
};
static_assert(sizeof(uint32_t) * 3 == CIpcPipe::kHeaderSize);

namespace {

std::string RuntimeDir() {
    const char* dir = std::getenv("XDG_RUNTIME_DIR");
    return dir && *dir ? dir : "/tmp";
}

}  // namespace

CIpcPipe::~CIpcPipe() {
    Close();
}

std::string CIpcPipe::MutexName(const std::string& prefix, int number) {
    return "/" + prefix + ".IPCMutex" + std::to_string(number);
}

std::string CIpcPipe::MappingName(const std::string& prefix, int number) {
    return "/" + prefix + ".IPCFileMapping" + std::to_string(number);
}

std::string CIpcPipe::WakeupPath(const std::string& prefix, int number) {
    return RuntimeDir() + "/" + prefix + ".IPCDataReady" + std::to_string(number);
}

int CIpcPipe::Used(uint32_t read, uint32_t write, int capacity) {
    const int64_t cap = capacity;
    return static_cast<int>(((static_cast<int64_t>(write) - read) % cap + cap) % cap);
}

int CIpcPipe::Free(uint32_t read, uint32_t write, int capacity) {
    const int64_t cap = capacity;
    return static_cast<int>(((static_cast<int64_t>(read) - write - 1) % cap + cap) % cap);
}

CIpcPipe::Header* CIpcPipe::GetHeader() const {
    return reinterpret_cast<Header*>(m_view);
}

bool CIpcPipe::Map(int mappingFd, int mutexFd) {
    void* view = mmap(nullptr, static_cast<size_t>(m_capacity) + kHeaderSize,
                      PROT_READ | PROT_WRITE, MAP_SHARED, mappingFd, 0);
    void* mutexView =
        mmap(nullptr, sizeof(pthread_mutex_t), PROT_READ | PROT_WRITE, MAP_SHARED, mutexFd, 0);
    if (view == MAP_FAILED || mutexView == MAP_FAILED) {
        if (view != MAP_FAILED) munmap(view, static_cast<size_t>(m_capacity) + kHeaderSize);
        if (mutexView != MAP_FAILED) munmap(mutexView, sizeof(pthread_mutex_t));
        return false;
    }
    m_view = static_cast<unsigned char*>(view);
    m_mutexView = mutexView;
    return true;
}

bool CIpcPipe::Create(const std::string& prefix, int number, int capacity, uint32_t notifyPid) {
    Close();
    m_error = kSystem;
    if (capacity < 2 || number < 0) return false;
    m_prefix = prefix;
    m_number = number;
    m_capacity = capacity;
    m_even = number % 2 == 0;
    const std::string mutexName = MutexName(prefix, number);
    const std::string mappingName = MappingName(prefix, number);
    const std::string fifoPath = WakeupPath(prefix, number);
    // Objects of an earlier run with the same names would carry its indexes.
    shm_unlink(mutexName.c_str());
    shm_unlink(mappingName.c_str());
    unlink(fifoPath.c_str());
    const int mutexFd = shm_open(mutexName.c_str(), O_CREAT | O_EXCL | O_RDWR, 0600);
    const int mappingFd = shm_open(mappingName.c_str(), O_CREAT | O_EXCL | O_RDWR, 0600);
    bool ok = mutexFd >= 0 && mappingFd >= 0 && ftruncate(mutexFd, sizeof(pthread_mutex_t)) == 0 &&
              ftruncate(mappingFd, static_cast<off_t>(capacity) + kHeaderSize) == 0 &&
              Map(mappingFd, mutexFd);
    if (mutexFd >= 0) close(mutexFd);
    if (mappingFd >= 0) close(mappingFd);
    m_owner = true;
    if (ok) {
        pthread_mutexattr_t attr;
        pthread_mutexattr_init(&attr);
        pthread_mutexattr_setpshared(&attr, PTHREAD_PROCESS_SHARED);
        pthread_mutexattr_setrobust(&attr, PTHREAD_MUTEX_ROBUST);
        ok = pthread_mutex_init(static_cast<pthread_mutex_t*>(m_mutexView), &attr) == 0;
        pthread_mutexattr_destroy(&attr);
    }
    // Read-write on our side too: the FIFO then always has a writer and a
    // reader, so a wake-up written before the partner opened it waits there
    // and the reader never sees end-of-file.
    ok = ok && mkfifo(fifoPath.c_str(), 0600) == 0;
    if (ok) m_fifo = open(fifoPath.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (!ok || m_fifo < 0) {
        Close();
        m_error = kSystem;
        return false;
    }
    Header* header = GetHeader();
    header->notify = notifyPid;
    header->read = 0;
    header->write = 0;
    m_error = kNoError;
    return true;
}

bool CIpcPipe::Open(const std::string& prefix, int number) {
    Close();
    m_error = kSystem;
    const int mutexFd = shm_open(MutexName(prefix, number).c_str(), O_RDWR, 0);
    const int mappingFd = shm_open(MappingName(prefix, number).c_str(), O_RDWR, 0);
    struct stat info {};
    bool ok = mutexFd >= 0 && mappingFd >= 0 && fstat(mappingFd, &info) == 0 &&
              info.st_size > kHeaderSize + 1 && info.st_size < (1 << 24);
    if (ok) {
        m_prefix = prefix;
        m_number = number;
        m_capacity = static_cast<int>(info.st_size) - kHeaderSize;
        m_even = number % 2 == 0;
        ok = Map(mappingFd, mutexFd);
    }
    if (mutexFd >= 0) close(mutexFd);
    if (mappingFd >= 0) close(mappingFd);
    if (ok) m_fifo = open(WakeupPath(prefix, number).c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (!ok || m_fifo < 0) {
        Close();
        m_error = kSystem;
        return false;
    }
    m_error = kNoError;
    return true;
}

void CIpcPipe::Close() {
    if (m_view) munmap(m_view, static_cast<size_t>(m_capacity) + kHeaderSize);
    if (m_mutexView) munmap(m_mutexView, sizeof(pthread_mutex_t));
    if (m_fifo >= 0) close(m_fifo);
    if (m_owner) {
        shm_unlink(MutexName(m_prefix, m_number).c_str());
        shm_unlink(MappingName(m_prefix, m_number).c_str());
        unlink(WakeupPath(m_prefix, m_number).c_str());
    }
    m_view = nullptr;
    m_mutexView = nullptr;
    m_fifo = -1;
    m_owner = false;
}

bool CIpcPipe::Lock() {
    auto* mutex = static_cast<pthread_mutex_t*>(m_mutexView);
    timespec deadline{};
    clock_gettime(CLOCK_REALTIME, &deadline);
    deadline.tv_sec += kLockTimeoutMs / 1000;
    deadline.tv_nsec += static_cast<long>(kLockTimeoutMs % 1000) * 1000000L;
    if (deadline.tv_nsec >= 1000000000L) {
        deadline.tv_sec += 1;
        deadline.tv_nsec -= 1000000000L;
    }
    const int result = pthread_mutex_timedlock(mutex, &deadline);
    if (result == 0) return true;
    if (result == EOWNERDEAD) {
        // The holder died. Indexes are stored only after a copy is complete,
        // so what the ring says is whole; carry on with it.
        if (pthread_mutex_consistent(mutex) == 0) return true;
        pthread_mutex_unlock(mutex);
        m_error = kAbandoned;
        return false;
    }
    m_error = result == ETIMEDOUT ? kTimeout : kAbandoned;
    return false;
}

void CIpcPipe::Unlock() {
    pthread_mutex_unlock(static_cast<pthread_mutex_t*>(m_mutexView));
}

bool CIpcPipe::Write(const void* bytes, int length) {
    if (length < 0) length = static_cast<int>(std::strlen(static_cast<const char*>(bytes)));
    if (length == 0) return true;
    if (!m_view) {
        m_error = kSystem;
        return false;
    }
    if (length >= m_capacity) {
        m_error = kTooLong;
        return false;
    }
    if (!Lock()) return false;
    Header* header = GetHeader();
    if (!IndexesInRing(*header)) {
        Unlock();
        m_error = kNoSpace;
        return false;
    }
    const uint32_t read = header->read;
    const uint32_t write = header->write;
    const auto cap = static_cast<uint32_t>(m_capacity);
    if (Free(read, write, m_capacity) < length) {
        Unlock();
        m_error = kNoSpace;
        return false;
    }
    const auto* from = static_cast<const unsigned char*>(bytes);
    const int first = std::min(length, m_capacity - static_cast<int>(write));
    std::memcpy(Ring() + write, from, static_cast<size_t>(first));
    std::memcpy(Ring(), from + first, static_cast<size_t>(length - first));
    header->write = (write + static_cast<uint32_t>(length)) % cap;
    Unlock();
    Wake();
    m_error = kNoError;
    return true;
}

bool CIpcPipe::IndexesInRing(Header& header) const {
    // The partner process writes the indexes; one outside the ring would
    // steer a copy outside it, so the ring is emptied instead.
    const auto cap = static_cast<uint32_t>(m_capacity);
    if (header.read < cap && header.write < cap) return true;
    header.read = header.write = 0;
    return false;
}

int CIpcPipe::Read(void* buffer, int maximum) {
    if (!m_view) {
        m_error = kSystem;
        return -1;
    }
    if (!Lock()) return -1;
    Header* header = GetHeader();
    if (!IndexesInRing(*header)) {
        Unlock();
        return 0;
    }
    const uint32_t read = header->read;
    const uint32_t write = header->write;
    const auto cap = static_cast<uint32_t>(m_capacity);
    int count = Used(read, write, m_capacity);
    if (maximum >= 0) count = std::min(count, maximum);
    auto* to = static_cast<unsigned char*>(buffer);
    const int first = std::min(count, m_capacity - static_cast<int>(read));
    std::memcpy(to, Ring() + read, static_cast<size_t>(first));
    std::memcpy(to + first, Ring(), static_cast<size_t>(count - first));
    header->read = (read + static_cast<uint32_t>(count)) % cap;
    Unlock();
    m_error = kNoError;
    return count;
}

int CIpcPipe::Available() {
    if (!m_view || !Lock()) return 0;
    const Header* header = GetHeader();
    const auto cap = static_cast<uint32_t>(m_capacity);
    const int used = header->read < cap && header->write < cap
                         ? Used(header->read, header->write, m_capacity)
                         : 0;
    Unlock();
    return used;
}

uint32_t CIpcPipe::Notify() {
    if (!m_view || !Lock()) return 0;
    const uint32_t pid = GetHeader()->notify;
    Unlock();
    return pid;
}

void CIpcPipe::SetNotify(uint32_t pid) {
    if (!m_view || !Lock()) return;
    GetHeader()->notify = pid;
    Unlock();
}

void CIpcPipe::Wake() {
    // A full FIFO already says "data ready"; the reader empties the whole
    // ring on any wake-up, so a lost byte loses nothing.
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(m_fifo, &byte, 1);
}

void CIpcPipe::DrainWakeups() {
    if (m_fifo < 0) return;
    char bytes[256];
    while (::read(m_fifo, bytes, sizeof bytes) > 0) {
    }
}
