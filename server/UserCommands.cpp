// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "UserCommands.h"

#include <array>

#include "ClientSession.h"
#include "CommandTable.h"
#include "CommandWords.h"
#include "ServerCore.h"
#include "VariableTable.h"

namespace {

// Stores a known variable and reports it with datagram 47 or 48. False (and
// nothing stored) for an unknown name or an integer variable given no number.
bool StoreVariable(ServerCore& core, ClientSession& session, std::string_view name,
                   std::string_view value, std::string& canonical) {
    canonical = VariableTable::Canonical(name);
    const VariableTable::Kind kind = VariableTable::KindOf(canonical);
    int number = 0;
    if (kind == VariableTable::Kind::Unknown ||
        (kind == VariableTable::Kind::Integer && !CommandWords::ParseInt(value, number))) {
        return false;
    }
    session.SetVariable(canonical, value);
    core.KeepVariable(session, canonical, value);
    DatagramWriter datagram(kind == VariableTable::Kind::Integer ? DG_MY_VARIABLE
                                                                 : DG_MY_STRING_VARIABLE);
    session.SendDatagram(datagram.Add(canonical).Add(value));
    return true;
}

// The short game "savegame" hands out, one line per field of datagram 86;
// the empty lines separate the tags, the moves and the next game.
std::array<std::string, 6> GameLines(const std::string& handle) {
    return {"[White \"" + handle + "\"]",  "[Black \"Sparring\"]",
            "[Result \"1/2-1/2\"]",        "",
            "1. e4 e5 2. Nf3 Nc6 1/2-1/2", ""};
}

// Splits "a | b | c" at the bars, trimming each part.
std::vector<std::string_view> SplitBars(std::string_view text) {
    std::vector<std::string_view> parts;
    for (;;) {
        const size_t bar = text.find('|');
        parts.push_back(CommandWords::Trim(text.substr(0, bar)));
        if (bar == std::string_view::npos) return parts;
        text.remove_prefix(bar + 1);
    }
}

}  // namespace

void UserCommands::Set(ServerCore& core, ClientSession& session, std::string_view args) {
    std::string_view value;
    const std::string_view name = CommandWords::First(args, value);
    std::string canonical;
    if (name.empty()) {
        CommandTable::SendUsage(session, "set");
    } else if (!StoreVariable(core, session, name, value, canonical)) {
        session.SendText(canonical.empty() ? "No such variable \"" + std::string(name) + "\".\n"
                                           : "\"" + std::string(value) + "\" is not a number for " +
                                                 canonical + ".\n");
    } else if (value.empty()) {
        session.SendText(canonical + " unset.\n");
    } else {
        session.SendText(canonical + " set to " + std::string(value) + ".\n");
    }
}

void UserCommands::SetQuietly(ServerCore& core, ClientSession& session, std::string_view args) {
    std::string_view value;
    const std::string_view name = CommandWords::First(args, value);
    std::string canonical;
    // Names this server does not know are kept too, without a datagram.
    if (!name.empty() && !StoreVariable(core, session, name, value, canonical) &&
        canonical.empty()) {
        session.SetVariable(name, value);
    }
}

void UserCommands::Register(ServerCore& core, ClientSession& session, std::string_view args) {
    const std::string password = core.NewPassword();
    if (!session.IsGuest()) {
        if (!args.empty()) {
            session.SendText(
                "You are registered already; \"register\" only gives you a new "
                "password.\n");
            return;
        }
        core.Accounts().SetPassword(session.Handle(), password);
        session.SendText("Your new password is \"" + password + "\".\n");
    } else {
        AccountStore::Account account;
        account.handle = args.empty() ? core.FreePlayerHandle() : std::string(args);
        account.password = password;
        if (core.FindLoggedIn(account.handle) != nullptr || !core.Accounts().Add(account)) {
            session.SendText("\"" + account.handle + "\" cannot be registered: it is taken or " +
                             "not a valid handle.\n");
            return;
        }
        session.SetHandle(core.Accounts().Find(account.handle)->handle);
        session.SetTitles({});
        session.SetGuest(false);
        session.SetVariable("reg", "1");
        session.SendText("You are registered as \"" + session.Handle() + "\" with the password \"" +
                         password + "\".\n");
    }
    DatagramWriter login(DG_SET_LOGIN);
    session.SendDatagram(login.Add(password).Add(session.Handle()));
}

