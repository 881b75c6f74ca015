// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Arbitrary fields as a game-start or game-header datagram: whatever the
// server sends, the header reads and the label, information and title texts
// made from it must come out without a crash, each on one line.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "game/GameHeader.h"
#include "net/ServerMessage.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Fields are separated by '|' as the test data writes datagrams.
    CServerMessage message(CServerMessage::Datagram, 15);
    message.AppendField("15");
    std::string field;
    for (size_t i = 0; i < size; ++i) {
        const char c = static_cast<char>(data[i]);
        if (c == '|') {
            message.AppendField(field);
            field.clear();
        } else if (c != '\n') {
            field += c;
        }
    }
    message.AppendField(field);

    GameHeader header;
    header.Read(message, size % 2 == 0);
    for (int side = 0; side < 2; ++side) {
        Check(header.LabelText(side, true, -39).find('\n') == std::string::npos);
    }
    Check(header.InfoLine(false, true).find('\n') == std::string::npos);
    const std::string title = GameHeader::Title(header, header.gameNumber, "Was");
    Check(header.gameNumber >= 0 || title == "(no game yet)");
    return 0;
}
