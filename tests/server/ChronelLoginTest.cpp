// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
// The client's own Chronel filter logging in to the built server over a real
// socket: handshake, stamped lines, timing commands answered and recorded.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <fstream>
#include <functional>
#include <ostream>
#include <sstream>
#include <string>

#include "ServerProcess.h"
#include "net/Chronel.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The connection side of the filter, reduced to a socket and a deadline.
class SocketHost : public IChronelHost {
  public:
    explicit SocketHost(int fd) : m_fd(fd) {}
    void SendRaw(std::string_view bytes) override {
        while (!bytes.empty()) {
            const ssize_t n = send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
            if (n <= 0) return;
            bytes.remove_prefix(static_cast<size_t>(n));
        }
    }
    void ShowChronelText(std::string_view text) override { console += text; }
    uint32_t TickCount() override {
        return static_cast<uint32_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch())
                .count());
    }
    bool StartAlarmTimer(uint32_t intervalMs) override {
        alarmAt = Clock::now() + std::chrono::milliseconds(intervalMs);
        alarmActive = true;
        return true;
    }
    void StopAlarmTimer() override { alarmActive = false; }
    uint32_t HandshakeNonce() override { return 0x1234567u; }

    std::string console;
    bool alarmActive = false;
    Clock::time_point alarmAt;

  private:
    int m_fd;
};

class ChronelClient {
  public:
    static constexpr std::chrono::milliseconds kSlice{10};

    explicit ChronelClient(int port) {
        m_fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<uint16_t>(port));
        inet_pton(AF_INET, "127.0.0.1", &address.sin_addr);
        connected = connect(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        m_host = std::make_unique<SocketHost>(m_fd);
        m_chronel = std::make_unique<Chronel>(*m_host);
    }
    ~ChronelClient() { close(m_fd); }

    // Runs the connection (reads, the login answer, the alarm) until `done`
    // holds or time runs out.
    bool Pump(const std::function<bool()>& done, std::chrono::milliseconds limit) {
        const auto deadline = Clock::now() + limit;
        while (!done()) {
            const auto now = Clock::now();
            if (now >= deadline) return false;
            if (m_host->alarmActive && now >= m_host->alarmAt) {
                m_host->alarmActive = false;
                m_chronel->OnAlarmTimer();
                continue;
            }
            // Short slices: `done` may watch the transcript file, which no
            // socket event announces.
            Clock::duration wait = std::min<Clock::duration>(deadline - now, kSlice);
            if (m_host->alarmActive) wait = std::min(wait, m_host->alarmAt - now);
            pollfd pfd{m_fd, POLLIN, 0};
            const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(wait).count();
            if (poll(&pfd, 1, static_cast<int>(ms) + 1) <= 0) continue;
            char buffer[4096];
            const ssize_t n = recv(m_fd, buffer, sizeof buffer, 0);
            if (n <= 0) return done();
            received += m_chronel->Filter(buffer, static_cast<size_t>(n));
            if (m_chronel->LoginPromptSeen()) {
                m_chronel->ClearLoginPrompt();
                m_chronel->Queue(loginAnswer);
            }
        }
        return true;
    }
    bool PumpUntilReceived(std::string_view text) {
        return Pump([&] { return received.find(text) != std::string::npos; },
                    std::chrono::seconds(5));
    }

    Chronel& Filter() { return *m_chronel; }
    const SocketHost& Host() const { return *m_host; }

    bool connected = false;
    std::string loginAnswer;
    std::string received;

  private:
    int m_fd = -1;
    std::unique_ptr<SocketHost> m_host;
    std::unique_ptr<Chronel> m_chronel;
};

// The transcript with each stamp of a received line ("C1 recv 1234 x")
// written as "#", so the lines around it can be compared exactly.
std::string WithoutStamps(const std::string& text) {
    const std::string recv = "C1 recv ";
    std::string out;
    size_t at = 0;
    for (size_t hit = text.find(recv); hit != std::string::npos; hit = text.find(recv, at)) {
        const size_t digits = hit + recv.size();
        size_t end = digits;
        while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end;
        out += text.substr(at, digits - at);
        at = digits;
        if (end > digits && end < text.size() && text[end] == ' ') {
            out += "#";
            at = end;
        }
    }
    return out + text.substr(at);
}

std::string TranscriptPath() {
    return testing::TempDir() + "vcx-chronel-" + std::to_string(getpid()) + ".txt";
}

