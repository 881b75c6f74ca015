// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "Transcript.h"

Transcript::~Transcript() {
    if (m_file != nullptr) std::fclose(m_file);
}

bool Transcript::Open(const std::string& path) {
    if (m_file != nullptr) std::fclose(m_file);
    m_file = std::fopen(path.c_str(), "wb");
    return m_file != nullptr;
}

void Transcript::Received(int client, std::string_view line) {
    Write(client, "recv", line);
}

void Transcript::Sent(int client, std::string_view bytes) {
    while (!bytes.empty()) {
        const size_t newline = bytes.find('\n');
        const size_t length = newline == std::string_view::npos ? bytes.size() : newline + 1;
        Write(client, "send", bytes.substr(0, length));
        bytes.remove_prefix(length);
    }
}

void Transcript::Note(int client, std::string_view text) {
    Write(client, "note", text);
}

std::string Transcript::Escape(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte <= 0x7e && byte != '\\') {
            out += c;
        } else {
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0f];
        }
    }
    return out;
}

void Transcript::Write(int client, std::string_view direction, std::string_view bytes) {
    if (m_file == nullptr) return;
    const std::string record =
        "C" + std::to_string(client) + " " + std::string(direction) + " " + Escape(bytes) + "\n";
    std::fwrite(record.data(), 1, record.size(), m_file);
    std::fflush(m_file);
}
