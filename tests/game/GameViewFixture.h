// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <QObject>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "game/GameCommands.h"
#include "game/GameShared.h"
#include "game/GameView.h"
#include "net/DatagramTable.h"
#include "net/Profile.h"
#include "net/ServerMessage.h"
#include "net/qt/Kordane2Doc.h"

// Game windows of one unconnected connection whose commands and sounds are
// collected instead of sent.
class GameViewTest : public ::testing::Test {
  protected:
    GameViewTest()
        : m_profile("/tmp/kordane-game-view-" + std::to_string(::getpid()) + ".ini"),
          m_doc(m_profile) {
        QObject::connect(&m_doc, &CKordane2Doc::soundEvent,
                         [this](SoundEvent event) { m_sounds.push_back(static_cast<int>(event)); });
    }

    std::unique_ptr<CGameView> NewView() {
        auto view = std::make_unique<CGameView>(m_doc, m_shared);
        CGameView::Hooks& hooks = view->GetHooks();
        hooks.send = [this](std::string_view text) { m_sent.emplace_back(text); };
        hooks.connected = [] { return true; };
        hooks.askPromotion = [](QWidget*, bool) { return 'N'; };
        hooks.confirm = [this](QWidget*, const QString& text) {
            m_questions.push_back(text.toStdString());
            return m_answer;
        };
        hooks.activate = [this](CGameView* v) { m_activated.push_back(v); };
        view->resize(600, 400);
        return view;
    }

    static std::unique_ptr<CServerMessage> Dg(int number, std::initializer_list<std::string> args) {
        auto m = std::make_unique<CServerMessage>(CServerMessage::Datagram, number);
        m->AppendField(std::to_string(number));
        for (const std::string& a : args) m->AppendField(a);
        return m;
    }
    // Offers a datagram; true when the view took it.
    static bool Offer(CGameView& view, int number, std::initializer_list<std::string> args) {
        std::unique_ptr<CServerMessage> m = Dg(number, args);
        return view.Receive(m) != 0;
    }
    // A game start (datagram 15) for `game`, White "Wh" against Black "Bl".
    static bool Start(CGameView& view, int game, bool rated = true, const char* wild = "0") {
        return Offer(view, DG_GAME_STARTED,
                     {std::to_string(game),
                      "Wh",
                      "Bl",
                      wild,
                      "Blitz",
                      rated ? "1" : "0",
                      "3",
                      "2",
                      "3",
                      "2",
                      "1",
                      "",
                      "1500",
                      "1400",
                      "4000000000",
                      "",
                      "",
                      "0",
                      "0",
                      "0",
                      "3 2"});
    }
    // A game already under way with the user in `relation` ("PW", "O", ...)
    // and these Smith moves played (SAN is the Smith text).
    static void Join(CGameView& view, int game, const char* relation,
                     std::initializer_list<std::string> moves = {}) {
        Start(view, game);
        std::unique_ptr<CServerMessage> m = Dg(DG_POSITION_AND_MOVES, {std::to_string(game), "*"});
        for (const std::string& move : moves) m->AppendField(move + " " + move);
        view.Receive(m);
        Offer(view, DG_RELATION, {std::to_string(game), relation});
    }

    CProfile m_profile;
    CKordane2Doc m_doc;
    CGameShared m_shared;
    std::vector<std::string> m_sent;
    std::vector<int> m_sounds;
    std::vector<std::string> m_questions;
    std::vector<CGameView*> m_activated;
    bool m_answer = true;
};