TEST(ChronelLoginTest, ClientFilterLogsInAndAnswersTimingCommands) {
    const std::string transcript = TranscriptPath();
    ServerProcess server;
    std::string error;
    ASSERT_TRUE(server.Start(
        {"--accounts", KORDANE_SOURCE_DIR "/server/demo-accounts.txt", "--transcript", transcript},
        error))
        << error;
    ChronelClient client(server.Port());
    ASSERT_TRUE(client.connected);
    // As the connection does: the settings are queued before the prompt and
    // leave, stamped, only after the handshake.
    client.Filter().Queue("level2settings=1" + std::string(30, '0') + "1\n");
    client.Filter().Queue("level1=15\n");
    client.loginAnswer = "Magnus carlsen1\n";
    ASSERT_TRUE(client.PumpUntilReceived("\x19(0 Magnus GM\x19)")) << client.received;
    EXPECT_TRUE(client.Filter().HandshakeDone());
    EXPECT_EQ(client.received,
              "Welcome to the VCX test server.\n\nlogin: "
              "**** Starting VCX session as Magnus(GM) ****\n\n\x19(0 Magnus GM\x19)");

    // The alarm sent at login fires on the client, whose 0x99 reaches the
    // transcript.
    ASSERT_TRUE(
        client.Pump([&] { return ReadFile(transcript).find("alarm fired") != std::string::npos; },
                    std::chrono::seconds(5)));

    // Bytes a Chronel client would read as timing commands are left out of
    // text (here the second byte of a UTF-8 "U" with umlaut).
    client.Filter().Queue(
        "`4`tell magnus \xc3\x9c"
        "ber\n");
    ASSERT_TRUE(client.PumpUntilReceived("\x19>"));
    EXPECT_NE(client.received.find("\x19<\x19[101 * 4\n\x19(31 Magnus GM \xc3"
                                   "ber 1\x19)"
                                   "(told Magnus)\n\x19]\x19>"),
              std::string::npos)
        << client.received;

    client.Filter().Queue("timing 20\n");
    ASSERT_TRUE(client.PumpUntilReceived("(alarm in 20 ms).\n\x19]\x19>"));
    ASSERT_TRUE(client.Pump(
        [&] {
            const std::string text = ReadFile(transcript);
            return text.find("alarm fired") != text.rfind("alarm fired");
        },
        std::chrono::seconds(5)));
    EXPECT_EQ(client.Host().console, "");
    server.Stop();

    const std::string text = ReadFile(transcript);
    EXPECT_NE(text.find("C1 note mode chronel\n"), std::string::npos) << text;
    EXPECT_NE(WithoutStamps(text).find("C1 recv # level2settings=1" + std::string(30, '0') +
                                       "1\n"
                                       "C1 recv # level1=15\n"
                                       "C1 recv # Magnus carlsen1\n"
                                       "C1 note logged in as Magnus\n"),
              std::string::npos)
        << text;
    for (const char* note :
         {"C1 note timing reply 0x9a: echo \"ping Magnus\"\n",
          "C1 note timing reply 0x9b: alarm armed\n", "C1 note timing reply 0x99: alarm fired\n"}) {
        EXPECT_NE(text.find(note), std::string::npos) << note;
    }
    // What the server meant to say is recorded before encoding.
    EXPECT_NE(text.find("C1 send \\x9cping Magnus\\x0a\n"), std::string::npos) << text;
    unlink(transcript.c_str());
}

struct FailureCase {
    const char* option;
    const char* console;
    // Names the row in test listings.
    friend void PrintTo(const FailureCase& row, std::ostream* out) { *out << row.option; }
};

class ChronelFailureTest : public testing::TestWithParam<FailureCase> {};

TEST_P(ChronelFailureTest, ClientShowsWhichStepFailed) {
    const std::string transcript = TranscriptPath();
    ServerProcess server;
    std::string error;
    ASSERT_TRUE(server.Start({GetParam().option, "--transcript", transcript}, error)) << error;
    ChronelClient client(server.Port());
    client.loginAnswer = "g\n\n";
    EXPECT_TRUE(
        client.Pump([&] { return !client.Host().console.empty(); }, std::chrono::seconds(5)));
    EXPECT_EQ(client.Host().console, GetParam().console);
    EXPECT_FALSE(client.Filter().HandshakeDone());
    server.Stop();
    EXPECT_NE(ReadFile(transcript).find("C1 note chronel handshake failed\n"), std::string::npos);
    unlink(transcript.c_str());
}

INSTANTIATE_TEST_SUITE_P(
    Steps, ChronelFailureTest,
    testing::Values(FailureCase{"--chronel-fail=step1",
                                "Chronel authentication failed in step 1\n"},
                    FailureCase{"--chronel-fail=check",
                                "Chronel authentication failed to get the check string from the "
                                "server\n"}));

}  // namespace
