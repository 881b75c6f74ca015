// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "ListCommands.h"

#include <algorithm>
#include <cctype>

#include "ClientSession.h"
#include "CommandTable.h"
#include "ServerCore.h"

namespace {

using Kind = PersonLists::Kind;

std::string ListName(Kind kind) {
    return std::string(PersonLists::Name(kind));
}

void Add(ServerCore& core, ClientSession& session, std::string_view args, Kind kind) {
    if (!AccountStore::IsValidHandle(args)) {
        CommandTable::SendUsage(session, "+" + ListName(kind));
        return;
    }
    // The notify list may name anyone who could log in one day; blocking
    // only makes sense against someone the server knows.
    std::string name(args);
    if (kind != Kind::Notify) {
        name = core.KnownHandle(args);
        if (name.empty()) {
            session.SendText("There is no player named \"" + std::string(args) + "\".\n");
            return;
        }
        if (AccountStore::SameHandle(name, session.Handle())) {
            session.SendText("You cannot put yourself on your " + ListName(kind) + " list.\n");
            return;
        }
    }
    std::vector<std::string>& list = core.Lists().Of(kind, session.Handle());
    if (core.Lists().Holds(kind, session.Handle(), name)) {
        session.SendText(name + " is already on your " + ListName(kind) + " list.\n");
        return;
    }
    if (list.size() >= PersonLists::kMaxNames) {
        session.SendText("Your " + ListName(kind) + " list is full (" +
                         std::to_string(PersonLists::kMaxNames) + " names).\n");
        return;
    }
    list.push_back(name);
    session.SendText(name + " added to your " + ListName(kind) + " list.\n");
    if (kind == Kind::Notify) {
        DatagramWriter flag(DG_NOTIFY_FLAG);
        session.SendDatagram(flag.Add(name).Add(1));
    }
}

void Remove(ServerCore& core, ClientSession& session, std::string_view args, Kind kind) {
    if (args.empty()) {
        CommandTable::SendUsage(session, "-" + ListName(kind));
        return;
    }
    std::vector<std::string>& list = core.Lists().Of(kind, session.Handle());
    const size_t before = list.size();
    std::erase_if(list,
                  [&](const std::string& name) { return AccountStore::SameHandle(name, args); });
    if (list.size() == before) {
        session.SendText(std::string(args) + " is not on your " + ListName(kind) + " list.\n");
        return;
    }
    session.SendText(std::string(args) + " removed from your " + ListName(kind) + " list.\n");
    if (kind == Kind::Notify) {
        DatagramWriter flag(DG_NOTIFY_FLAG);
        session.SendDatagram(flag.Add(args).Add(0));
    }
}

// "-- notify list: 2 names --" and the names, those logged in marked with
// "*" on the notify list, where arrivals matter.
void Show(ServerCore& core, ClientSession& session, std::string_view args, Kind kind) {
    if (!args.empty()) {
        CommandTable::SendUsage(session, "=" + ListName(kind));
        return;
    }
    const std::vector<std::string>& list = core.Lists().Of(kind, session.Handle());
    std::string text = "-- " + ListName(kind) + " list: " + std::to_string(list.size()) +
                       (list.size() == 1 ? " name --\n" : " names --\n");
    std::vector<std::string> names = list;
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                            [](char x, char y) {
                                                return std::tolower(static_cast<unsigned char>(x)) <
                                                       std::tolower(static_cast<unsigned char>(y));
                                            });
    });
    for (const std::string& name : names) {
        const bool here = kind == Kind::Notify && core.FindLoggedIn(name) != nullptr;
        text += (here ? "*" : " ") + name + "\n";
    }
    session.SendPaged(text);
}

}  // namespace

void ListCommands::AddNotify(ServerCore& core, ClientSession& session, std::string_view args) {
    Add(core, session, args, Kind::Notify);
}
void ListCommands::RemoveNotify(ServerCore& core, ClientSession& session, std::string_view args) {
    Remove(core, session, args, Kind::Notify);
}
void ListCommands::ShowNotify(ServerCore& core, ClientSession& session, std::string_view args) {
    Show(core, session, args, Kind::Notify);
}
void ListCommands::AddNoplay(ServerCore& core, ClientSession& session, std::string_view args) {
    Add(core, session, args, Kind::Noplay);
}
void ListCommands::RemoveNoplay(ServerCore& core, ClientSession& session, std::string_view args) {
    Remove(core, session, args, Kind::Noplay);
}
void ListCommands::ShowNoplay(ServerCore& core, ClientSession& session, std::string_view args) {
    Show(core, session, args, Kind::Noplay);
}
void ListCommands::AddCensor(ServerCore& core, ClientSession& session, std::string_view args) {
    Add(core, session, args, Kind::Censor);
}
void ListCommands::RemoveCensor(ServerCore& core, ClientSession& session, std::string_view args) {
    Remove(core, session, args, Kind::Censor);
}
void ListCommands::ShowCensor(ServerCore& core, ClientSession& session, std::string_view args) {
    Show(core, session, args, Kind::Censor);
}
