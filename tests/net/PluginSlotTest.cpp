// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// What a plug-in may see and what its records do: the restriction while the
// user plays, approval, computer accounts, refused subscriptions, names.
#include <gtest/gtest.h>

#include <string>

#include "net/PluginSlot.h"
#include "net/ServerMessage.h"

namespace {

using T = PluginRecordType;

CServerMessage Message(CServerMessage::Kind kind, int number) {
    CServerMessage m(kind, number);
    m.AppendField(std::to_string(number));
    return m;
}

void Subscribe(CPluginSlot& slot, T type, int16_t number) {
    slot.Apply(PluginRecords::Parse(PluginRecords::Number(type, number))[0]);
}

TEST(PluginSlot, WhatAPluginSeesWhileTheUserPlays) {
    const auto D = CServerMessage::Datagram;
    const auto L = CServerMessage::Level1;
    const struct {
        CServerMessage::Kind kind;
        int number;
        int playing;
        bool computer;
        bool approved;
        bool receives;
    } rows[] = {
        {D, 24, 0, false, false, true},   // not playing: everything subscribed
        {D, 24, 1, false, false, false},  // a move while playing
        {D, 26, 1, false, false, true},   // kibitzes are allowed
        {D, 24, 1, false, true, true},    // approved plug-ins see all
        {D, 24, 2, true, false, true},    // computer accounts are never restricted
        {D, 0, 1, false, false, true},    {D, 99, 1, false, false, true},
        {D, 98, 1, false, false, false},   // refused at subscription anyway
        {D, 100, 1, false, false, false},  // past the table
        {D, 100, 1, false, true, true},   {D, 31, 1, false, false, false},
        {L, 108, 1, false, false, false},  // blocks are always restricted
        {L, 108, 0, false, false, true},  {L, 108, 1, false, true, true},
        {D, 25, 0, false, true, false},  // not subscribed
    };
    for (const auto& row : rows) {
        CPluginSlot slot;
        slot.SetDigest("0123456789abcdef0123456789abcdef");
        for (int16_t n : {24, 26, 0, 99, 98, 100, 31}) Subscribe(slot, T::SubscribeDatagram, n);
        Subscribe(slot, T::SubscribeLevel1, 108);
        if (row.approved) {
            EXPECT_TRUE(slot.ApplyAuthResult("0123456789abcdef0123456789abcdef"));
        }
        EXPECT_EQ(slot.Receives(Message(row.kind, row.number), row.playing, row.computer),
                  row.receives)
            << row.kind << " " << row.number << " playing " << row.playing;
    }
}

TEST(PluginSlot, RefusedSubscriptionsAndUnsubscribing) {
    CPluginSlot slot;
    for (int16_t n : {92, 98, 118, 91, 91}) Subscribe(slot, T::SubscribeDatagram, n);
    for (int n : {92, 98, 118})
        EXPECT_FALSE(slot.Receives(Message(CServerMessage::Datagram, n), 0, false));
    EXPECT_TRUE(slot.Receives(Message(CServerMessage::Datagram, 91), 0, false));
    // Unsubscribing removes every copy.
    Subscribe(slot, T::UnsubscribeDatagram, 91);
    EXPECT_FALSE(slot.Receives(Message(CServerMessage::Datagram, 91), 0, false));
}

TEST(PluginSlot, NameIsFirstLineTrimmedAndCutAndGivenOnce) {
    const struct {
        const char* text;
        const char* name;
    } rows[] = {
        {"  Sample  ", "Sample"},
        {"Two\nlines", "Two"},
        {"Dos\r\nline", "Dos"},
        {"A name that is far too long", "A name that is far t"},
        {"   ", ""},
    };
    for (const auto& row : rows) EXPECT_EQ(CPluginSlot::CleanName(row.text), row.name) << row.text;

    CPluginSlot slot;
    const auto name = [&](const char* text) {
        return slot.Apply(PluginRecords::Parse(PluginRecords::Text(T::Name, text))[0]);
    };
    EXPECT_EQ(name(" First ").effect, CPluginSlot::Effect::Named);
    EXPECT_EQ(name("Second").effect, CPluginSlot::Effect::None);
    EXPECT_FALSE(slot.Ready());
    Subscribe(slot, T::Declare, 7);
    EXPECT_TRUE(slot.Ready());
    slot.SetDigest("d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(slot.AuthenticateLine(1),
              "\x18"
              "authenticateplugin 1 d41d8cd98f00b204e9800998ecf8427e \"First\" 7\n");
}

}  // namespace
