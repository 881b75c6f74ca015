// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "chess/PgnGame.h"

// The server commands that upload a PGN game as an examined game: a match
// against oneself, the start position, the names, the moves in coordinates,
// the result and the tags worth keeping, in that order. The PGN list sends
// each line through the connection's ordinary command path, untagged; it
// refuses the upload while the user plays (kRefusedWhilePlaying) and then
// sends nothing.
//
// Every value taken from the file or from the server is cleaned of control
// characters before it goes into a line, so a name or tag value holding a
// line break can never smuggle in a second command.
class PgnUpload {
  public:
    static constexpr std::string_view kRefusedWhilePlaying =
        "You can not upload while playing a game";

    // The command lines (each ending in "\n") for `game`, uploaded by the user
    // `handle`; `toLibrary` adds the request to keep it in the library.
    static std::vector<std::string> Lines(const PgnGame& game, std::string_view handle,
                                          bool toLibrary);
    // The same with the game's Smith moves already converted.
    static std::vector<std::string> Lines(const PgnGame& game, std::string_view handle,
                                          const std::vector<std::string>& smithMoves,
                                          bool toLibrary);

    // The value with every control character (bytes 0..31 and 127) removed,
    // cut to at most maxLength bytes.
    static std::string CommandValue(std::string_view value,
                                    size_t maxLength = std::string_view::npos);
    // The move as sent: origin and destination (or the drop), plus "=Q",
    // "=N", "=R" or "=B" for a promotion.
    static std::string MoveCommand(std::string_view smith);
};
