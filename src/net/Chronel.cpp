// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "net/Chronel.h"

#include <algorithm>
#include <array>
#include <optional>
#include <random>
#include <string>

#include "net/ChronelCipher.h"
#include "net/ChronelDecoder.h"
#include "net/ChronelHandshake.h"
#include "net/ChronelTables.h"

namespace {

constexpr uint8_t kAlarmStart = 0x9E;
constexpr uint8_t kAlarmEnd = 0x9D;
constexpr uint8_t kEchoStart = 0x9C;
constexpr char kAlarmAck = '\x9B';
constexpr char kEchoReply = '\x9A';
constexpr char kAlarmFired = '\x99';
// Where the login-time handshake stands. Bytes before the login prompt are
// plain server text; the two steps after it are consumed by the handshake.
enum class Stage { WaitingForPrompt, StepOne, StepTwo, Done };

// The timing command being collected, named by the byte that opened it.
enum class Building : uint8_t {
    Nothing = 0,
    AlarmText = 1,  // the delay line is read; the text runs to 0x9D
    AlarmDelay = kAlarmStart,
    Echo = kEchoStart,
};
constexpr size_t kEchoLength = 95;
constexpr uint32_t kAlarmStep = 30000;
constexpr size_t kRecentSize = 100;
constexpr std::string_view kLoginPrompt = "login: ";

// The delay of 0x9E, read as a decimal number the way atoi would; a delay
// is kept below 2^31 so that the signed deadline test stays meaningful.
uint32_t ParseDelay(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    if (i < text.size() && text[i] == '+') ++i;
    uint64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min<uint64_t>(value * 10 + static_cast<uint64_t>(text[i] - '0'), INT32_MAX);
    }
    return static_cast<uint32_t>(value);
}

}  // namespace

uint32_t IChronelHost::HandshakeNonce() {
    std::random_device device;
    return static_cast<uint32_t>(device());
}

struct Chronel::Impl {
    explicit Impl(IChronelHost& h) : host(h) {
        out.reserve(kOutputSize);
        queue.reserve(kQueueSize);
        command.reserve(kCommandSize);
        recent.fill(' ');
    }

    void Emit(char c);
    void EmitAll(std::string_view bytes);
    void Step(char c);
    void HandshakeStep(char c);
    void StepOne(char c);
    void StepTwo(char c);
    void Fail(std::string_view text);
    void CommandStep(char c);
    void Collect(char c);
    void WriteLine(std::string_view line);
    void SetAlarm(uint32_t ms);
    void StopAlarm();
    void Flush();
    bool RecentEndsWith(std::string_view text) const;

    IChronelHost& host;
    std::string out;
    bool loginPrompt = false;
    std::string queue;
    bool enciphering = false;
    bool stamping = false;
    ChronelCipher cipherIn{0};
    ChronelCipher cipherOut{0};

    Stage state = Stage::WaitingForPrompt;
    bool failed = false;
    std::array<char, kRecentSize> recent{};
    size_t recentEnd = 0;  // where the next byte goes; the oldest byte sits there
    size_t counter = 0;
    std::array<unsigned char, ChronelHandshake::kCheckSize> message{};
    uint32_t clientNonce = 0;
    std::optional<ChronelHandshake> handshake;
    uint32_t handshakeTime = 0;

    std::string command;
    bool commandOverflow = false;
    Building building = Building::Nothing;

    uint32_t alarmDelay = 0;
    uint32_t alarmCompleted = 0;
    bool alarmPending = false;
    uint32_t alarmDeadline = 0;
    bool alarmActive = false;

    ChronelDecoder decoder;
};

void Chronel::Impl::Emit(char c) {
    if (out.size() == kOutputSize && host.TakeFilterOutput(out)) out.clear();
    out += c;
}

void Chronel::Impl::EmitAll(std::string_view bytes) {
    while (!bytes.empty()) {
        if (out.size() == kOutputSize && host.TakeFilterOutput(out)) out.clear();
        // Past the limit only when the host would not take the full buffer.
        const size_t room = out.size() < kOutputSize ? kOutputSize - out.size() : bytes.size();
        const size_t take = std::min(room, bytes.size());
        out.append(bytes.substr(0, take));
        bytes.remove_prefix(take);
    }
}

bool Chronel::Impl::RecentEndsWith(std::string_view text) const {
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t at = (recentEnd + kRecentSize - text.size() + i) % kRecentSize;
        if (recent[at] != text[i]) return false;
    }
    return true;
}

void Chronel::Impl::Step(char c) {
    if (state == Stage::Done) {
        CommandStep(c);
    } else {
        HandshakeStep(c);
    }
}

