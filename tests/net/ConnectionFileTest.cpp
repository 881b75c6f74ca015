// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// ".kd2" connection files: the archive layout byte by byte, round trips, and
// damaged files that must come back as errors.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "net/ChronelCipher.h"
#include "net/ConnectionFile.h"

namespace fs = std::filesystem;

namespace {

std::string Bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) out.push_back(static_cast<char>(v));
    return out;
}

ConnectionParams Sample() {
    ConnectionParams p;
    p.host = "127.0.0.1";
    p.port = 5001;
    p.handle = "alice";
    p.password = "pw";
    p.savePassword = true;
    p.gameLogFile = "games.pgn";
    return p;
}

TEST(ConnectionFileTest, GoldenLayouts) {
    const std::string scrambled = ChronelCipher::ScramblePassword("pw");
    ASSERT_EQ(scrambled.size(), 2u);
    ASSERT_NE(scrambled, "pw");
    const std::string head = Bytes({9}) + "127.0.0.1" + Bytes({0x89, 0x13}) + Bytes({5}) + "alice";
    EXPECT_EQ(ConnectionFile::Encode(Sample()),
              head + Bytes({2, 0}) + scrambled + Bytes({0, 0, 0, 0, 0, 0, 1, 0, 9}) + "games.pgn");

    ConnectionParams guest = Sample();
    guest.savePassword = false;  // the password is then never written
    guest.guest = true;
    guest.gameLogFile.clear();
    EXPECT_EQ(ConnectionFile::Encode(guest), head + Bytes({0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0}));
}

TEST(ConnectionFileTest, CountedStringLengthForms) {
    struct Row {
        size_t length;
        std::string prefix;
    } rows[] = {
        {0, Bytes({0})},
        {254, Bytes({0xFE})},
        {255, Bytes({0xFF, 0xFF, 0x00})},
        {300, Bytes({0xFF, 0x2C, 0x01})},
        {0xFFFD, Bytes({0xFF, 0xFD, 0xFF})},
        {0xFFFE, Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
        {70000, Bytes({0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00})},
    };
    for (const Row& row : rows) {
        ConnectionParams p;
        p.host.assign(row.length, 'h');
        std::optional<std::string> bytes = ConnectionFile::Encode(p);
        ASSERT_TRUE(bytes);
        EXPECT_EQ(bytes->substr(0, row.prefix.size()), row.prefix) << row.length;
        EXPECT_EQ(bytes->substr(row.prefix.size(), row.length), p.host) << row.length;
        if (row.length <= ConnectionFile::kMaxStringLength) {
            ConnectionFile::ReadResult back = ConnectionFile::Decode(*bytes);
            ASSERT_TRUE(back) << back.error;
            EXPECT_EQ(back.params->host.size(), row.length);
        }
    }
}

TEST(ConnectionFileTest, ReadsWhatAnotherWriterMayChoose) {
    // Longer length forms than needed are legal in the archive format.
    const std::string file = Bytes({0xFF, 0xFF, 0xFF, 4, 0, 0, 0}) + "host" + Bytes({0x10, 0x27}) +
                             Bytes({0xFF, 3, 0}) + "bob" + Bytes({0, 0, 7, 0, 0xAA, 0xBB, 0, 0}) +
                             Bytes({0xFF, 0xFF, 0, 0});  // marker 0xFFFF: no log file name
    ConnectionFile::ReadResult r = ConnectionFile::Decode(file);
    ASSERT_TRUE(r) << r.error;
    EXPECT_EQ(r.params->host, "host");
    EXPECT_EQ(r.params->port, 10000);
    EXPECT_EQ(r.params->handle, "bob");
    EXPECT_FALSE(r.params->savePassword);
    EXPECT_FALSE(r.params->guest) << "the guest flag is ignored when reading";
    EXPECT_EQ(r.params->gameLogFile, "");
}

TEST(ConnectionFileTest, RoundTripKeepsEveryByte) {
    ConnectionParams p = Sample();
    for (int c = 0; c < 256; ++c) p.password.push_back(static_cast<char>(c));
    p.handle = std::string("nul\0inside", 10);
    p.gameLogFile = "/tmp/a folder/games \xc3\xa9.pgn";
    p.port = 9999;
    p.guest = true;
    p.registerNew = true;
    std::optional<std::string> bytes = ConnectionFile::Encode(p);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->find("games.pgn"), std::string::npos);
    ConnectionFile::ReadResult r = ConnectionFile::Decode(*bytes);
    ASSERT_TRUE(r) << r.error;
    EXPECT_EQ(r.params->host, p.host);
    EXPECT_EQ(r.params->port, p.port);
    EXPECT_EQ(r.params->handle, p.handle);
    EXPECT_EQ(r.params->password, p.password);
    EXPECT_TRUE(r.params->savePassword);
    EXPECT_FALSE(r.params->guest);
    EXPECT_FALSE(r.params->registerNew);
    EXPECT_EQ(r.params->gameLogFile, p.gameLogFile);
}

