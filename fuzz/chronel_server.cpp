// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Client bytes into the server's end of Chronel: hellos, answers and
// enciphered lines in any order and any cut, with server output in between,
// plus the stamp splitter on whatever comes out. The first byte picks the
// forced failure and the chunk size.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "net/ChronelHandshake.h"
#include "net/ChronelServerSession.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    using FailAt = ChronelServerSession::FailAt;
    const FailAt fail = data[0] % 3 == 0   ? FailAt::None
                        : data[0] % 3 == 1 ? FailAt::Step1
                                           : FailAt::CheckString;
    const size_t chunk = 1 + (data[0] >> 2);
    std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);

    ChronelServerSession session(fail, 77);
    // Half the inputs start with a real hello, so the fuzzer reaches the answer.
    std::string first;
    if (data[0] & 0x80) first = ChronelHandshake::Hello(1);
    std::string reply;
    session.Incoming(first, reply);
    while (!rest.empty()) {
        const std::string_view piece = rest.substr(0, chunk);
        rest.remove_prefix(piece.size());
        const std::string plain = session.Incoming(piece, reply);
        uint32_t ms = 0;
        std::string_view line;
        ChronelServerSession::SplitStamp(plain, ms, line);
        session.Outgoing(piece);
        reply.clear();
    }
    return 0;
}
