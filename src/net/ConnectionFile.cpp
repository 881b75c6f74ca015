// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "net/ConnectionFile.h"

#include <algorithm>

#include "net/AtomicFile.h"
#include "net/ChronelCipher.h"

namespace {

class Writer {
  public:
    void Word(uint16_t v) {
        m_out.push_back(static_cast<char>(v & 0xFF));
        m_out.push_back(static_cast<char>(v >> 8));
    }
    void DWord(uint32_t v) {
        Word(static_cast<uint16_t>(v & 0xFFFF));
        Word(static_cast<uint16_t>(v >> 16));
    }
    void Byte(uint8_t v) { m_out.push_back(static_cast<char>(v)); }
    void Bytes(std::string_view s) { m_out.append(s); }

    // The framework's counted string: the shortest length form that fits.
    void String(std::string_view s) {
        if (s.size() < 0xFF) {
            Byte(static_cast<uint8_t>(s.size()));
        } else if (s.size() < 0xFFFE) {
            Byte(0xFF);
            Word(static_cast<uint16_t>(s.size()));
        } else {
            Byte(0xFF);
            Word(0xFFFF);
            DWord(static_cast<uint32_t>(s.size()));
        }
        Bytes(s);
    }

    std::string Take() { return std::move(m_out); }

  private:
    std::string m_out;
};

class Reader {
  public:
    explicit Reader(std::string_view in) : m_in(in) {}

    bool Word(uint16_t& v) {
        if (m_in.size() < 2) return Fail("the file is truncated");
        v = static_cast<uint16_t>(Unsigned(0) | (Unsigned(1) << 8));
        m_in.remove_prefix(2);
        return true;
    }
    bool DWord(uint32_t& v) {
        uint16_t lo = 0, hi = 0;
        if (!Word(lo) || !Word(hi)) return false;
        v = lo | (static_cast<uint32_t>(hi) << 16);
        return true;
    }
    bool Byte(uint8_t& v) {
        if (m_in.empty()) return Fail("the file is truncated");
        v = static_cast<uint8_t>(Unsigned(0));
        m_in.remove_prefix(1);
        return true;
    }
    bool Bytes(size_t n, std::string& into) {
        if (m_in.size() < n) return Fail("the file is truncated");
        into.assign(m_in.substr(0, n));
        m_in.remove_prefix(n);
        return true;
    }

    bool String(std::string& into) {
        uint8_t b = 0;
        if (!Byte(b)) return false;
        uint32_t length = b;
        if (b == 0xFF) {
            uint16_t w = 0;
            if (!Word(w)) return false;
            length = w;
            if (w == 0xFFFE) return Fail("wide-character strings are not supported");
            if (w == 0xFFFF && !DWord(length)) return false;
        }
        if (length > ConnectionFile::kMaxStringLength) return Fail("a string length is too large");
        return Bytes(length, into);
    }

    const std::string& Error() const { return m_error; }

  private:
    unsigned Unsigned(size_t i) const { return static_cast<unsigned char>(m_in[i]); }
    bool Fail(const char* why) {
        if (m_error.empty()) m_error = why;
        return false;
    }

    std::string_view m_in;
    std::string m_error;
};

}  // namespace

std::optional<std::string> ConnectionFile::Encode(const ConnectionParams& params) {
    const std::string password = params.savePassword ? params.password : std::string();
    if (password.size() > 0xFFFF) return std::nullopt;
    Writer w;
    w.String(params.host);
    w.Word(static_cast<uint16_t>(std::clamp(params.port, 0, 0xFFFF)));
    w.String(params.handle);
    w.Word(static_cast<uint16_t>(password.size()));
    w.Bytes(ChronelCipher::ScramblePassword(password));
    w.Word(params.guest ? 1 : 0);
    w.Word(0);
    w.Word(0);
    w.Word(1);
    w.String(params.gameLogFile);
    return w.Take();
}

ConnectionFile::ReadResult ConnectionFile::Decode(std::string_view bytes) {
    Reader r(bytes);
    ConnectionParams p;
    uint16_t port = 0, passwordLength = 0, guest = 0, reserved = 0, marker = 0;
    std::string scrambled;
    bool ok = r.String(p.host) && r.Word(port) && r.String(p.handle) && r.Word(passwordLength) &&
              r.Bytes(passwordLength, scrambled) && r.Word(guest) && r.Word(reserved) &&
              r.Word(reserved) && r.Word(marker);
    if (ok && marker == 1) ok = r.String(p.gameLogFile);
    if (!ok) return {std::nullopt, r.Error()};
    p.port = port;
    p.password = ChronelCipher::UnscramblePassword(scrambled);
    p.savePassword = passwordLength != 0;
    // The guest and register flags describe one login attempt, never a file.
    p.guest = false;
    p.registerNew = false;
    return {std::move(p), {}};
}

ConnectionFile::ReadResult ConnectionFile::Read(const std::string& path) {
    bool missing = false;
    std::optional<std::string> bytes = AtomicFile::ReadAll(path, &missing);
    if (!bytes)
        return {std::nullopt, missing ? "the file does not exist" : "the file cannot be read"};
    return Decode(*bytes);
}

bool ConnectionFile::Write(const std::string& path, const ConnectionParams& params) {
    std::optional<std::string> bytes = Encode(params);
    // The file holds the password, scrambled but not encrypted.
    return bytes && AtomicFile::Replace(path, *bytes, AtomicFile::Access::UserOnly);
}
