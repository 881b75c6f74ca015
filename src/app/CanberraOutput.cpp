// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "app/CanberraOutput.h"

#include <QApplication>

#if KORDANE_HAVE_CANBERRA
#include <canberra.h>
#endif

namespace {

// Every event sound shares one id, so that cancelling it cuts off whatever
// is playing, as the classic player did.
constexpr unsigned kSoundId = 1;

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
    }
    if (interrupt) {
        ca_context_cancel(m_context, kSoundId);
    } else if (m_playing.load() > 0) {
        return;
    }
    ca_proplist* props = nullptr;
    if (ca_proplist_create(&props) < 0) return;
    ca_proplist_sets(props, CA_PROP_MEDIA_FILENAME, path.c_str());
    // The files are the user's to change between plays; nothing is cached.
    ca_proplist_sets(props, CA_PROP_CANBERRA_CACHE_CONTROL, "never");
    ++m_playing;
    if (ca_context_play_full(m_context, kSoundId, props, &CCanberraOutput::Finished, this) < 0) {
        --m_playing;
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

void CCanberraOutput::Finished(ca_context*, uint32_t, int, void* self) {
    --static_cast<CCanberraOutput*>(self)->m_playing;
}
