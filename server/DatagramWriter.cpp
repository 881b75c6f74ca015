// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "DatagramWriter.h"

namespace {

// The parser's white space inside datagrams.
bool IsFieldSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

DatagramWriter::DatagramWriter(int number) : m_number(number) {
    m_bytes += kEscape;
    m_bytes += '(';
    m_bytes += std::to_string(number);
}

DatagramWriter& DatagramWriter::Add(std::string_view field) {
    m_bytes += ' ';
    m_bytes += QuoteField(field);
    return *this;
}

DatagramWriter& DatagramWriter::Add(int value) {
    return Add(std::to_string(value));
}

std::string DatagramWriter::Bytes() const {
    std::string out = m_bytes;
    out += kEscape;
    out += ')';
    return out;
}

std::string DatagramWriter::Build(int number, std::initializer_list<std::string_view> fields) {
    DatagramWriter writer(number);
    for (std::string_view field : fields) writer.Add(field);
    return writer.Bytes();
}

std::string DatagramWriter::QuoteField(std::string_view field) {
    const std::string clean = CleanText(field);
    bool plain = !clean.empty() && clean.front() != '{';
    for (char c : clean) {
        if (IsFieldSpace(c)) {
            plain = false;
            break;
        }
    }
    if (plain) return clean;
    std::string out;
    out.reserve(clean.size() + 4);
    out += kEscape;
    out += '{';
    out += clean;
    out += kEscape;
    out += '}';
    return out;
}

std::string DatagramWriter::CleanText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c != kEscape && c != kOverflow) out += c;
    }
    return out;
}

std::string DatagramWriter::BlockStart(int commandNumber, std::string_view headerWord, int tag) {
    std::string out;
    out += kEscape;
    out += '[';
    out += std::to_string(commandNumber);
    out += ' ';
    out += headerWord;
    out += ' ';
    out += std::to_string(tag);
    out += '\n';
    return out;
}

std::string DatagramWriter::BlockEnd() {
    return std::string{kEscape, ']'};
}
std::string DatagramWriter::WorkingMark() {
    return std::string{kEscape, '<'};
}
std::string DatagramWriter::ReadyMark() {
    return std::string{kEscape, '>'};
}