TEST(ConnectionFileTest, EveryTruncationIsAnError) {
    const std::string full = *ConnectionFile::Encode(Sample());
    for (size_t n = 0; n < full.size(); ++n) {
        ConnectionFile::ReadResult r = ConnectionFile::Decode(full.substr(0, n));
        EXPECT_FALSE(r) << "prefix of " << n << " bytes";
        EXPECT_EQ(r.error, "the file is truncated") << n;
    }
    EXPECT_TRUE(ConnectionFile::Decode(full + "trailing bytes are ignored"));
}

TEST(ConnectionFileTest, DamagedLengthsAreRefused) {
    struct Row {
        const char* name;
        std::string bytes;
        const char* error;
    } rows[] = {
        {"32-bit length of 4 GB", Bytes({0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF}) + "x",
         "a string length is too large"},
        {"length just over the limit", Bytes({0xFF, 0xFF, 0xFF, 0x01, 0x00, 0x01, 0x00}),
         "a string length is too large"},
        {"wide string marker", Bytes({0xFF, 0xFE, 0xFF, 2, 'h', 0, 'i', 0}),
         "wide-character strings are not supported"},
        {"password longer than the file", Bytes({1, 'h', 0, 0, 1, 'b', 0xFF, 0xFF, 1, 2}),
         "the file is truncated"},
    };
    for (const Row& row : rows) {
        ConnectionFile::ReadResult r = ConnectionFile::Decode(row.bytes);
        EXPECT_FALSE(r) << row.name;
        EXPECT_EQ(r.error, row.error) << row.name;
    }
}

TEST(ConnectionFileTest, OversizedPasswordAndPortAreHandled) {
    ConnectionParams p = Sample();
    p.password.assign(0x10000, 'x');
    EXPECT_FALSE(ConnectionFile::Encode(p));
    p.savePassword = false;  // not stored, so nothing to refuse
    EXPECT_TRUE(ConnectionFile::Encode(p));

    p = Sample();
    p.port = 70000;
    EXPECT_EQ(ConnectionFile::Decode(*ConnectionFile::Encode(p)).params->port, 0xFFFF);
    p.port = -5;
    EXPECT_EQ(ConnectionFile::Decode(*ConnectionFile::Encode(p)).params->port, 0);
}

TEST(ConnectionFileTest, DataFiles) {
    struct Row {
        const char* file;
        const char* error;  // empty: reads
        const char* handle;
    } rows[] = {
        {"guest_without_password.kd2", "", "Tester"},
        {"marker_zero_no_log_name.kd2", "", "Tester"},
    };
    for (const Row& row : rows) {
        ConnectionFile::ReadResult r =
            ConnectionFile::Read(std::string(KORDANE_TEST_DATA) + "/kd2/" + row.file);
        EXPECT_EQ(r.error, row.error) << row.file;
        if (!r) continue;
        EXPECT_EQ(r.params->host, "127.0.0.1") << row.file;
        EXPECT_EQ(r.params->port, 5000) << row.file;
        EXPECT_EQ(r.params->handle, row.handle) << row.file;
        EXPECT_FALSE(r.params->guest) << row.file;
        EXPECT_FALSE(r.params->savePassword) << row.file;
        EXPECT_EQ(r.params->gameLogFile, "") << row.file;
    }
}

TEST(ConnectionFileTest, FilesOnDisk) {
    const fs::path dir = fs::temp_directory_path() / ("kordane-kd2-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string path = (dir / "alice.kd2").string();

    ConnectionFile::ReadResult missing = ConnectionFile::Read(path);
    EXPECT_FALSE(missing);
    EXPECT_EQ(missing.error, "the file does not exist");
    EXPECT_EQ(ConnectionFile::Read(dir.string()).error, "the file cannot be read");

    ASSERT_TRUE(ConnectionFile::Write(path, Sample()));
    ConnectionFile::ReadResult r = ConnectionFile::Read(path);
    ASSERT_TRUE(r) << r.error;
    EXPECT_EQ(r.params->handle, "alice");
    EXPECT_EQ(r.params->password, "pw");

    ConnectionParams tooBig = Sample();
    tooBig.password.assign(0x10000, 'x');
    EXPECT_FALSE(ConnectionFile::Write(path, tooBig));
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    EXPECT_EQ(s.str(), *ConnectionFile::Encode(Sample())) << "a refused write keeps the old file";

    EXPECT_FALSE(ConnectionFile::Write((dir / "missing" / "x.kd2").string(), Sample()));
    fs::remove_all(dir);
}

}  // namespace
