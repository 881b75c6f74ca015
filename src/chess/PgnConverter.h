// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chess/PgnGame.h"
#include "chess/Position.h"

// Turns a PGN game's moves into Smith moves for a GameRecord, one at a time,
// on a numeric Position that starts from the "FEN" tag or the standard start.
// The first move that cannot be read, is illegal or is ambiguous stops the
// conversion; the moves before it stand. The game window (showing a game),
// PgnUpload (sending it) and the converter tool use it.
class PgnConverter {
  public:
    // Why conversion stopped: a SanResult of the failed move (SanNoMove,
    // SanAmbiguous, SanLeavesCheck), or kUnreadable when the SAN reader took
    // it but the converter could not (a bad drop, for example).
    static constexpr int kUnreadable = -4;

    struct Result {
        int converted = 0;     // Smith moves produced
        bool stopped = false;  // a move could not be converted
        int reason = 0;        // when stopped: see above
    };

    explicit PgnConverter(const PgnGame& game);

    bool Done() const { return m_stopped || m_next >= m_game.MoveCount(); }
    // Converts the next move: its Smith text, or none when it cannot be
    // converted (the conversion then stops; Reason() says why).
    std::optional<std::string> Step();

    // The position after the moves converted so far.
    const Position& Current() const { return m_position; }
    // Index of the next move to convert (the failed one after a stop).
    int NextIndex() const { return m_next; }
    bool Stopped() const { return m_stopped; }
    int Reason() const { return m_reason; }

    // The whole game at once: its Smith moves appended to `out` (cleared
    // first).
    static Result PgnToSmith(const PgnGame& game, std::vector<std::string>& out);

    // The start position of a game: the "FEN" tag's fields read with
    // "%79s %3s %7s %3s %4s" (the fifth field being passed as the move
    // number), or the standard start without the tag.
    static Position StartPosition(const PgnGame& game);

    // The SAN the client writes for a converted Smith move, given the
    // positions before and after it: "O-O" / "O-O-O" (with "+" for a check)
    // for castling, the drop itself for a drop, build_pretty_move otherwise.
    static std::string WrittenSan(std::string_view smith, const Position& before,
                                  const Position& after);

    // A word for a stop reason: "illegal", "ambiguous", "check", "unreadable".
    static std::string_view ReasonText(int reason);

  private:
    const PgnGame& m_game;
    Position m_position;
    int m_next = 0;
    bool m_stopped = false;
    int m_reason = 0;
};
