// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <string>
#include <string_view>

class ClientSession;
class ServerCore;

// Challenges between two logged-in players, rows of CommandTable: "match"
// sends datagram 29 to both, and "unmatch", "decline" and "accept" end the
// challenge with datagram 30 to both (or text to those who do not want the
// datagrams); "accept" then starts the game (GameRoom). A match against
// oneself opens a game to examine, as the client's PGN upload expects.
class MatchCommands {
  public:
    static void Match(ServerCore& core, ClientSession& session, std::string_view args);
    static void Unmatch(ServerCore& core, ClientSession& session, std::string_view args);
    static void Decline(ServerCore& core, ClientSession& session, std::string_view args);
    static void Accept(ServerCore& core, ClientSession& session, std::string_view args);

    // The rating category of a time control: bullet under 3 minutes of
    // expected length, blitz under 15, standard beyond (1, 2, 3).
    static int CategoryOf(int minutes, int increment);
    // The change of `own` rating for a result worth `score` (0, 0.5, 1), with
    // the usual logistic expectation and a factor of 32.
    static int RatingChange(int own, int other, double score);
    // Variant games are rated in their own category, whatever the time.
    static constexpr int kWildCategory = 4;
    static constexpr std::string_view kPlayableWilds =
        "Only standard chess (w0) and crazyhouse (w23) are played here.\n";
    // Ends every challenge from or to `handle`, telling the parties `why`.
    static void EndChallengesOf(ServerCore& core, std::string_view handle, const std::string& why);
};
