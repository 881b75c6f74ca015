// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "ChatCommands.h"

#include "ClientSession.h"
#include "CommandTable.h"
#include "CommandWords.h"
#include "ServerCore.h"

namespace {

// Shout types of datagram 32, which decide how the client shows the text.
enum ShoutType { kShout = 0, kIShout = 1, kSShout = 2, kAnnouncement = 3 };

// A word that names a channel rather than a person.
bool ParseChannel(std::string_view word, int& channel) {
    return CommandWords::ParseInt(word, channel) && channel >= 0 &&
           channel <= ChatCommands::kMaxChannel && word.front() != '+' && word.front() != '-';
}

std::vector<ClientSession*> Members(ServerCore& core, int channel) {
    std::vector<ClientSession*> members;
    for (ClientSession* person : core.LoggedIn()) {
        if (person->Channels().count(channel) != 0) members.push_back(person);
    }
    return members;
}

void TellChannel(ServerCore& core, ClientSession& session, int channel, std::string_view text) {
    constexpr int kChannelTellType = 1;
    DatagramWriter datagram(DG_CHANNEL_TEXT);
    datagram.Add(channel)
        .Add(session.Handle())
        .Add(session.Titles())
        .Add(text)
        .Add(kChannelTellType);
    const std::string line =
        session.DisplayName() + "(" + std::to_string(channel) + "): " + std::string(text) + "\n";
    const std::vector<ClientSession*> members = Members(core, channel);
    for (ClientSession* member : members) member->SendDatagramOrText(datagram, line);
    session.SendText("(told " + std::to_string(members.size()) + " players in channel " +
                     std::to_string(channel) + ")\n");
}

void SendShout(ServerCore& core, ClientSession& session, std::string_view args, int type,
               std::string_view command) {
    if (args.empty()) {
        CommandTable::SendUsage(session, command);
        return;
    }
    DatagramWriter shout(DG_SHOUT_TEXT);
    shout.Add(session.Handle()).Add(session.Titles()).Add(type).Add(args);
    std::string text;
    switch (type) {
        case kIShout:
            text = "--> " + session.Handle() + " ";
            break;
        case kSShout:
            text = session.DisplayName() + " s-shouts: ";
            break;
        case kAnnouncement:
            text = "   ** ANNOUNCEMENT ** from " + session.DisplayName() + ": ";
            break;
        default:
            text = session.DisplayName() + " shouts: ";
            break;
    }
    text += std::string(args) + "\n";
    for (ClientSession* listener : core.LoggedIn()) listener->SendDatagramOrText(shout, text);
}

// The person named first in `args`, with the rest in `text`; answers the
// sender itself when the person is missing.
ClientSession* Recipient(ServerCore& core, ClientSession& session, std::string_view args,
                         std::string_view& text, std::string_view command) {
    const std::string_view name = CommandWords::First(args, text);
    if (name.empty() || text.empty()) {
        CommandTable::SendUsage(session, command);
        return nullptr;
    }
    ClientSession* recipient = core.FindLoggedIn(name);
    if (recipient == nullptr) session.SendText(std::string(name) + " is not logged in.\n");
    return recipient;
}

}  // namespace

void ChatCommands::Tell(ServerCore& core, ClientSession& session, std::string_view args) {
    std::string_view text;
    int channel = 0;
    if (ParseChannel(CommandWords::First(args, text), channel) && !text.empty()) {
        TellChannel(core, session, channel, text);
        return;
    }
    ClientSession* recipient = Recipient(core, session, args, text, "tell");
    if (recipient == nullptr) return;
    constexpr int kTellType = 1;  // shown as "tells you:"
    DatagramWriter tell(DG_TELL_TEXT);
    tell.Add(session.Handle()).Add(session.Titles()).Add(text).Add(kTellType);
    recipient->SendDatagramOrText(
        tell, session.DisplayName() + " tells you: " + std::string(text) + "\n");
    session.SendText("(told " + recipient->Handle() + ")\n");
    DatagramWriter echo(DG_TELL_ECHO);
    session.SendDatagram(echo.Add(recipient->Handle()));
}

void ChatCommands::Shout(ServerCore& core, ClientSession& session, std::string_view args) {
    SendShout(core, session, args, kShout, "shout");
}

void ChatCommands::IShout(ServerCore& core, ClientSession& session, std::string_view args) {
    SendShout(core, session, args, kIShout, "i");
}

void ChatCommands::SShout(ServerCore& core, ClientSession& session, std::string_view args) {
    SendShout(core, session, args, kSShout, "sshout");
}

void ChatCommands::Announce(ServerCore& core, ClientSession& session, std::string_view args) {
    SendShout(core, session, args, kAnnouncement, "announce");
}

void ChatCommands::JoinChannel(ServerCore&, ClientSession& session, std::string_view args) {
    int channel = 0;
    if (!ParseChannel(args, channel)) {
        CommandTable::SendUsage(session, "+channel");
        return;
    }
    const bool added = session.Channels().insert(channel).second;
    session.SendText("[" + std::to_string(channel) +
                     (added ? "] added to your channel list.\n" : "] is already on your list.\n"));
}

void ChatCommands::LeaveChannel(ServerCore&, ClientSession& session, std::string_view args) {
    int channel = 0;
    if (!ParseChannel(args, channel)) {
        CommandTable::SendUsage(session, "-channel");
        return;
    }
    const bool removed = session.Channels().erase(channel) != 0;
    session.SendText(
        "[" + std::to_string(channel) +
        (removed ? "] removed from your channel list.\n" : "] is not on your channel list.\n"));
}

void ChatCommands::QTell(ServerCore& core, ClientSession& session, std::string_view args) {
    std::string_view text;
    int channel = 0;
    if (ParseChannel(CommandWords::First(args, text), channel) && !text.empty()) {
        DatagramWriter quote(DG_CHANNEL_QUOTE);
        quote.Add(channel).Add(session.Handle()).Add(session.Titles()).Add(text);
        const std::vector<ClientSession*> members = Members(core, channel);
        for (ClientSession* member : members) {
            member->SendDatagramOrText(quote, ":" + std::string(text) + "\n");
        }
        session.SendText("(qtold " + std::to_string(members.size()) + " players in channel " +
                         std::to_string(channel) + ")\n");
        return;
    }
    ClientSession* recipient = Recipient(core, session, args, text, "qtell");
    if (recipient == nullptr) return;
    DatagramWriter quote(DG_PERSONAL_QUOTE);
    quote.Add(session.Handle()).Add(session.Titles()).Add(text);
    recipient->SendDatagramOrText(quote, ":" + std::string(text) + "\n");
    session.SendText("(qtold " + recipient->Handle() + ")\n");
}

void ChatCommands::Info(ServerCore& core, ClientSession& session, std::string_view args) {
    std::string_view text;
    ClientSession* recipient = Recipient(core, session, args, text, "info");
    if (recipient == nullptr) return;
    DatagramWriter info(DG_INFO_LINE);
    info.Add(session.Handle()).Add(text);
    recipient->SendDatagramOrText(info, std::string(text) + "\n");
    session.SendText("(info sent to " + recipient->Handle() + ")\n");
}
