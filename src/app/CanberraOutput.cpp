// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "app/CanberraOutput.h"

#include <QApplication>
#include <vector>

#if KORDANE_HAVE_CANBERRA
#include <canberra.h>
#endif
#if KORDANE_HAVE_ALSA
#include <alsa/asoundlib.h>
#endif

namespace {

#if KORDANE_HAVE_ALSA
// Without a sound card the ALSA library prints eight lines of configuration
// errors for every sound it cannot play; a missing device is not an error here.
void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}
#endif

}  // namespace

CCanberraOutput::CCanberraOutput() = default;

CCanberraOutput::~CCanberraOutput() {
#if KORDANE_HAVE_CANBERRA
    // Waits for the library's threads, so no callback can reach a dead object.
    if (m_context) ca_context_destroy(m_context);
#endif
}

void CCanberraOutput::Play(const std::string& path, bool interrupt) {
#if KORDANE_HAVE_CANBERRA
    if (m_unavailable) return;
    if (!m_context) {
        if (ca_context_create(&m_context) < 0) {
            m_context = nullptr;
            m_unavailable = true;
            return;
        }
        ca_context_change_props(m_context, CA_PROP_APPLICATION_NAME, "Kordane 2", nullptr);
#if KORDANE_HAVE_ALSA
        snd_lib_error_set_handler(&IgnoreAlsaError);
#endif
    }
    std::vector<uint32_t> playing;
    {
        const std::lock_guard<std::mutex> hold(m_lock);
        if (!interrupt && !m_active.empty()) return;
        playing.assign(m_active.begin(), m_active.end());
    }
    // Outside the lock: a cancel reports to Finished at once, on this thread.
    for (uint32_t id : playing) ca_context_cancel(m_context, id);

    ca_proplist* props = nullptr;
    if (ca_proplist_create(&props) < 0) return;
    ca_proplist_sets(props, CA_PROP_MEDIA_FILENAME, path.c_str());
    // The files are the user's to change between plays; nothing is cached.
    ca_proplist_sets(props, CA_PROP_CANBERRA_CACHE_CONTROL, "never");
    if (++m_lastId == 0) ++m_lastId;  // 0 is no sound's id
    const uint32_t id = m_lastId;
    {
        const std::lock_guard<std::mutex> hold(m_lock);
        m_active.insert(id);
    }
    if (ca_context_play_full(m_context, id, props, &CCanberraOutput::Finished, this) < 0) {
        const std::lock_guard<std::mutex> hold(m_lock);
        m_active.erase(id);
    }
    ca_proplist_destroy(props);
#else
    (void)path;
    (void)interrupt;
#endif
}

void CCanberraOutput::Beep() {
    QApplication::beep();
}

void CCanberraOutput::Finished(ca_context*, uint32_t id, int, void* self) {
    auto* output = static_cast<CCanberraOutput*>(self);
    const std::lock_guard<std::mutex> hold(output->m_lock);
    output->m_active.erase(id);
}
