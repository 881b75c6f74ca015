// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "net/Chronel.h"
#include "net/ChronelCipher.h"
#include "net/ChronelEncoder.h"
#include "net/ChronelFakeHost.h"
#include "net/ChronelHandshake.h"
#include "net/ChronelServerSession.h"

// The test vectors of docs/chronel.md, kept in tests/data/chronel: both
// ends must reproduce them byte for byte.
namespace {

constexpr uint32_t kClientNonce = 0x12345678;
constexpr uint32_t kServerNonce = 0xCAFEF00D;

struct Entry {
    std::string key;
    std::string value;
};

std::vector<Entry> ReadEntries(const std::string& name) {
    std::ifstream in(std::string(KORDANE_TEST_DATA "/chronel/") + name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    std::vector<Entry> entries;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        const size_t space = line.find(' ');
        entries.push_back(
            {line.substr(0, space), space == line.npos ? "" : line.substr(space + 1)});
    }
    return entries;
}

std::string FromHex(const std::string& hex) {
    std::string out;
    std::istringstream in(hex);
    unsigned value;
    while (in >> std::hex >> value) out += static_cast<char>(value);
    return out;
}

std::string Unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x') {
            out += static_cast<char>(std::stoi(text.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else {
            out += text[i];
        }
    }
    return out;
}

// The key derivation written out from its description, independently of
// ChronelHandshake: FNV-1a over label, client nonce, server nonce.
uint32_t Fnv(std::string_view label, uint32_t a, uint32_t b) {
    uint32_t hash = 2166136261u;
    auto add = [&hash](uint8_t byte) { hash = (hash ^ byte) * 16777619u; };
    for (char c : label) add(static_cast<uint8_t>(c));
    for (int i = 0; i < 4; ++i) add(static_cast<uint8_t>(a >> (8 * i)));
    for (int i = 0; i < 4; ++i) add(static_cast<uint8_t>(b >> (8 * i)));
    return hash;
}

class ChronelVectors : public ::testing::Test {
  protected:
    // Replays handshake.txt through a real client and server session.
    void ReplayHandshake() {
        host.nonce = kClientNonce;
        client.Queue("level1=15\n");
        const auto entries = ReadEntries("handshake.txt");
        ASSERT_EQ(entries.size(), 6u);
        std::string expectedReply;
        for (size_t i = 0; i < entries.size(); ++i) {
            const std::string bytes = FromHex(entries[i].value);
            if (entries[i].key == "S>C") {
                if (i > 0) {
                    EXPECT_EQ(expectedReply, bytes) << "server, line " << i;
                }
                client.Filter(bytes.data(), bytes.size());
            } else {
                ASSERT_EQ(entries[i].key, "C>S");
                EXPECT_EQ(host.sent, bytes) << "client, line " << i;
                expectedReply.clear();
                serverPlain += server.Incoming(bytes, expectedReply);
                host.sent.clear();
            }
        }
    }

    ChronelFakeHost host;
    Chronel client{host};
    ChronelServerSession server{ChronelServerSession::FailAt::None, kServerNonce};
    std::string serverPlain;
};

TEST_F(ChronelVectors, HandshakeTranscript) {
    ReplayHandshake();
    EXPECT_TRUE(client.HandshakeDone());
    EXPECT_TRUE(server.Active());
    EXPECT_EQ(serverPlain, "0 level1=15\n");

    const ChronelHandshake handshake(kClientNonce, kServerNonce);
    EXPECT_EQ(handshake.ClientToServerKey(), Fnv("C2S:", kClientNonce, kServerNonce));
    EXPECT_EQ(handshake.ServerToClientKey(), Fnv("S2C:", kClientNonce, kServerNonce));
    EXPECT_EQ(handshake.Proof(), Fnv("ANSR", kClientNonce, kServerNonce));
    char check[16];
    std::snprintf(check, sizeof check, "\xCF%08x", Fnv("CHCK", kClientNonce, kServerNonce));
    EXPECT_EQ(handshake.CheckString(), check);
}

TEST_F(ChronelVectors, EncodedStreamAndTheClientsAnswers) {
    ReplayHandshake();
    const uint32_t key = Fnv("S2C:", kClientNonce, kServerNonce);
    ChronelEncoder encoder;
    ChronelCipher cipher(key);
    std::string plain, coded, parsed, answerPlain;
    int chunks = 0;
    for (const Entry& entry : ReadEntries("stream.txt")) {
        if (entry.key == "plain") {
            plain = Unescape(entry.value);
        } else if (entry.key == "coded") {
            coded = FromHex(entry.value);
            std::string encoded;
            encoder.Encode(plain, encoded);
            EXPECT_EQ(encoded, coded);
        } else if (entry.key == "wire") {
            const std::string wire = FromHex(entry.value);
            EXPECT_EQ(server.Outgoing(plain), wire);
            // The wire is the code enciphered with the server-to-client key.
            std::string deciphered;
            for (char c : wire)
                deciphered += static_cast<char>(cipher.Decipher(static_cast<uint8_t>(c)));
            EXPECT_EQ(deciphered, coded);
            ++chunks;
            parsed = std::string(client.Filter(wire.data(), wire.size()));
        } else if (entry.key == "parsed") {
            EXPECT_EQ(parsed, Unescape(entry.value));
        } else if (entry.key == "answer-plain") {
            answerPlain = Unescape(entry.value);
        } else if (entry.key == "answer-wire") {
            EXPECT_EQ(host.sent, FromHex(entry.value));
            std::string reply;
            EXPECT_EQ(server.Incoming(host.sent, reply), answerPlain);
            EXPECT_EQ(reply, "");
        }
    }
    EXPECT_EQ(chunks, 4);
}

}  // namespace
