// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "EventCommands.h"

#include <array>

#include "ClientSession.h"
#include "CommandTable.h"
#include "CommandWords.h"
#include "DatagramWriter.h"
#include "ServerCore.h"

namespace {

bool ParseId(std::string_view text, int& id) {
    return CommandWords::ParseInt(text, id) && id >= 1 && id <= EventCommands::kMaxId;
}

}  // namespace

void EventCommands::SendEvent(ClientSession& to, const EventBoard::Event& event) {
    DatagramWriter datagram(DG_EVENT);
    datagram.Add(event.id).Add(event.flags).Add(event.description).Add(event.join);
    datagram.Add(event.watch).Add(event.information).Add(event.question);
    to.SendDatagram(datagram);
}

// "announce-event <id> <flags> <description> | <join> | <watch> | <information> | <question>":
// the parts after the description may be left out; "|" cannot occur inside one.
void EventCommands::Announce(ServerCore& core, ClientSession& session, std::string_view args) {
    std::string_view rest;
    const std::string_view idText = CommandWords::First(args, rest);
    std::string_view text;
    const std::string_view flagsText = CommandWords::First(rest, text);
    EventBoard::Event event;
    if (!ParseId(idText, event.id) || !CommandWords::ParseInt(flagsText, event.flags) ||
        event.flags < 0 || event.flags > 15 || text.empty()) {
        CommandTable::SendUsage(session, "announce-event");
        return;
    }
    std::array<std::string*, 5> parts = {&event.description, &event.join, &event.watch,
                                         &event.information, &event.question};
    for (std::string* part : parts) {
        const size_t bar = text.find('|');
        *part = std::string(CommandWords::Trim(text.substr(0, bar)));
        if (bar == std::string_view::npos) break;
        text.remove_prefix(bar + 1);
    }
    if (!core.Events().Put(event)) {
        session.SendText("The event board is full.\n");
        return;
    }
    session.SendText("Event " + std::to_string(event.id) + " announced.\n");
    for (ClientSession* person : core.LoggedIn()) SendEvent(*person, event);
}

void EventCommands::Remove(ServerCore& core, ClientSession& session, std::string_view args) {
    int id = 0;
    if (!ParseId(CommandWords::Trim(args), id)) {
        CommandTable::SendUsage(session, "remove-event");
        return;
    }
    if (!core.Events().Remove(id)) {
        session.SendText("There is no event " + std::to_string(id) + ".\n");
        return;
    }
    session.SendText("Event " + std::to_string(id) + " removed.\n");
    DatagramWriter removed(DG_EVENT_REMOVED);
    removed.Add(id);
    for (ClientSession* person : core.LoggedIn()) person->SendDatagram(removed);
}
