/* SPDX-License-Identifier: GPL-3.0-or-later */
/* SPDX-FileCopyrightText: 2026 The Kordane developers */
#ifndef KORDANE_PLUGIN_H
#define KORDANE_PLUGIN_H

/*
 * Talking to Kordane from a plug-in program, in plain C (POSIX, link with
 * -pthread). The client starts the plug-in with three environment variables
 * that name its two pipes; kp_connect() opens them. The plug-in then names
 * itself (KP_NAME) and declares its number (KP_DECLARE); the client does not
 * connect to the server before every plug-in has done both.
 *
 * A pipe is a ring buffer in POSIX shared memory:
 *   offset 0: notify (uint32, process id of the reading side)
 *   offset 4: read index (uint32)
 *   offset 8: write index (uint32)
 *   offset 12: the ring (capacity bytes; one byte always stays unused)
 * guarded by a process-shared robust mutex in a shared-memory object of its
 * own. After each record the writer writes one byte into the pipe's FIFO;
 * the reader waits on that FIFO with poll() and then empties the ring.
 * See docs/plugins.md.
 */

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

/* Record types. */
enum {
    KP_NAME = 1,             /* text: the plug-in's name (at most 20 characters are kept) */
    KP_COMMAND = 2,          /* text: a line for the server, ending in "\n" */
    KP_CONSOLE_TEXT = 3,     /* text: shown in the main console */
    KP_DECLARE = 4,          /* number: the plug-in's declared number */
    KP_SUBSCRIBE_LEVEL1 = 5, /* number: a level-1 command number */
    KP_SUBSCRIBE_DATAGRAM = 6,
    KP_UNSUBSCRIBE_LEVEL1 = 7,
    KP_UNSUBSCRIBE_DATAGRAM = 8,
    KP_INTERFACE = 1000,      /* from the client, text: its interface name */
    KP_SERVER_MESSAGE = 1001, /* from the client: a forwarded server message */
    KP_CLOSING = 1003         /* from the client: the connection is going away */
};

#define KP_HEADER_SIZE 12
#define KP_MAX_STRINGS 64

struct kp_pipe {
    unsigned char* view;
    pthread_mutex_t* mutex;
    int fifo;
    int capacity;
};

struct kp_connection {
    struct kp_pipe to_client;   /* we write */
    struct kp_pipe from_client; /* we read */
};

/* A forwarded server message (record KP_SERVER_MESSAGE). */
struct kp_message {
    int kind; /* 1 level-1 block, 2 datagram */
    int number;
    int star; /* 1 when the block's header word is "*" */
    int tag;
    int count;
    const char* strings[KP_MAX_STRINGS]; /* a block's text, or a datagram's fields 1.. */
};

static inline uint32_t* kp_field(const struct kp_pipe* p, int index) {
    return (uint32_t*)(void*)(p->view + 4 * index);
}

static inline int kp_lock(struct kp_pipe* p) {
    struct timespec deadline;
    int result;
    clock_gettime(CLOCK_REALTIME, &deadline);
    deadline.tv_sec += 5;
    result = pthread_mutex_timedlock(p->mutex, &deadline);
    if (result == EOWNERDEAD) {
        /* The other side died holding it; indexes are stored last, so the ring is whole. */
        result = pthread_mutex_consistent(p->mutex);
        if (result != 0) pthread_mutex_unlock(p->mutex);
    }
    return result == 0;
}

static inline void kp_pipe_close(struct kp_pipe* p) {
    if (p->view) munmap(p->view, (size_t)p->capacity + KP_HEADER_SIZE);
    if (p->mutex) munmap(p->mutex, sizeof(pthread_mutex_t));
    if (p->fifo >= 0) close(p->fifo);
    p->view = NULL;
    p->mutex = NULL;
    p->fifo = -1;
}

