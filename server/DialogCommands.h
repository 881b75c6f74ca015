// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

class ClientSession;
class ServerCore;

// The server-driven dialogs of the test server: "testdialog <name>" sends a
// compiled template (see DialogFiles) as datagrams 105 to 108 with the
// dialog's initial values and answer templates, "testdialog close" sends
// 109, and "dialog-answer <text>", the command the answers are made of,
// echoes what the client sent and notes it in the transcript.
class DialogCommands {
  public:
    static void TestDialog(ServerCore& core, ClientSession& session, std::string_view args);
    static void Answer(ServerCore& core, ClientSession& session, std::string_view args);

    // Template bytes as the text of datagram 106: two letters per byte,
    // 'A' to 'P' for the high and then the low half.
    static std::string EncodeBytes(std::span<const std::uint8_t> bytes);
    // Bytes per datagram 106.
    static constexpr std::size_t kBytesPerDatagram = 200;
};
