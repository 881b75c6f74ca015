// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "game/GameRegistry.h"

#include <algorithm>

#include "game/GameView.h"

namespace {

std::vector<CGameView*>& Views() {
    static std::vector<CGameView*> views;
    return views;
}

}  // namespace

void CGameRegistry::Add(CGameView* view) {
    if (std::find(Views().begin(), Views().end(), view) == Views().end()) Views().push_back(view);
}

void CGameRegistry::Remove(CGameView* view) {
    std::erase(Views(), view);
}

std::vector<CGameView*> CGameRegistry::ViewsOf(const CKordane2Doc& doc) {
    std::vector<CGameView*> out;
    for (CGameView* view : Views()) {
        if (&view->Doc() == &doc) out.push_back(view);
    }
    return out;
}

CGameView* CGameRegistry::NextGame(const CKordane2Doc& doc, const CGameView* exclude) {
    CGameView* best = nullptr;
    int32_t bestTime = 0;
    for (CGameView* view : ViewsOf(doc)) {
        if (view == exclude || !view->UserToMove()) continue;
        const int32_t left = view->UserClockRemaining();
        if (!best || left < bestTime) {
            best = view;
            bestTime = left;
        }
    }
    return best;
}
