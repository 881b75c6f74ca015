// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <string>

// Where CSoundPlayer's sounds go: the desktop's sound service in the
// program, a recorder in tests. Neither call may block or report an error;
// a missing file or audio device just stays silent.
class ISoundOutput {
  public:
    virtual ~ISoundOutput() = default;

    // Starts a wave file and returns at once. With `interrupt` the sound
    // still playing is cut off; without it the new sound is dropped while
    // another one is playing, so a burst of the same event is heard once.
    virtual void Play(const std::string& path, bool interrupt) = 0;
    // The system's default beep.
    virtual void Beep() = 0;
};
