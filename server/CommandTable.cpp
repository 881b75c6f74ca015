// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "CommandTable.h"

#include <array>

#include "AccountStore.h"
#include "ClientSession.h"
#include "CommandWords.h"
#include "ServerCore.h"

namespace {

bool SameName(std::string_view a, std::string_view b) {
    return AccountStore::SameHandle(a, b);
}

void Usage(ClientSession& session, std::string_view usage) {
    session.SendText("Usage: " + std::string(usage) + "\n");
}

void Tell(ServerCore& core, ClientSession& session, std::string_view args) {
    std::string_view text;
    const std::string_view name = CommandWords::First(args, text);
    if (name.empty() || text.empty()) {
        Usage(session, CommandTable::Find("tell")->usage);
        return;
    }
    ClientSession* recipient = core.FindLoggedIn(name);
    if (recipient == nullptr) {
        session.SendText(std::string(name) + " is not logged in.\n");
        return;
    }
    constexpr int kTellType = 1;  // shown as "tells you:"
    if (recipient->WantsDatagram(31)) {
        DatagramWriter tell(31);
        tell.Add(session.Handle()).Add(session.Titles()).Add(text).Add(kTellType);
        recipient->SendFramed(tell.Bytes());
    } else {
        recipient->SendText(session.DisplayName() + " tells you: " + std::string(text) + "\n");
    }
    session.SendText("(told " + recipient->Handle() + ")\n");
    DatagramWriter echo(62);
    echo.Add(recipient->Handle());
    session.SendDatagram(echo, 62);
}

void Shout(ServerCore& core, ClientSession& session, std::string_view args) {
    if (args.empty()) {
        Usage(session, CommandTable::Find("shout")->usage);
        return;
    }
    constexpr int kShoutType = 0;  // a plain shout, not an announcement
    DatagramWriter shout(32);
    shout.Add(session.Handle()).Add(session.Titles()).Add(kShoutType).Add(args);
    const std::string text = session.DisplayName() + " shouts: " + std::string(args) + "\n";
    for (ClientSession* listener : core.LoggedIn()) {
        if (listener->WantsDatagram(32)) {
            listener->SendFramed(shout.Bytes());
        } else {
            listener->SendText(text);
        }
    }
}

void Set2(ServerCore& core, ClientSession& session, std::string_view args) {
    std::string_view valueText;
    const std::string_view numberText = CommandWords::First(args, valueText);
    int number = 0;
    int value = 0;
    if (!CommandWords::ParseInt(numberText, number) || !CommandWords::ParseInt(valueText, value) ||
        (value != 0 && value != 1) || !session.SetDatagram(number, value == 1)) {
        Usage(session, CommandTable::Find("set-2")->usage);
        return;
    }
    // Switching on a datagram that describes the user sends the current
    // value at once, as the client's login sequence expects.
    if (value == 1 && number == 0) core.SendWhoAmI(session);
    if (value == 1 && number == 87) core.SendRatings(session);
}

void SetQuietly(ServerCore&, ClientSession& session, std::string_view args) {
    std::string_view value;
    const std::string_view name = CommandWords::First(args, value);
    if (!name.empty()) session.SetVariable(name, value);
}

void Multi(ServerCore& core, ClientSession& session, std::string_view args) {
    while (!args.empty()) {
        const size_t semicolon = args.find(';');
        const std::string_view part = CommandWords::Trim(args.substr(0, semicolon));
        args.remove_prefix(semicolon == std::string_view::npos ? args.size() : semicolon + 1);
        std::string_view rest;
        const CommandTable::Command* command = CommandTable::Find(CommandWords::First(part, rest));
        if (command != nullptr && command->handler == Multi) {
            session.SendText("multi: a multi inside a multi is not run.\n");
            continue;
        }
        if (!part.empty()) core.RunCommand(session, part, false);
    }
}

void Quit(ServerCore&, ClientSession& session, std::string_view) {
    session.SendText("Thank you for using the VCX test server.\n");
    session.RequestClose(ClientSession::Close::Orderly);
}

void ResetConnection(ServerCore&, ClientSession& session, std::string_view) {
    session.RequestClose(ClientSession::Close::Reset);
}

void Timing(ServerCore& core, ClientSession& session, std::string_view args) {
    if (session.ChronelMode() != ChronelServerSession::Mode::Chronel) {
        session.SendText("Timing commands need a Chronel connection.\n");
        return;
    }
    int delay = 1000;
    if (!args.empty() && (!CommandWords::ParseInt(args, delay) || delay < 0)) {
        Usage(session, CommandTable::Find("timing")->usage);
        return;
    }
    core.SendTimingCommands(session, static_cast<uint32_t>(delay));
    session.SendText("Timing requests sent (alarm in " + std::to_string(delay) + " ms).\n");
}

void Who(ServerCore& core, ClientSession& session, std::string_view) {
    const std::vector<ClientSession*> people = core.LoggedIn();
    for (const ClientSession* person : people) session.SendText(person->DisplayName() + "\n");
    session.SendText(std::to_string(people.size()) + " players logged in.\n");
}

void Help(ServerCore&, ClientSession& session, std::string_view) {
    session.SendText("Commands:\n");
    for (const CommandTable::Command& command : CommandTable::All()) {
        session.SendText("  " + std::string(command.usage) + "\n");
    }
}

constexpr std::array<CommandTable::Command, 10> kCommands = {{
    {"tell", 101, Tell, "tell <name> <text>"},
    {"shout", 102, Shout, "shout <text>"},
    {"set-2", 103, Set2, "Set-2 <datagram 0-255> <0|1>"},
    {"multi", 104, Multi, "multi <command>; <command>; ..."},
    {"quit", 105, Quit, "quit"},
    {"reset-connection", 106, ResetConnection, "reset-connection"},
    {"timing", 107, Timing, "timing [alarm delay in ms]"},
    {"who", 108, Who, "who"},
    {"help", 109, Help, "help"},
    {"set-quietly", 206, SetQuietly, "Set-quietly <variable> <value>"},
}};

}  // namespace

const CommandTable::Command* CommandTable::Find(std::string_view name) {
    for (const Command& command : kCommands) {
        if (SameName(command.name, name)) return &command;
    }
    return nullptr;
}

std::span<const CommandTable::Command> CommandTable::All() {
    return kCommands;
}
