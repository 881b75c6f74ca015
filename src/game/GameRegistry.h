// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <vector>

class CGameView;
class CKordane2Doc;

// The game windows of every connection, in the order they opened, so that a
// window can find the connection's other games: the next game that waits for
// the user's move when one is answered, resigned or closed. Views register
// while they live.
class CGameRegistry {
  public:
    static void Add(CGameView* view);
    static void Remove(CGameView* view);
    static std::vector<CGameView*> ViewsOf(const CKordane2Doc& doc);
    // Among the connection's windows other than `exclude` (which may be
    // nullptr), the one where the user is to move with the least time left
    // on the user's clock; nullptr when none waits.
    static CGameView* NextGame(const CKordane2Doc& doc, const CGameView* exclude);
};