void Chronel::Impl::HandshakeStep(char c) {
    recent[recentEnd] = c;
    recentEnd = (recentEnd + 1) % kRecentSize;
    ++counter;
    if (failed) {
        Emit(c);
        return;
    }
    if (state == Stage::WaitingForPrompt) {
        Emit(c);
        if (RecentEndsWith(kLoginPrompt)) {
            clientNonce = host.HandshakeNonce();
            host.SendRaw(ChronelHandshake::Hello(clientNonce));
            loginPrompt = true;
            counter = 0;
            state = Stage::StepOne;
        }
    } else if (state == Stage::StepOne) {
        StepOne(c);
    } else {
        StepTwo(c);
    }
}

void Chronel::Impl::StepOne(char c) {
    message[counter - 1] = static_cast<unsigned char>(c);
    // Fail at the first wrong byte, so that a server which does not speak
    // Chronel is not waited for and its text reaches the console.
    if ((counter == 1 && message[0] != ChronelHandshake::kAccept) ||
        (counter == 2 && message[1] != ChronelHandshake::kVersion)) {
        Fail("Chronel authentication failed in step 1\n");
        return;
    }
    if (counter < ChronelHandshake::kStep1Size) return;
    handshake.emplace(clientNonce, ChronelHandshake::GetLe32(&message[2]));
    host.SendRaw(handshake->Answer());
    counter = 0;
    state = Stage::StepTwo;
}

void Chronel::Impl::StepTwo(char c) {
    message[counter - 1] = static_cast<unsigned char>(c);
    if (counter == 1 && message[0] != ChronelHandshake::kCheck) {
        Fail("Chronel authentication failed to get the check string from the server\n");
        return;
    }
    if (counter < ChronelHandshake::kCheckSize) return;
    const std::string expected = handshake->CheckString();
    if (!std::equal(expected.begin(), expected.end(), message.begin(),
                    [](char a, unsigned char b) { return static_cast<unsigned char>(a) == b; })) {
        Fail("Chronel authentication failed to get the check string from the server\n");
        return;
    }
    cipherIn = ChronelCipher(handshake->ServerToClientKey());
    cipherOut = ChronelCipher(handshake->ClientToServerKey());
    enciphering = true;
    state = Stage::Done;
    handshakeTime = host.TickCount();
    stamping = true;
    Flush();
}

void Chronel::Impl::Fail(std::string_view text) {
    failed = true;
    host.ShowChronelText(text);
}

void Chronel::Impl::CommandStep(char c) {
    const auto byte = static_cast<uint8_t>(c);
    switch (building) {
        case Building::Nothing:
            if (byte == kEchoStart || byte == kAlarmStart) {
                EmitAll(command);
                command.clear();
                commandOverflow = false;
                building = static_cast<Building>(byte);
            } else {
                Emit(c);
            }
            break;
        case Building::AlarmDelay:
            if (c == '\n') {
                alarmDelay = ParseDelay(command);
                alarmPending = false;
                command.clear();
                building = Building::AlarmText;
                StopAlarm();
            } else {
                Collect(c);
            }
            break;
        case Building::AlarmText:
            if (byte == kAlarmEnd) {
                alarmCompleted = host.TickCount();
                alarmPending = true;
                EmitAll(command);
                command.clear();
                building = Building::Nothing;
                WriteLine(std::string{kAlarmAck} + "\r\n");
                SetAlarm(alarmDelay);
            } else {
                Collect(c);
            }
            break;
        case Building::Echo:
            if (c == '\n') {
                WriteLine(kEchoReply + command.substr(0, kEchoLength) + "\r\n");
                command.clear();
                building = Building::Nothing;
            } else {
                Collect(c);
            }
            break;
        default:
            host.ShowChronelText("Chronel building_command has a bogus value\n");
            break;
    }
}

void Chronel::Impl::Collect(char c) {
    if (command.size() < kCommandSize) {
        command += c;
        return;
    }
    if (!commandOverflow) host.ShowChronelText("Chronel buffer overflow\n");
    commandOverflow = true;
    // An alarm's text is bound for the parser anyway: pass on what is
    // collected and keep going. The other commands only need their first
    // bytes (a number, 95 characters), so the rest is dropped.
    if (building == Building::AlarmText) {
        EmitAll(command);
        command.clear();
        command += c;
    }
}

