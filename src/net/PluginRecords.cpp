// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "net/PluginRecords.h"

#include "net/ServerMessage.h"

namespace {

void Put16(std::string& out, uint16_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}

uint16_t Get16(std::string_view bytes, size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                 static_cast<unsigned char>(bytes[at + 1]) << 8);
}

}  // namespace

std::string PluginRecord::Text() const {
    const size_t nul = payload.find('\0');
    return nul == std::string::npos ? payload : payload.substr(0, nul);
}

int16_t PluginRecord::Number() const {
    return payload.size() >= 2 ? static_cast<int16_t>(Get16(payload, 0)) : 0;
}

bool PluginRecords::IsKnownType(int type) {
    return (type >= 1 && type <= 11) || (type >= 1000 && type <= 1004);
}

bool PluginRecords::IsNumberType(int type) {
    return (type >= 4 && type <= 8) || type == 10 || type == 11;
}

std::optional<std::string> PluginRecords::Encode(PluginRecordType type, std::string_view payload) {
    if (payload.size() > kMaxPayload) return std::nullopt;
    std::string out;
    out.reserve(kHeaderSize + payload.size());
    Put16(out, static_cast<uint16_t>(type));
    Put16(out, static_cast<uint16_t>(payload.size()));
    out.append(payload);
    return out;
}

std::string PluginRecords::Text(PluginRecordType type, std::string_view text) {
    std::string payload(text.substr(0, kMaxPayload - 1));
    payload += '\0';
    return *Encode(type, payload);
}

std::string PluginRecords::Number(PluginRecordType type, int16_t number) {
    std::string payload;
    Put16(payload, static_cast<uint16_t>(number));
    return *Encode(type, payload);
}

std::optional<std::string> PluginRecords::Forward(const CServerMessage& message) {
    if (message.kind != CServerMessage::Level1 && message.kind != CServerMessage::Datagram) {
        return std::nullopt;
    }
    std::string payload;
    Put16(payload, static_cast<uint16_t>(message.kind));
    Put16(payload, static_cast<uint16_t>(message.number));
    Put16(payload, message.kind == CServerMessage::Level1 && message.header == "*" ? 1 : 0);
    Put16(payload, static_cast<uint16_t>(message.tag));
    if (message.kind == CServerMessage::Level1) {
        Put16(payload, 1);
        payload += message.TextValue();
        payload += '\0';
    } else {
        const int count = message.FieldCount() > 0 ? message.FieldCount() - 1 : 0;
        Put16(payload, static_cast<uint16_t>(count));
        for (int i = 1; i <= count; ++i) {
            payload += message.Field(static_cast<size_t>(i));
            payload += '\0';
        }
    }
    return Encode(PluginRecordType::ServerMessage, payload);
}

std::optional<ForwardedMessage> PluginRecords::ParseForwarded(std::string_view payload) {
    if (payload.size() < 10) return std::nullopt;
    ForwardedMessage m;
    m.kind = Get16(payload, 0);
    m.number = static_cast<int16_t>(Get16(payload, 2));
    m.starFlag = Get16(payload, 4);
    m.tag = Get16(payload, 6);
    const int count = Get16(payload, 8);
    size_t at = 10;
    for (int i = 0; i < count; ++i) {
        const size_t nul = payload.find('\0', at);
        if (nul == std::string_view::npos) return std::nullopt;
        m.strings.emplace_back(payload.substr(at, nul - at));
        at = nul + 1;
    }
    return m;
}

std::vector<PluginRecord> PluginRecords::Parse(std::string_view bytes) {
    std::vector<PluginRecord> records;
    size_t at = 0;
    while (bytes.size() - at >= kHeaderSize) {
        const auto type = static_cast<int16_t>(Get16(bytes, at));
        const size_t length = Get16(bytes, at + 2);
        if (!IsKnownType(type)) break;
        if (IsNumberType(type) && length != 2) break;
        if (length > bytes.size() - at - kHeaderSize) break;
        records.push_back({type, std::string(bytes.substr(at + kHeaderSize, length))});
        at += kHeaderSize + length;
    }
    return records;
}
