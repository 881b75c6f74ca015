// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// The server's end of one Chronel connection, for the VCX test server. It
// decides from the client's first byte after "login: " whether the client
// speaks Chronel (the hello) or is a plain client (nc, scripts), runs the
// server's side of the handshake, and afterwards deciphers what the client
// sends and enciphers and encodes what the server sends. docs/chronel.md is
// the wire format; the client's end is `Chronel`.
class ChronelServerSession {
  public:
    enum class Mode { Undecided, Plain, Chronel };
    // Makes the handshake fail on purpose, so that the client's two failure
    // texts can be seen end to end: Step1 refuses the hello, CheckString
    // sends a check string the client cannot accept.
    enum class FailAt { None, Step1, CheckString };

    // `nonce` fixes the server's handshake value (tests, transcripts);
    // without it a random one is drawn.
    explicit ChronelServerSession(FailAt fail = FailAt::None,
                                  std::optional<uint32_t> nonce = std::nullopt);
    ~ChronelServerSession();
    ChronelServerSession(const ChronelServerSession&) = delete;
    ChronelServerSession& operator=(const ChronelServerSession&) = delete;

    Mode GetMode() const;
    // True once the handshake has completed: from then on both directions
    // are transformed.
    bool Active() const;
    bool HandshakeFailed() const;

    // Feed bytes received from the client after the server sent "login: ".
    // Returns the plain bytes for the server's line reader (handshake bytes
    // removed; deciphered once active). Bytes the server must send back are
    // appended to `reply`; they are wire bytes already: send them as they
    // are, without Outgoing. When the handshake completes, `reply` holds the
    // check string followed by any output that Outgoing held back meanwhile.
    std::string Incoming(std::string_view bytes, std::string& reply);

    // Server output -> wire bytes: unchanged for Undecided and Plain clients
    // and after a failed handshake; while the handshake runs the output is
    // held back (the client could not tell it from the handshake) and comes
    // out, encoded, in Incoming's `reply` when the handshake completes; once
    // active it is transformed and encoded, ending on a byte boundary so the
    // client can decode each chunk on its own.
    std::string Outgoing(std::string_view plain);

    // Timing commands to put into the plain output stream (before Outgoing).
    // Send them to Chronel clients only; ordinary output to a Chronel client
    // must not contain the bytes 0x9C, 0x9D or 0x9E.
    //   0x9E delay "\n" text 0x9D: the client answers 0x9B at once, shows
    //   the text, and answers 0x99 when the delay has passed. 0x9D bytes in
    //   `text` are left out.
    static std::string AlarmCommand(uint32_t delayMs, std::string_view text);
    //   0x9C text "\n": the client answers 0x9A and the first 95 characters
    //   of the text. "\n" bytes in `text` are left out.
    static std::string EchoRequest(std::string_view text);

    // A received line "<ms> <rest>" of a Chronel client: splits off the
    // stamp (decimal, at most 4294967295, then one space). False when the
    // line does not start with a stamp.
    static bool SplitStamp(std::string_view line, uint32_t& ms, std::string_view& rest);

  private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
