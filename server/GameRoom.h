// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "DatagramWriter.h"
#include "ServerGame.h"

class ClientSession;
class ServerCore;

// The games of the test server: the ones being played and examined, by game
// number, and the finished ones kept for "Logpgn" and "examine #id". It
// starts and ends games, applies what the players and examiners do through
// the referee, keeps the clocks, and sends every party (players, examiners,
// observers) the game datagrams, or text to a client that did not ask for
// them. The command handlers (GameCommands, ExamineCommands) read the
// person's words and call this.
class GameRoom {
  public:
    struct Terms {
        std::string white;
        std::string black;
        int minutes = 0;
        int increment = 0;
        bool rated = false;
        int category = 2;  // rating category number
        int skill = -1;
        int wild = 0;
    };
    // Finished games kept at most.
    static constexpr size_t kHistory = 500;
    // How many games one person may be part of at once.
    static constexpr size_t kMaxGamesPerPerson = 20;

    explicit GameRoom(ServerCore& core) : m_core(core) {}

    // A played game between two people who are logged in.
    ServerGame& StartPlayed(const Terms& terms);
    // An examined game of one person ("examine", a match against oneself).
    ServerGame& StartExamined(const std::string& handle, int minutes, int increment);
    // A finished game taken up again for examining.
    ServerGame& ExamineStored(const std::string& handle, const ServerGame& stored);

    ServerGame* Find(int number);
    // A game going on or finished, by its identifier.
    const ServerGame* FindById(uint32_t id) const;
    // The game the person's moves and offers go to: the one named by the
    // last "Goto"/"Primary", else the newest one the person plays or examines.
    ServerGame* CurrentOf(std::string_view handle);
    void SetCurrent(std::string_view handle, int number);
    // Games the person plays (not examines, not observes).
    std::vector<ServerGame*> PlayedBy(std::string_view handle);
    std::vector<ServerGame*> All();
    size_t CountInvolving(std::string_view handle);

    // What a player or examiner does; text lines go to `actor`.
    void Move(ClientSession& actor, ServerGame& game, std::string_view text);
    void Offer(ClientSession& actor, ServerGame& game, ServerGame::Offer kind, int plies);
    void Resign(ClientSession& actor, ServerGame& game);
    void Flag(ClientSession& actor, ServerGame& game);
    void Moretime(ClientSession& actor, ServerGame& game, int seconds);
    void Pending(ClientSession& actor, ServerGame& game);
    // Ends a played game: datagram 16 and relation "X" to every party, then
    // the players who want it go on examining it.
    void End(ServerGame& game, std::string code, std::string result, std::string description);

    // Observing and examining.
    void Observe(ClientSession& person, ServerGame& game);
    void Unobserve(ClientSession& person, ServerGame& game);
    void Unexamine(ClientSession& person, ServerGame& game);
    // Back (n > 0) or forward (n < 0) in an examined game.
    void Navigate(ServerGame& game, int n);
    // Board edits and position loads of an examined game.
    void SetUpDrop(ClientSession& actor, ServerGame& game, char piece, int square);
    void LoadFen(ClientSession& actor, ServerGame& game, std::string_view fen);
    void SendHeaderToAll(ServerGame& game);

    // Stores the game as it stands under its identifier ("Libkeepexam"), in
    // the library of `keeper`.
    void KeepCopy(const ServerGame& game, const std::string& keeper);
    // Finished and kept games, oldest first.
    const std::vector<ServerGame>& Finished() const { return m_finished; }

    // Someone left the server: forfeits, observers and examiners go.
    void Leave(std::string_view handle);
    // Flags players out of time whose opponent has "autoflag" 1.
    void Tick(int64_t now);

    // Datagrams to every party of the game (players, examiners, observers).
    void ToAll(const ServerGame& game, const DatagramWriter& datagram, std::string_view text = {});
    DatagramWriter Header(const ServerGame& game, DatagramNumber number) const;
    DatagramWriter Position(const ServerGame& game) const;
    void SendClocks(const ServerGame& game, ClientSession* only = nullptr);
    void SendOffers(const ServerGame& game);
    // Datagram 37, both hands, in a drop game (nothing otherwise).
    void SendHoldings(const ServerGame& game, ClientSession* only = nullptr);
    // 15/18/40, 43 and 25 (and 56 for a played game, 37 for a drop game)
    // to one person.
    void SendGameTo(ClientSession& person, const ServerGame& game, DatagramNumber start,
                    std::string_view relation);
    static DatagramWriter Relation(const ServerGame& game, std::string_view code);

  private:
    std::vector<std::string> Parties(const ServerGame& game) const;
    void Keep(const ServerGame& game);
    void Remove(int number);
    void CheckEnding(ServerGame& game);
    void FlagSide(ServerGame& game, int side);
    void TakeBack(ServerGame& game, int plies);
    // Charges the side to move for its time so far and restarts its turn.
    void StopClock(ServerGame& game);
    int64_t Now() const;

    ServerCore& m_core;
    std::map<int, std::unique_ptr<ServerGame>> m_games;
    std::vector<ServerGame> m_finished;
    std::map<std::string, int> m_current;  // by lower-case handle
    int m_nextNumber = 1;
    uint32_t m_nextId = 1;
};
