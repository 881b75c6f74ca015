// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "ChatCommands.h"

#include "AccountStore.h"
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

// The person or channel a tell goes to. The client's chat consoles write a
// "!" after a name ("Xtell Judit! hi") so that a name is never read as part
// of the text; it is not part of the name.
std::string_view TargetWord(std::string_view word) {
    if (word.size() > 1 && word.back() == '!') word.remove_suffix(1);
    return word;
}

bool Censors(ServerCore& core, const ClientSession& listener, const ClientSession& speaker) {
    return core.Lists().Holds(PersonLists::Kind::Censor, listener.Handle(), speaker.Handle());
}

void TellChannel(ServerCore& core, ClientSession& session, int channel, std::string_view text,
                 bool confirm) {
    constexpr int kChannelTellType = 1;
    DatagramWriter datagram(DG_CHANNEL_TEXT);
    datagram.Add(channel)
        .Add(session.Handle())
        .Add(session.Titles())
        .Add(text)
        .Add(kChannelTellType);
    const std::string line =
        session.DisplayName() + "(" + std::to_string(channel) + "): " + std::string(text) + "\n";
    size_t told = 0;
    // The sender hears its own line when it is a member: inside its reply
    // block, which is how a chat console learns the channel it talks in.
    for (ClientSession* member : Members(core, channel)) {
        if (Censors(core, *member, session)) continue;
        member->SendDatagramOrText(datagram, line);
        ++told;
    }
    if (confirm) {
        session.SendText("(told " + std::to_string(told) + " players in channel " +
                         std::to_string(channel) + ")\n");
    }
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
    for (ClientSession* listener : core.LoggedIn()) {
        if (!Censors(core, *listener, session)) listener->SendDatagramOrText(shout, text);
    }
}

// The person named first in `args`, with the rest in `text`; answers the
// sender itself when the person is missing.
ClientSession* Recipient(ServerCore& core, ClientSession& session, std::string_view args,
                         std::string_view& text, std::string_view command) {
    const std::string_view name = TargetWord(CommandWords::First(args, text));
    if (name.empty() || text.empty()) {
        CommandTable::SendUsage(session, command);
        return nullptr;
    }
    ClientSession* recipient = core.FindLoggedIn(name);
    if (recipient == nullptr) {
        session.SendText(std::string(name) + " is not logged in.\n");
    } else if (Censors(core, *recipient, session)) {
        session.SendText(recipient->Handle() + " is censoring you.\n");
        return nullptr;
    }
    return recipient;
}

// "tell" and "Xtell": the same datagrams, the echo 62 included; only "tell"
// confirms in text.
void SendTell(ServerCore& core, ClientSession& session, std::string_view args,
              std::string_view command, bool confirm) {
    std::string_view text;
    int channel = 0;
    if (ParseChannel(TargetWord(CommandWords::First(args, text)), channel) && !text.empty()) {
        TellChannel(core, session, channel, text, confirm);
        return;
    }
    ClientSession* recipient = Recipient(core, session, args, text, command);
    if (recipient == nullptr) return;
    constexpr int kTellType = 1;  // shown as "tells you:"
    DatagramWriter tell(DG_TELL_TEXT);
    tell.Add(session.Handle()).Add(session.Titles()).Add(text).Add(kTellType);
    recipient->SendDatagramOrText(
        tell, session.DisplayName() + " tells you: " + std::string(text) + "\n");
    if (confirm) session.SendText("(told " + recipient->Handle() + ")\n");
    // Sent while the command runs, so it lies inside the sender's reply
    // block and carries its tag: the console that asked learns the person.
    DatagramWriter echo(DG_TELL_ECHO);
    session.SendDatagram(echo.Add(recipient->Handle()));
}

}  // namespace

void ChatCommands::Tell(ServerCore& core, ClientSession& session, std::string_view args) {
    SendTell(core, session, args, "tell", true);
}

void ChatCommands::XTell(ServerCore& core, ClientSession& session, std::string_view args) {
    SendTell(core, session, args, "xtell", false);
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

void ChatCommands::MinusChannel(ServerCore&, ClientSession& session, std::string_view args) {
    std::string_view number;
    const std::string_view word = CommandWords::First(args, number);
    int channel = 0;
    if (!AccountStore::SameHandle(word, "channel") || !ParseChannel(number, channel)) {
        CommandTable::SendUsage(session, "minus");
        return;
    }
    // A chat console that closes sends this for each of its channels; the
    // user has no use for a line about each.
    session.Channels().erase(channel);
}

void ChatCommands::QTell(ServerCore& core, ClientSession& session, std::string_view args) {
    std::string_view text;
    int channel = 0;
    if (ParseChannel(TargetWord(CommandWords::First(args, text)), channel) && !text.empty()) {
        DatagramWriter quote(DG_CHANNEL_QUOTE);
        quote.Add(channel).Add(session.Handle()).Add(session.Titles()).Add(text);
        size_t told = 0;
        for (ClientSession* member : Members(core, channel)) {
            if (Censors(core, *member, session)) continue;
            member->SendDatagramOrText(quote, ":" + std::string(text) + "\n");
            ++told;
        }
        session.SendText("(qtold " + std::to_string(told) + " players in channel " +
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
