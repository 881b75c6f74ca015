// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <functional>
#include <string_view>

// The debug channel of the rules and notation code. Position, GameRecord and
// the notation functions report oddities here ("check_general: piece
// unidentifiable.\n" and the like); the user never sees them. Silent until the
// application (or a test) installs a sink. Everything runs on the one user
// interface thread, so the sink is a plain process-wide value.
class Diagnostics {
  public:
    using Sink = std::function<void(std::string_view)>;

    // Installs a sink; an empty one makes the channel silent again.
    static void SetSink(Sink sink);
    static void Write(std::string_view text);

  private:
    static Sink& CurrentSink();
};
