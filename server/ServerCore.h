// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "AccountStore.h"
#include "ChallengeList.h"
#include "ClientSession.h"
#include "EventBoard.h"
#include "GameRoom.h"
#include "PersonLists.h"
#include "SeekList.h"

class ComputerPlayer;
class Transcript;

// The test server without its sockets: the table of connected sessions, the
// login exchange, and the interpretation of every received line (settings
// lines, Chronel timing replies, command tags, level-1 blocks and the command
// table). SocketServer drives it from poll(); the tests and the fuzzer drive
// it directly with bytes, which is why it never touches a file descriptor.
class ServerCore {
  public:
    struct Options {
        ChronelServerSession::FailAt chronelFail = ChronelServerSession::FailAt::None;
        // Delay of the alarm sent to Chronel clients right after login.
        uint32_t loginAlarmMs = 500;
        // Seeds the passwords that "register" hands out.
        uint32_t passwordSeed = 1;
        // Milliseconds of a steady clock; the tests put their own here so
        // that clocks run out without waiting.
        std::function<int64_t()> clock;
    };

    // Outbox size past which a client that does not read is given up on.
    static constexpr size_t kMaxOutbox = 4u << 20;
    static constexpr std::string_view kLoginPrompt = "login: ";
    static constexpr std::string_view kPasswordPrompt = "password: ";
    // The version of the wild-variant name list (datagram 119).
    static constexpr std::string_view kWildNamesVersion = "vcx-2";

    ServerCore(const AccountStore& accounts, Transcript& transcript, Options options);
    ServerCore(const AccountStore& accounts, Transcript& transcript)
        : ServerCore(accounts, transcript, Options{}) {}
    ~ServerCore();
    ServerCore(const ServerCore&) = delete;
    ServerCore& operator=(const ServerCore&) = delete;

    // A new client: greets it with the login prompt; returns its id.
    int Connect();
    // Bytes from the client.
    void Receive(int id, std::string_view wire);
    // The client sent its last byte (it may still read): it is answered and
    // then closed in order.
    void PeerFinished(int id);
    // The socket is gone; forgets the session.
    void Remove(int id);

    ClientSession* Find(int id);
    std::vector<int> Ids() const;

    // Sessions that are logged in, in the order they connected.
    std::vector<ClientSession*> LoggedIn();
    ClientSession* FindLoggedIn(std::string_view handle);

    // Runs one command line of a logged-in client (tag and block handled
    // here); also used by "multi" for each of its parts, then without block.
    void RunCommand(ClientSession& session, std::string_view line, bool inBlock);

    // Chronel timing commands to a Chronel client: an echo request and an
    // alarm of `delayMs`.
    void SendTimingCommands(ClientSession& session, uint32_t delayMs);
    // What switching datagram `number` on sends at once: the identity (0),
    // the ratings (87), the variables (47, 48), the wild-variant names (116),
    // a notify-list stage mark (81) and who of the notify list is here (64).
    void SendOnSwitch(ClientSession& session, int number);
    void SendWhoAmI(ClientSession& session);

    // Registered accounts: those of the file and those made with "register".
    AccountStore& Accounts() { return m_accounts; }
    ChallengeList& Challenges() { return m_challenges; }
    // The notify, noplay and censor lists of every handle.
    PersonLists& Lists() { return m_lists; }
    // The notify list of a handle, kept while the server runs.
    std::vector<std::string>& NotifyList(std::string_view handle);
    // The handle of a person logged in or registered, spelt as the person
    // spells it; empty when nobody of that name is known.
    std::string KnownHandle(std::string_view name);
    // For "register": a free handle "Player<n>" and a new password.
    std::string FreePlayerHandle();
    std::string NewPassword();

    // "formula" and "sfilter" of a registered user last the whole run of
    // the server: a later login starts with them (guests start empty).
    void KeepVariable(const ClientSession& session, std::string_view name, std::string_view value);

    Transcript& GetTranscript() { return m_transcript; }

    GameRoom& Games() { return m_games; }
    SeekList& Seeks() { return m_seeks; }
    EventBoard& Events() { return m_events; }
    int64_t NowMs() const;
    // Clocks that ran out, and the computer player's work; the poll loop
    // calls this at least every 100 ms and whenever a watched descriptor
    // is readable.
    void Tick();
    // Descriptors besides the sockets to wake the poll loop (engine output).
    std::vector<int> WatchedFds() const;
    // Logs the computer player in, playing with the UCI engine at
    // `enginePath`, as `handle` (its account, if any, gives titles and ratings);
    // crazyhouse with `variantEnginePath` when that is not empty.
    void StartComputerPlayer(const std::string& handle, const std::string& enginePath,
                             const std::string& variantEnginePath = {});
    ComputerPlayer* Computer() { return m_computer.get(); }

  private:
    void HandleLine(ClientSession& session, const LineSplitter::Line& line);
    bool HandleSettingsLine(ClientSession& session, std::string_view line);
    void HandleLogin(ClientSession& session, std::string_view line);
    void CheckPassword(ClientSession& session, std::string_view password);
    void CompleteLogin(ClientSession& session, const AccountStore::Account* account);
    void StartRegistration(ClientSession& session);
    void TellWatchers(const ClientSession& person, bool arrived);
    void Depart(const ClientSession& session);
    void HandleCommandLine(ClientSession& session, std::string_view line);
    void FlushAll();

    AccountStore m_accounts;
    Transcript& m_transcript;
    Options m_options;
    std::map<int, std::unique_ptr<ClientSession>> m_sessions;
    int m_nextId = 1;
    int m_nextGuest = 1;
    ChallengeList m_challenges;
    PersonLists m_lists;
    std::mt19937 m_random;
    GameRoom m_games{*this};
    SeekList m_seeks;
    // By lower-case handle, then variable name.
    std::map<std::string, std::map<std::string, std::string>> m_keptVariables;
    EventBoard m_events;
    // Last: it holds a session of m_sessions and goes first.
    std::unique_ptr<ComputerPlayer> m_computer;
};
