// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Whatever a plug-in leaves in its pipe: the first 8 bytes of an input are
// the read and write indexes as the plug-in may have set them, the rest the
// ring's content. The client reads the ring, splits it into records and
// applies them, as it does for a real plug-in.
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "net/IpcPipe.h"
#include "net/PluginRecords.h"
#include "net/PluginSlot.h"
#include "net/ServerMessage.h"

namespace {

constexpr int kCapacity = 512;

struct Ring {
    Ring() {
        prefix = "KordaneFuzz-" + std::to_string(getpid());
        pipe.Create(prefix, 0, kCapacity, 1);
        const int fd = shm_open(CIpcPipe::MappingName(prefix, 0).c_str(), O_RDWR, 0);
        view = static_cast<unsigned char*>(mmap(nullptr, kCapacity + CIpcPipe::kHeaderSize,
                                                PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0));
        close(fd);
    }
    std::string prefix;
    CIpcPipe pipe;
    unsigned char* view = nullptr;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Ring ring;
    if (ring.view == nullptr || ring.view == MAP_FAILED) return 0;
    uint32_t indexes[2] = {0, 0};
    const size_t head = size < 8 ? size : 8;
    std::memcpy(indexes, data, head);
    std::memcpy(ring.view + 4, indexes, 8);
    const size_t body = std::min(size - head, static_cast<size_t>(kCapacity));
    std::memcpy(ring.view + CIpcPipe::kHeaderSize, data + head, body);

    std::string bytes(kCapacity, '\0');
    const int n = ring.pipe.Read(bytes.data(), -1);
    if (n < 0 || n >= kCapacity) __builtin_trap();
    bytes.resize(static_cast<size_t>(n));

    CPluginSlot slot;
    for (const PluginRecord& record : PluginRecords::Parse(bytes)) {
        slot.Apply(record);
        if (record.type == 1001) PluginRecords::ParseForwarded(record.payload);
    }
    // The same bytes straight, as a record batch of any length.
    const std::string_view raw(reinterpret_cast<const char*>(data), size);
    size_t total = 0;
    for (const PluginRecord& record : PluginRecords::Parse(raw)) {
        total += PluginRecords::kHeaderSize + record.payload.size();
        if (record.type == 1001) PluginRecords::ParseForwarded(record.payload);
    }
    if (total > size) __builtin_trap();
    CServerMessage message(CServerMessage::Datagram, 31);
    message.AppendField("31");
    slot.Receives(message, 1, false);
    return 0;
}
