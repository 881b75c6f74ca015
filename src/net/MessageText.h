// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <optional>
#include <string>

#include "net/ServerMessage.h"
#include "net/SoundEvent.h"

// The eleven text classes of console text, in the order of their settings keys.
enum class TextClass {
    Background = 0,
    Shout,
    SShout,
    Announcement,
    PersonalTell,
    Response,
    Nonresponse,
    Typed,
    Kibitz,
    Warning,
    DefaultChannel,
};

inline constexpr int kTextClassCount = 11;

// The type of a tell or a channel line that marks it as a warning for the
// user: shown in the Warning class, and a tell of this type sounds the alert.
inline constexpr int kAlertType = 4;

// How a server message reads in a console, the style it is shown in, and the
// sound it brings.
struct MessageText {
    std::string text;  // empty: nothing is shown
    TextClass textClass = TextClass::Nonresponse;
    // A channel line in DefaultChannel takes this channel's own colour when
    // it has one; -1 for every other message.
    int channel = -1;
    std::optional<SoundEvent> sound;
};

// The display text of a message: plain text as it came, the readable form of
// the text datagrams (tells, shouts, channel lines, notifications, quotes),
// and nothing for every other datagram.
MessageText FormatMessageText(const CServerMessage& message);

// The text class a message is shown in. Channel lines report DefaultChannel;
// the console replaces that by the channel's own colour when it has one.
TextClass TextClassFor(const CServerMessage& message);

// The channel whose own colour a message may take (see MessageText::channel).
int ColourChannelFor(const CServerMessage& message);