void UserCommands::SaveGame(ServerCore&, ClientSession& session, std::string_view) {
    DatagramWriter game(DG_SAVE_GAME_TEXT);
    std::string text;
    for (const std::string& line : GameLines(session.Handle())) {
        game.Add(line);
        text += line + "\n";
    }
    session.SendDatagramOrText(game, text);
}

void UserCommands::Suggest(ServerCore& core, ClientSession& session, std::string_view args) {
    std::string_view rest;
    const std::string_view name = CommandWords::First(args, rest);
    int number = 0;
    int type = 0;
    const bool parsed = CommandWords::ParseInt(CommandWords::First(rest, rest), number) &&
                        (number == 63 || number == 91);
    const std::string_view id = CommandWords::First(rest, rest);
    if (!parsed || id.empty() || !CommandWords::ParseInt(CommandWords::First(rest, rest), type) ||
        rest.empty()) {
        CommandTable::SendUsage(session, "suggest");
        return;
    }
    ClientSession* recipient = core.FindLoggedIn(name);
    if (recipient == nullptr) {
        session.SendText(std::string(name) + " is not logged in.\n");
        return;
    }
    const std::vector<std::string_view> parts = SplitBars(rest);
    const std::string_view command = parts[0];
    const std::string_view description = parts.size() > 1 ? parts[1] : command;
    const std::string_view title = parts.size() > 2 ? parts[2] : std::string_view();
    DatagramWriter suggestion(number == 63 ? DG_SUGGESTION : DG_SUGGESTION_91);
    suggestion.Add(command).Add(description).Add(type).Add(session.Handle()).Add(title).Add(id);
    recipient->SendDatagramOrText(
        suggestion, session.Handle() + " suggests: " + std::string(description) + "\n" +
                        (number == 63 ? "Command: " : "URL: ") + std::string(command) + "\n");
    session.SendText("(suggested to " + recipient->Handle() + ")\n");
}

void UserCommands::Unsuggest(ServerCore& core, ClientSession& session, std::string_view args) {
    std::string_view id;
    const std::string_view name = CommandWords::First(args, id);
    if (name.empty() || id.empty()) {
        CommandTable::SendUsage(session, "unsuggest");
        return;
    }
    ClientSession* recipient = core.FindLoggedIn(name);
    if (recipient == nullptr) {
        session.SendText(std::string(name) + " is not logged in.\n");
        return;
    }
    DatagramWriter removed(DG_SUGGESTION_REMOVED);
    recipient->SendDatagram(removed.Add(id));
    session.SendText("(suggestion " + std::string(id) + " withdrawn from " + recipient->Handle() +
                     ")\n");
}

void UserCommands::Redirect(ServerCore& core, ClientSession& session, std::string_view args) {
    std::string_view portText;
    const std::string_view name = CommandWords::First(args, portText);
    int port = 0;
    if (name.empty() || !CommandWords::ParseInt(portText, port) || port < 1 || port > 65535) {
        CommandTable::SendUsage(session, "redirect");
        return;
    }
    ClientSession* person = core.FindLoggedIn(name);
    if (person == nullptr) {
        session.SendText(std::string(name) + " is not logged in.\n");
        return;
    }
    constexpr std::string_view kHost = "127.0.0.1";
    const std::string where = std::string(kHost) + " port " + std::to_string(port);
    // The sender first: redirecting oneself must still confirm.
    session.SendText("(redirected " + person->Handle() + " to " + where + ")\n");
    DatagramWriter redirect(DG_REDIRECT);
    person->SendDatagramOrText(redirect.Add(kHost).Add(port),
                               "Please reconnect to " + where + ".\n");
}
