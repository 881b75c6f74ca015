// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <cstdint>
#include <mutex>
#include <set>

#include "app/SoundOutput.h"

struct ca_context;

// Plays wave files through libcanberra, the desktop's event-sound library:
// it decodes and plays on its own threads, so the user-interface thread only
// hands over a file name. The context is opened on the first sound, so a
// program that never plays one never touches the audio system.
class CCanberraOutput : public ISoundOutput {
  public:
    CCanberraOutput();
    ~CCanberraOutput() override;
    CCanberraOutput(const CCanberraOutput&) = delete;
    CCanberraOutput& operator=(const CCanberraOutput&) = delete;

    void Play(const std::string& path, bool interrupt) override;
    void Beep() override;

  private:
    static void Finished(ca_context* context, uint32_t id, int error, void* self);

    ca_context* m_context = nullptr;
    bool m_unavailable = false;
    uint32_t m_lastId = 0;
    // Ids of the sounds started and not yet finished or cancelled. The
    // library's threads remove them, and may report one sound twice when a
    // cancel meets its natural end, so removing must be idempotent.
    std::mutex m_lock;
    std::set<uint32_t> m_active;
};
