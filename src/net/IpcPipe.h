// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <cstdint>
#include <string>

// One direction of the byte channel between the client and a plug-in: a ring
// buffer in POSIX shared memory, guarded by a process-shared mutex in a
// shared-memory object of its own, with a named FIFO beside it that wakes
// the reading side. The client creates both pipes of a plug-in; the plug-in
// (or a test standing in for it) opens them by prefix and number.
//
// The mapping is a 12-byte header (notify, read index, write index; 32-bit
// little-endian) followed by the ring. Equal indexes mean empty, and one byte
// always stays unused so that a full ring never looks empty. The notify
// field holds the process id of the side that reads the pipe.
//
// Nothing in the shared header is trusted: the capacity is our own, and an
// index out of range (a broken or hostile partner) empties the ring instead
// of steering a copy outside it.
class CIpcPipe {
  public:
    static constexpr int kCapacity = 10228;
    static constexpr int kHeaderSize = 12;

    // Error codes of the last failed call (`LastError`).
    enum Error : uint32_t {
        kNoError = 0,
        kTimeout = 0x20000000,    // the mutex stayed taken past kLockTimeoutMs
        kAbandoned = 0x20000001,  // the mutex cannot be made consistent again
        kNoSpace = 0x20000002,    // the record does not fit into the free space
        kTooLong = 0x20000003,    // the record is not shorter than the ring
        kSystem = 0x20000004,     // creating or opening an object failed
    };
    // A holder that hangs (a stopped plug-in) must not freeze the client's
    // event loop; a holder that died is handled by the robust mutex.
    static constexpr int kLockTimeoutMs = 5000;

    CIpcPipe() = default;
    ~CIpcPipe();
    CIpcPipe(const CIpcPipe&) = delete;
    CIpcPipe& operator=(const CIpcPipe&) = delete;

    // Makes the mutex, the mapping and the FIFO of pipe `number`, zeroes both
    // indexes and stores `notifyPid`. Objects left over under the same names
    // are replaced. The creator unlinks the names again when the pipe goes.
    bool Create(const std::string& prefix, int number, int capacity, uint32_t notifyPid);
    // Attaches to a pipe made by Create (the partner's side).
    bool Open(const std::string& prefix, int number);
    void Close();
    bool IsOpen() const { return m_view != nullptr; }

    // `length` < 0: a NUL-terminated string (without its NUL). The whole
    // record goes in or nothing does.
    bool Write(const void* bytes, int length);
    // Up to `maximum` bytes (all there are for -1); 0 when empty, -1 when
    // the mutex could not be had.
    int Read(void* buffer, int maximum);
    // Bytes waiting in the ring.
    int Available();

    uint32_t Notify();
    void SetNotify(uint32_t pid);

    // The FIFO end to watch for "data ready" (readable after a Write of the
    // partner); DrainWakeups empties it before the ring is read.
    int WakeupFd() const { return m_fifo; }
    void DrainWakeups();

    int Number() const { return m_number; }
    int Capacity() const { return m_capacity; }
    uint32_t LastError() const { return m_error; }

    // "/<prefix>.IPCMutex<n>", "/<prefix>.IPCFileMapping<n>" and the FIFO's
    // path in $XDG_RUNTIME_DIR (or /tmp).
    static std::string MutexName(const std::string& prefix, int number);
    static std::string MappingName(const std::string& prefix, int number);
    static std::string WakeupPath(const std::string& prefix, int number);

    // Ring arithmetic; indexes in 0..capacity-1.
    static int Used(uint32_t read, uint32_t write, int capacity);
    static int Free(uint32_t read, uint32_t write, int capacity);

  private:
    struct Header;
    bool Lock();
    void Unlock();
    Header* GetHeader() const;
    bool IndexesInRing(Header& header) const;
    unsigned char* Ring() const { return m_view + kHeaderSize; }
    bool Map(int mappingFd, int mutexFd);
    void Wake();

    unsigned char* m_view = nullptr;
    void* m_mutexView = nullptr;
    int m_fifo = -1;
    int m_number = -1;
    int m_capacity = 0;
    bool m_even = false;
    bool m_owner = false;
    uint32_t m_error = kNoError;
    std::string m_prefix;
};