void Chronel::Impl::WriteLine(std::string_view line) {
    std::string wire;
    if (stamping) {
        wire = std::to_string(static_cast<uint32_t>(host.TickCount() - handshakeTime));
        wire += ' ';
    }
    wire += line;
    if (wire.size() > kQueueSize) {
        host.ShowChronelText("write_line_to_server:  line too long\n");
        return;
    }
    if (enciphering) {
        for (char& c : wire) c = static_cast<char>(cipherOut.Encipher(static_cast<uint8_t>(c)));
    }
    host.SendRaw(wire);
}

void Chronel::Impl::SetAlarm(uint32_t ms) {
    if (!host.HasAlarmWindow()) {
        host.ShowChronelText("Chronel::set_alarm hWnd null\n");
        return;
    }
    alarmDeadline = host.TickCount() + ms;
    if (!host.StartAlarmTimer(std::min(ms, kAlarmStep))) {
        host.ShowChronelText("Chronel couldn't set timer\n");
        return;
    }
    alarmActive = true;
}

void Chronel::Impl::StopAlarm() {
    if (!alarmActive) return;
    host.StopAlarmTimer();
    alarmActive = false;
}

void Chronel::Impl::Flush() {
    if (state != Stage::Done) return;
    const size_t end = queue.rfind('\n');
    if (end != std::string::npos) {
        std::string_view lines(queue.data(), end + 1);
        while (!lines.empty()) {
            const size_t eol = lines.find('\n');
            WriteLine(lines.substr(0, eol + 1));
            lines.remove_prefix(eol + 1);
        }
    }
    queue.clear();
}

Chronel::Chronel(IChronelHost& host) : m_impl(new Impl(host)) {}

Chronel::~Chronel() {
    m_impl->StopAlarm();
    delete m_impl;
}

std::string_view Chronel::Filter(const char* bytes, size_t length) {
    Impl& d = *m_impl;
    d.out.clear();
    std::array<uint16_t, ChronelDecoder::kMaxSymbolsPerByte> symbols;
    for (size_t i = 0; i < length; ++i) {
        if (!d.enciphering) {
            d.Step(bytes[i]);
            continue;
        }
        const uint8_t plain = d.cipherIn.Decipher(static_cast<uint8_t>(bytes[i]));
        const size_t count = d.decoder.Decode(plain, symbols.data());
        for (size_t s = 0; s < count; ++s) {
            const int symbol = symbols[s];
            if (symbol < ChronelTables::kEndByte) {
                d.Step(static_cast<char>(symbol));
            } else if (symbol >= ChronelTables::kFirstString) {
                const std::string_view text =
                    ChronelTables::kStrings[symbol - ChronelTables::kFirstString];
                // No fixed string holds a command byte, so outside a command
                // a string is plain output as a whole.
                if (d.state == Stage::Done && d.building == Building::Nothing) {
                    d.EmitAll(text);
                } else {
                    for (char c : text) d.Step(c);
                }
            }
        }
    }
    return d.out;
}

void Chronel::Queue(std::string_view text) {
    Impl& d = *m_impl;
    if (!d.stamping) {
        d.queue.append(text.substr(0, kQueueSize - d.queue.size()));
        return;
    }
    // Once stamping is on every line leaves at once, so text longer than the
    // queue is taken a line at a time rather than cut at 1024 bytes.
    while (!text.empty()) {
        const size_t eol = text.find('\n');
        const size_t take = eol == std::string_view::npos ? text.size() : eol + 1;
        if (take > kQueueSize) {
            d.host.ShowChronelText("write_line_to_server:  line too long\n");
        } else {
            d.queue.append(text.substr(0, take));
            d.Flush();
        }
        text.remove_prefix(take);
    }
}

void Chronel::Flush() {
    m_impl->Flush();
}

bool Chronel::LoginPromptSeen() const {
    return m_impl->loginPrompt;
}

void Chronel::ClearLoginPrompt() {
    m_impl->loginPrompt = false;
}

void Chronel::OnAlarmTimer() {
    Impl& d = *m_impl;
    // A tick that was already on its way when the alarm was stopped.
    if (!d.alarmActive) return;
    d.host.StopAlarmTimer();
    d.alarmActive = false;
    const auto remaining = static_cast<int32_t>(d.alarmDeadline - d.host.TickCount());
    // At the deadline itself the alarm is due: an alarm of 0 ms must fire
    // at the first tick even when the clock has not moved yet.
    if (remaining <= 0) {
        d.WriteLine(std::string{kAlarmFired} + "\r\n");
    } else {
        d.SetAlarm(static_cast<uint32_t>(remaining));
    }
}

bool Chronel::HandshakeDone() const {
    return m_impl->state == Stage::Done;
}

bool Chronel::HandshakeFailed() const {
    return m_impl->failed;
}
