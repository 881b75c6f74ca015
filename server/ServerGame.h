// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Referee.h"

// One game on the test server, played or examined: the players, the time
// control, the positions and moves so far (the referee's), both clocks in
// milliseconds, the pending offers, who watches and the result. GameRoom owns
// the games and sends what happens in them; this record only keeps the state
// and the rules that need no one to be told.
//
// Per-side arrays are indexed by colour number: [0] Black, [1] White.
class ServerGame {
  public:
    enum class State { Playing, Examining };
    enum Offer { kDraw = 0, kAdjourn = 1, kAbort = 2, kTakeback = 3, kOfferKinds = 4 };
    struct Ply {
        Referee::Move move;
        std::string san;
        std::string smith;
    };

    // The variants by wild number; datagram 116 lists them. The client makes
    // 23 and 24 its drop games; this server plays 0 and 23.
    static constexpr int kCrazyhouse = 23;
    static constexpr std::array<std::pair<int, std::string_view>, 8> kWildNames = {{
        {0, "Standard"},
        {1, "Shuffle"},
        {2, "Mirrored shuffle"},
        {3, "Random pieces"},
        {4, "Pawns advanced"},
        {22, "Chess960"},
        {23, "Crazyhouse"},
        {24, "Bughouse"},
    }};
    // Whether games of that wild number can be played here.
    static bool Playable(int wildNumber) { return wildNumber == 0 || wildNumber == kCrazyhouse; }
    // The variant's name, empty for a number not in the list.
    static std::string_view WildName(int wildNumber);

    int number = 0;
    uint32_t id = 0;
    State state = State::Playing;
    std::array<std::string, 2> names;
    std::array<std::string, 2> titles;
    std::array<int, 2> ratings{};
    int minutes = 0;
    int increment = 0;
    bool rated = false;
    int wild = 0;
    std::string category = "Blitz";
    // The computer player's strength for this game, -1 when it does not play.
    int skill = -1;
    // Finished games keep their result; "*" while going on.
    bool over = false;
    std::string resultCode;
    std::string result = "*";
    std::string description;
    // Tags set with "Tag" in examine mode, written over the usual ones.
    std::vector<std::pair<std::string, std::string>> tags;
    std::string date;  // "2026.12.07", the day the game started
    std::string time;  // "14:05:09", when it started (UTC)
    std::vector<std::string> observers;
    std::vector<std::string> examiners;
    // Who kept the game with "Libkeepexam"; empty for a game kept when it ended.
    std::string keptBy;
    // People who turned their board with "Flip".
    std::vector<std::string> flipped;

    // Clocks while playing: the time left at `turnStartMs`, when the side to
    // move started thinking.
    std::array<int64_t, 2> clockMs{};
    int64_t turnStartMs = 0;
    // [side][Offer]: 1 for an open offer; for a takeback the plies asked for.
    std::array<std::array<int, kOfferKinds>, 2> offers{};

    // Starts from the standard position (with empty hands in a drop game) or
    // a FEN (false when it is not one).
    void ResetStandard();
    bool ResetFromFen(std::string_view fen);
    // Starts again from the current position with no moves, after a set-up
    // edit.
    void RestartFromCurrent(const Referee& position);

    bool Timed() const { return minutes > 0 || increment > 0; }
    bool DropGame() const { return wild == kCrazyhouse; }
    // "5 0", or "untimed" for 0 0.
    std::string TimeControlText() const;

    // The position on the board: the last one while playing, the one the
    // examiners went back or forward to while examining.
    const Referee& Current() const { return m_positions[static_cast<size_t>(m_shown)]; }
    int Shown() const { return m_shown; }
    int PlyCount() const { return static_cast<int>(m_plies.size()); }
    const std::vector<Ply>& Plies() const { return m_plies; }
    // Board text of the start, or "*" for the standard start.
    std::string StartBoard() const;
    const std::string& StartFen() const { return m_startFen; }

    // Plays a legal move at the shown ply; in examine mode later moves go.
    const Ply& Play(const Referee::Move& move);
    // Goes back up to n plies (examine: the moves stay for Forward; playing:
    // they are taken back for good). Returns the plies actually gone back.
    int Back(int n, bool forget);
    // Forward up to n stored plies; returns them.
    std::vector<Ply> Forward(int n);
    // Threefold repetition of the current position.
    bool Repeated() const;

    // Whether the colour (1 White, 0 Black) is the player `handle`.
    int ColourOf(std::string_view handle) const;  // -1 when not a player
    // Time left for a side at `now`, counting the running clock down.
    int64_t TimeLeft(int side, int64_t now) const;
    // Whether a side could still mate with what it has.
    bool HasMatingMaterial(int side) const;

    // The game as PGN, one line per element (tags, a blank line, the moves
    // wrapped at 80 characters).
    std::vector<std::string> PgnLines() const;

  private:
    std::vector<Referee> m_positions{Referee()};
    std::vector<Ply> m_plies;
    int m_shown = 0;
    std::string m_startFen;  // empty for the standard start
};
