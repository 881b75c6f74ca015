// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <bitset>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "DatagramWriter.h"
#include "LineSplitter.h"
#include "net/ChronelServerSession.h"

class Transcript;

// One connected client of the test server, without its socket: its Chronel
// end, its line reader, its login state and identity, the datagrams and
// level-1 mode it asked for, and its output. ServerCore feeds it bytes and
// runs the login and the commands on it; SocketServer writes its outbox.
//
// Output is collected as plain bytes and handed to Chronel (and to the
// transcript) in one piece by Flush, so the transcript shows what the server
// meant to say and the wire gets it encoded as the client expects.
class ClientSession {
  public:
    enum class State { LoginPrompt, PasswordPrompt, GuestConfirm, RegisterConfirm, LoggedIn };
    enum class Close { None, Orderly, Reset };
    static constexpr int kMaxDatagrams = 256;

    ClientSession(int id, Transcript& transcript,
                  ChronelServerSession::FailAt chronelFail = ChronelServerSession::FailAt::None);

    int Id() const { return m_id; }
    ChronelServerSession::Mode ChronelMode() const { return m_chronel.GetMode(); }

    // Runs received wire bytes through Chronel (its replies go straight to
    // the outbox) and returns the lines they complete.
    std::vector<LineSplitter::Line> Receive(std::string_view wire);

    // Free text: 0x19 and 0x1A are removed (see DatagramWriter).
    void SendText(std::string_view text);
    // Bytes already framed (datagrams, block frames, marks).
    void SendFramed(std::string_view bytes);
    // The datagram, if this client asked for its number.
    void SendDatagram(const DatagramWriter& datagram);
    // The datagram if this client asked for it, else the text that says the
    // same to a person.
    void SendDatagramOrText(const DatagramWriter& datagram, std::string_view text);
    // Text that may run longer than a page: a reply of more than "height"
    // lines stops after a page with kMorePrompt, and SendMore sends the next
    // page. Text paged while pages are held back goes after them.
    void SendPaged(std::string_view text);
    // The next page; false when nothing is held back.
    bool SendMore();
    void DropMore() { m_more.clear(); }
    // Batches of a game list sent as datagrams, held back until "more";
    // a new list replaces them.
    void SetListBatches(std::vector<std::string> batches) { m_listBatches = std::move(batches); }
    // Sends the next batch; false when none is held back.
    bool SendNextListBatch();
    static constexpr std::string_view kMorePrompt = "[type \"more\" to continue]\n";
    // Page height when "height" is unset or out of range; and its range.
    static constexpr int kDefaultHeight = 20;
    static constexpr int kMinHeight = 5;
    static constexpr int kMaxHeight = 240;
    int PageHeight() const;
    // A Chronel timing command; only Chronel clients get it.
    void SendTiming(std::string_view command);
    // Moves the collected output through Chronel into the outbox.
    void Flush();

    // Wire bytes waiting for the socket.
    std::string& Outbox() { return m_outbox; }
    bool HasPendingOutput() const { return !m_plain.empty(); }

    // "level2settings=": position n switches datagram n; anything past
    // kMaxDatagrams is ignored.
    void SetLevel2Settings(std::string_view flags);
    // "Set-2": false when the number is out of range.
    bool SetDatagram(int number, bool on);
    bool WantsDatagram(int number) const;
    bool WantsDatagram(DatagramNumber number) const {
        return WantsDatagram(static_cast<int>(number));
    }
    void SetLevel1(int value) { m_level1 = value; }
    bool Level1On() const { return m_level1 > 0; }

    State GetState() const { return m_state; }
    void SetState(State state) { m_state = state; }
    bool LoggedIn() const { return m_state == State::LoggedIn; }

    // Identity once logged in (or, for a pending login, the handle asked for).
    const std::string& Handle() const { return m_handle; }
    void SetHandle(std::string handle) { m_handle = std::move(handle); }
    const std::string& Titles() const { return m_titles; }
    void SetTitles(std::string titles) { m_titles = std::move(titles); }
    const std::vector<int>& Ratings() const { return m_ratings; }
    void SetRatings(std::vector<int> ratings) { m_ratings = std::move(ratings); }
    bool IsGuest() const { return m_guest; }
    void SetGuest(bool guest) { m_guest = guest; }
    // The handle with its titles in brackets, as people are shown in text.
    std::string DisplayName() const;

    // Server variables ("set", "Set-quietly"); names without regard to case.
    void SetVariable(std::string_view name, std::string_view value);
    std::string Variable(std::string_view name) const;
    const std::map<std::string, std::string>& Variables() const { return m_variables; }

    // The person whose games this one observes as they start ("follow");
    // empty when following nobody.
    const std::string& Following() const { return m_following; }
    void SetFollowing(std::string handle) { m_following = std::move(handle); }
    // When the session logged in, and when it last gave a command (server
    // clock, ms).
    int64_t LoginMs() const { return m_loginMs; }
    void SetLoginMs(int64_t ms) { m_loginMs = ms; }
    int64_t LastCommandMs() const { return m_lastCommandMs; }
    void SetLastCommandMs(int64_t ms) { m_lastCommandMs = ms; }

    // Channels joined with "+channel".
    std::set<int>& Channels() { return m_channels; }

    // A session of the server itself (the computer player): its output is
    // dropped, as nobody reads it.
    void SetRobot(bool robot) { m_robot = robot; }
    bool IsRobot() const { return m_robot; }

    void RequestClose(Close how);
    Close CloseRequest() const { return m_close; }

  private:
    int m_id;
    Transcript& m_transcript;
    ChronelServerSession m_chronel;
    bool m_chronelFailureNoted = false;
    LineSplitter m_lines;

    std::string m_plain;   // output not yet through Chronel
    std::string m_outbox;  // wire bytes for the socket
    std::vector<std::string> m_listBatches;
    std::string m_more;  // pages held back until "more"

    State m_state = State::LoginPrompt;
    std::bitset<kMaxDatagrams> m_datagrams;
    int m_level1 = 0;
    std::string m_handle;
    std::string m_titles;
    std::vector<int> m_ratings;
    bool m_guest = false;
    std::map<std::string, std::string> m_variables;
    std::set<int> m_channels;
    std::string m_following;
    int64_t m_loginMs = 0;
    int64_t m_lastCommandMs = 0;
    Close m_close = Close::None;
    bool m_robot = false;
};
