// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CServerMessage;

// The record types that travel through a plug-in's pipes.
enum class PluginRecordType : int16_t {
    Name = 1,                 // plug-in -> client: text
    Command = 2,              // plug-in -> client: text, a line for the server
    ConsoleText = 3,          // plug-in -> client: text for the main console
    Declare = 4,              // plug-in -> client: number
    SubscribeLevel1 = 5,      // plug-in -> client: number
    SubscribeDatagram = 6,    // plug-in -> client: number
    UnsubscribeLevel1 = 7,    // plug-in -> client: number
    UnsubscribeDatagram = 8,  // plug-in -> client: number
    IgnoredText = 9,          // plug-in -> client: text, read and ignored
    IgnoredNumber10 = 10,     // plug-in -> client: number, read and ignored
    IgnoredNumber11 = 11,     // plug-in -> client: number, read and ignored
    Interface = 1000,         // client -> plug-in: text, the interface name
    ServerMessage = 1001,     // client -> plug-in: a forwarded server message
    Text1002 = 1002,          // read as text, never sent
    Closing = 1003,           // client -> plug-in: no payload
    Text1004 = 1004,          // read as text, never sent
};

// One record: a 4-byte header (16-bit signed type, 16-bit unsigned payload
// length, little-endian) and the payload. Text payloads carry their NUL.
struct PluginRecord {
    int16_t type = 0;
    std::string payload;

    // The text up to the first NUL (all of the payload when there is none).
    std::string Text() const;
    // The 16-bit number of a number record.
    int16_t Number() const;
};

// A type-1001 payload taken apart (the plug-in's side of a forwarded message).
struct ForwardedMessage {
    int kind = 0;  // 1 level-1 block, 2 datagram
    int number = 0;
    int starFlag = 0;  // 1 when the block's header word is "*"
    int tag = 0;
    std::vector<std::string> strings;
};

// Writing and reading records. Records from a plug-in are not trusted: the
// reader ends a batch at the first record that is cut short, has a length
// its type cannot have, or has a type nobody knows, and never looks past the
// bytes it was given.
class PluginRecords {
  public:
    static constexpr int kHeaderSize = 4;
    static constexpr size_t kMaxPayload = 0xFFFF;

    static bool IsKnownType(int type);
    static bool IsNumberType(int type);

    // Header and payload; nullopt when the payload does not fit 16 bits.
    static std::optional<std::string> Encode(PluginRecordType type, std::string_view payload);
    static std::string Text(PluginRecordType type, std::string_view text);
    static std::string Number(PluginRecordType type, int16_t number);
    // The type-1001 record of a level-1 block or datagram; nullopt for other
    // kinds and for messages too long for one record.
    static std::optional<std::string> Forward(const CServerMessage& message);
    static std::optional<ForwardedMessage> ParseForwarded(std::string_view payload);

    // The whole records at the start of `bytes`, up to the first bad one.
    static std::vector<PluginRecord> Parse(std::string_view bytes);
};