/* Opens pipe `number` of `prefix`; 0 on success. */
static inline int kp_pipe_open(struct kp_pipe* p, const char* prefix, int number) {
    char name[256];
    struct stat info;
    int mutex_fd, mapping_fd;
    const char* dir = getenv("XDG_RUNTIME_DIR");
    void *view = MAP_FAILED, *mutex = MAP_FAILED;
    p->view = NULL;
    p->mutex = NULL;
    p->fifo = -1;
    snprintf(name, sizeof name, "/%s.IPCMutex%d", prefix, number);
    mutex_fd = shm_open(name, O_RDWR, 0);
    snprintf(name, sizeof name, "/%s.IPCFileMapping%d", prefix, number);
    mapping_fd = shm_open(name, O_RDWR, 0);
    if (mutex_fd >= 0 && mapping_fd >= 0 && fstat(mapping_fd, &info) == 0 &&
        info.st_size > KP_HEADER_SIZE + 1) {
        p->capacity = (int)info.st_size - KP_HEADER_SIZE;
        view = mmap(NULL, (size_t)info.st_size, PROT_READ | PROT_WRITE, MAP_SHARED, mapping_fd, 0);
        mutex =
            mmap(NULL, sizeof(pthread_mutex_t), PROT_READ | PROT_WRITE, MAP_SHARED, mutex_fd, 0);
    }
    if (mutex_fd >= 0) close(mutex_fd);
    if (mapping_fd >= 0) close(mapping_fd);
    if (view != MAP_FAILED) p->view = (unsigned char*)view;
    if (mutex != MAP_FAILED) p->mutex = (pthread_mutex_t*)mutex;
    snprintf(name, sizeof name, "%s/%s.IPCDataReady%d", dir && *dir ? dir : "/tmp", prefix, number);
    if (p->view && p->mutex) p->fifo = open(name, O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (p->fifo < 0) {
        kp_pipe_close(p);
        return -1;
    }
    return 0;
}

/* Writes all of `bytes` or nothing; 0 on success. */
static inline int kp_pipe_write(struct kp_pipe* p, const void* bytes, int length) {
    uint32_t r, w, cap = (uint32_t)p->capacity;
    int free_bytes, first;
    const char wake = 1;
    if (length <= 0) return 0;
    if (length >= p->capacity || !kp_lock(p)) return -1;
    r = *kp_field(p, 1);
    w = *kp_field(p, 2);
    free_bytes = r < cap && w < cap ? (int)((r + cap - w - 1) % cap) : -1;
    if (free_bytes < length) {
        pthread_mutex_unlock(p->mutex);
        return -1;
    }
    first = length < (int)(cap - w) ? length : (int)(cap - w);
    memcpy(p->view + KP_HEADER_SIZE + w, bytes, (size_t)first);
    memcpy(p->view + KP_HEADER_SIZE, (const char*)bytes + first, (size_t)(length - first));
    *kp_field(p, 2) = (w + (uint32_t)length) % cap;
    pthread_mutex_unlock(p->mutex);
    if (write(p->fifo, &wake, 1) < 0) {
        /* A full FIFO already wakes the reader. */
    }
    return 0;
}

/* Takes up to `maximum` bytes out of the ring; -1 when the lock failed. */
static inline int kp_pipe_read(struct kp_pipe* p, void* buffer, int maximum) {
    uint32_t r, w, cap = (uint32_t)p->capacity;
    int count, first;
    if (!kp_lock(p)) return -1;
    r = *kp_field(p, 1);
    w = *kp_field(p, 2);
    if (r >= cap || w >= cap) {
        *kp_field(p, 1) = *kp_field(p, 2) = 0;
        pthread_mutex_unlock(p->mutex);
        return 0;
    }
    count = (int)((w + cap - r) % cap);
    if (count > maximum) count = maximum;
    first = count < (int)(cap - r) ? count : (int)(cap - r);
    memcpy(buffer, p->view + KP_HEADER_SIZE + r, (size_t)first);
    memcpy((char*)buffer + first, p->view + KP_HEADER_SIZE, (size_t)(count - first));
    *kp_field(p, 1) = (r + (uint32_t)count) % cap;
    pthread_mutex_unlock(p->mutex);
    return count;
}

/* Opens both pipes named in the environment; 0 on success. */
static inline int kp_connect(struct kp_connection* c) {
    const char* prefix = getenv("KORDANE_PLUGIN_PREFIX");
    const char* to = getenv("KORDANE_PLUGIN_TO_CLIENT");
    const char* from = getenv("KORDANE_PLUGIN_FROM_CLIENT");
    if (!prefix || !to || !from) return -1;
    if (kp_pipe_open(&c->to_client, prefix, atoi(to)) != 0) return -1;
    if (kp_pipe_open(&c->from_client, prefix, atoi(from)) != 0) {
        kp_pipe_close(&c->to_client);
        return -1;
    }
    if (kp_lock(&c->from_client)) {
        *kp_field(&c->from_client, 0) = (uint32_t)getpid();
        pthread_mutex_unlock(c->from_client.mutex);
    }
    return 0;
}

static inline void kp_disconnect(struct kp_connection* c) {
    kp_pipe_close(&c->to_client);
    kp_pipe_close(&c->from_client);
}

static inline int kp_send(struct kp_connection* c, int type, const void* payload, int length) {
    unsigned char record[4 + 65535];
    if (length < 0 || length > 65535) return -1;
    record[0] = (unsigned char)(type & 0xFF);
    record[1] = (unsigned char)((type >> 8) & 0xFF);
    record[2] = (unsigned char)(length & 0xFF);
    record[3] = (unsigned char)(length >> 8);
    if (length > 0) memcpy(record + 4, payload, (size_t)length);
    return kp_pipe_write(&c->to_client, record, 4 + length);
}

static inline int kp_send_text(struct kp_connection* c, int type, const char* text) {
    return kp_send(c, type, text, (int)strlen(text) + 1);
}

static inline int kp_send_number(struct kp_connection* c, int type, int number) {
    unsigned char payload[2];
    payload[0] = (unsigned char)(number & 0xFF);
    payload[1] = (unsigned char)((number >> 8) & 0xFF);
    return kp_send(c, type, payload, 2);
}

/* Waits up to `timeout_ms` (-1: for ever) for the client to write; 1 when it did. */
static inline int kp_wait(struct kp_connection* c, int timeout_ms) {
    struct pollfd fd;
    char bytes[256];
    fd.fd = c->from_client.fifo;
    fd.events = POLLIN;
    fd.revents = 0;
    if (poll(&fd, 1, timeout_ms) <= 0) return 0;
    while (read(c->from_client.fifo, bytes, sizeof bytes) > 0) {
    }
    return 1;
}

/*
 * Whether the client is still running: the pipe the plug-in writes names the
 * client's process as its reader. A client that crashed never sends 1003.
 */
static inline int kp_client_alive(struct kp_connection* c) {
    uint32_t pid = 0;
    if (kp_lock(&c->to_client)) {
        pid = *kp_field(&c->to_client, 0);
        pthread_mutex_unlock(c->to_client.mutex);
    }
    return pid == 0 || kill((pid_t)pid, 0) == 0 || errno != ESRCH;
}

/*
 * Walks the records in `bytes` (what kp_pipe_read returned): fills type,
 * payload and length of the record at *pos and moves *pos past it. Returns
 * 0 at the end or at a record cut short.
 */
static inline int kp_next_record(const unsigned char* bytes, int length, int* pos, int* type,
                                 const unsigned char** payload, int* payload_length) {
    int size;
    if (length - *pos < 4) return 0;
    *type = (int16_t)(bytes[*pos] | bytes[*pos + 1] << 8);
    size = bytes[*pos + 2] | bytes[*pos + 3] << 8;
    if (size > length - *pos - 4) return 0;
    *payload = bytes + *pos + 4;
    *payload_length = size;
    *pos += 4 + size;
    return 1;
}

/* Takes a KP_SERVER_MESSAGE payload apart; 0 on success. Strings point into it. */
static inline int kp_parse_message(const unsigned char* payload, int length, struct kp_message* m) {
    int i, at = 10;
    if (length < 10) return -1;
    m->kind = payload[0] | payload[1] << 8;
    m->number = (int16_t)(payload[2] | payload[3] << 8);
    m->star = payload[4] | payload[5] << 8;
    m->tag = payload[6] | payload[7] << 8;
    m->count = payload[8] | payload[9] << 8;
    if (m->count > KP_MAX_STRINGS) m->count = KP_MAX_STRINGS;
    for (i = 0; i < m->count; ++i) {
        const unsigned char* nul =
            (const unsigned char*)memchr(payload + at, 0, (size_t)(length - at));
        if (!nul) return -1;
        m->strings[i] = (const char*)(payload + at);
        at = (int)(nul - payload) + 1;
    }
    return 0;
}

#endif
