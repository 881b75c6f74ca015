// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include <gtest/gtest.h>

#include <set>

#include "net/DatagramTable.h"
#include "net/SocketErrors.h"

namespace {

// The positions the server must see as "1", written out independently of
// the table so that a row with the wrong request kind shows up here.
std::string Expected(std::set<int> extra) {
    std::set<int> on = {0,  15,  16,  18,  21,  22,  23,  24,  25,  26,  28,  29, 30, 31,
                        32, 33,  34,  36,  37,  39,  40,  41,  42,  43,  53,  56, 59, 60,
                        61, 62,  76,  77,  82,  83,  84,  85,  86,  89,  90,  91, 92, 98,
                        99, 100, 105, 106, 107, 108, 109, 114, 118, 119, 120, 122};
    on.insert(extra.begin(), extra.end());
    std::string bits(123, '0');
    for (int n : on) bits[n] = '1';
    return "level2settings=" + bits + "\n";
}

TEST(DatagramTable, Level2RequestLineUnderEverySetting) {
    EXPECT_EQ(Level2SettingsLine(0, 1), Expected({63, 72, 73}));
    EXPECT_EQ(Level2SettingsLine(0, 0), Expected({72, 73}));
    EXPECT_EQ(Level2SettingsLine(1, 1), Expected({63}));
    EXPECT_EQ(Level2SettingsLine(1, 0), Expected({}));
    EXPECT_EQ(Level2SettingsLine(5, -3), Expected({63}));  // any non-zero value counts
    EXPECT_EQ(Level2SettingsLine(1, 0).size(), std::string("level2settings=\n").size() + 123);
    EXPECT_STREQ(kLevel1Line, "level1=15\n");
}

TEST(DatagramTable, SilentDropsAreExactlyTheWindowOnlyNumbers) {
    const std::set<int> silent = {16, 22, 23, 24, 25, 37, 38, 39, 41, 42,  43,
                                  50, 51, 56, 57, 59, 60, 61, 68, 73, 103, 104};
    for (int n = -1; n <= 130; ++n) EXPECT_EQ(DroppedSilently(n), silent.count(n) == 1) << n;
    EXPECT_EQ(FindDatagram(35), nullptr);
    EXPECT_STREQ(FindDatagram(DG_TELL_TEXT)->name, "DG_TELL_TEXT");
}

TEST(SocketErrors, ConsoleLines) {
    EXPECT_EQ(SocketErrors::FormatLine("Connect failed", 10061),
              "Connect failed 10061 WSAECONNREFUSED: Connection refused (VCX server is rebooting, "
              "or wrong port)\nTo reach the backup server, choose it from the server list in the "
              "Advanced Options section of the connect dialog (File/New).\n");
    EXPECT_EQ(SocketErrors::FormatLine("OnClose with error code", 10054),
              "OnClose with error code 10054 WSAECONNRESET: Connection reset by peer.  (Might be a "
              "problem on the internet route)\n");
    EXPECT_EQ(SocketErrors::FormatLine("Send failed", 12345),
              "Send failed 12345 Unknown error #12345\n");
    const std::string longText(100, 'x');
    EXPECT_EQ(SocketErrors::FormatLine(longText, 10054), longText);
    EXPECT_EQ(SocketErrors::FormatLine(std::string(99, 'y'), 10022).substr(99),
              " 10022 WSAEINVAL: Invalid argument\n");
}

TEST(SocketErrors, PlatformCodesMapOntoTheTable) {
    EXPECT_EQ(SocketErrors::FromErrno(ECONNREFUSED), 10061);
    EXPECT_EQ(SocketErrors::FromErrno(ECONNRESET), 10054);
    EXPECT_EQ(SocketErrors::FromErrno(ETIMEDOUT), 10060);
    EXPECT_EQ(SocketErrors::FromErrno(EWOULDBLOCK), 10035);
    EXPECT_EQ(SocketErrors::FromErrno(0), 0);
    // An errno without a counterpart is reported as unknown, never as a
    // wrong description.
    EXPECT_EQ(SocketErrors::Describe(SocketErrors::FromErrno(ENOSPC)).rfind("Unknown error #", 0),
              0u);
}

}  // namespace
