// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "CommandTable.h"

#include <array>

#include "AccountStore.h"
#include "ChatCommands.h"
#include "ClientSession.h"
#include "CommandWords.h"
#include "DialogCommands.h"
#include "EventCommands.h"
#include "ExamineCommands.h"
#include "GameCommands.h"
#include "HelpPages.h"
#include "ListCommands.h"
#include "MatchCommands.h"
#include "PersonCommands.h"
#include "PluginCommands.h"
#include "SeekCommands.h"
#include "ServerCore.h"
#include "UserCommands.h"

namespace {

bool SameName(std::string_view a, std::string_view b) {
    return AccountStore::SameHandle(a, b);
}

void Set2(ServerCore& core, ClientSession& session, std::string_view args) {
    std::string_view valueText;
    const std::string_view numberText = CommandWords::First(args, valueText);
    int number = 0;
    int value = 0;
    if (!CommandWords::ParseInt(numberText, number) || !CommandWords::ParseInt(valueText, value) ||
        (value != 0 && value != 1) || !session.SetDatagram(number, value == 1)) {
        CommandTable::SendUsage(session, "set-2");
        return;
    }
    // Switching on a datagram that describes the user sends the current
    // values at once, as the client's login sequence expects.
    if (value == 1) core.SendOnSwitch(session, number);
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
        CommandTable::SendUsage(session, "timing");
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

void Help(ServerCore&, ClientSession& session, std::string_view args) {
    constexpr std::string_view kCommandsTopic = "commands";
    if (args.empty()) {
        // A quoted command becomes a link in the client, so the example is one
        // that works when clicked.
        std::string text = "Help topics; type \"help <topic>\", for example \"help tell\":\n\n";
        constexpr size_t kColumns = 4;
        constexpr size_t kWidth = 16;
        size_t column = 0;
        const auto add = [&](std::string_view topic) {
            if (++column == kColumns) {
                text += std::string(topic) + "\n";
                column = 0;
            } else {
                text += std::string(topic) + std::string(kWidth - topic.size(), ' ');
            }
        };
        add(kCommandsTopic);
        for (const HelpPages::Page& page : HelpPages::All()) add(page.topic);
        if (column != 0) {
            while (text.back() == ' ') text.pop_back();
            text += "\n";
        }
        session.SendPaged(text);
        return;
    }
    if (SameName(args, kCommandsTopic)) {
        std::string text = "Commands:\n";
        for (const CommandTable::Command& command : CommandTable::All()) {
            text += "  " + std::string(command.usage) + "\n";
        }
        session.SendPaged(text);
        return;
    }
    if (const HelpPages::Page* page = HelpPages::Find(args)) {
        session.SendPaged(page->text);
        return;
    }
    session.SendText("There is no help page for \"" + std::string(args) +
                     "\". Type \"help\" for the list of topics.\n");
    CommandTable::SendUsage(session, args);
}

void More(ServerCore&, ClientSession& session, std::string_view) {
    // A game list's next batch goes before text pages: the list window's
    // "More..." asks for it.
    if (session.SendNextListBatch()) return;
    if (!session.SendMore()) session.SendText("There is no more.\n");
}

constexpr std::array<CommandTable::Command, 91> kCommands = {{
    {"tell", 101, ChatCommands::Tell, "tell <name or channel> <text>"},
    {"shout", 102, ChatCommands::Shout, "shout <text>"},
    {"set-2", 103, Set2, "Set-2 <datagram 0-255> <0|1>"},
    {"multi", 104, Multi, "multi <command>; <command>; ..."},
    {"quit", 105, Quit, "quit"},
    {"reset-connection", 106, ResetConnection, "reset-connection"},
    {"timing", 107, Timing, "timing [alarm delay in ms]"},
    {"who", 108, Who, "who"},
    {"help", 109, Help, "help [<topic>]"},
    {"i", 110, ChatCommands::IShout, "i <text>"},
    {"sshout", 111, ChatCommands::SShout, "sshout <text>"},
    {"announce", 112, ChatCommands::Announce, "announce <text>"},
    {"+channel", 113, ChatCommands::JoinChannel, "+channel <0-999>"},
    {"-channel", 114, ChatCommands::LeaveChannel, "-channel <0-999>"},
    {"qtell", 115, ChatCommands::QTell, "qtell <name or channel> <text>"},
    {"info", 116, ChatCommands::Info, "info <name> <text>"},
    {"match", 117, MatchCommands::Match,
     "match <name> [<minutes> <increment>] [rated|unrated] [white|black] [w0|w23] [skill<0-20>]"},
    {"unmatch", 118, MatchCommands::Unmatch, "unmatch [<name>]"},
    {"decline", 119, MatchCommands::Decline, "decline <name>"},
    {"accept", 120, MatchCommands::Accept, "accept <name>"},
    {"set", 121, UserCommands::Set, "set <variable> [<value>]"},
    {"register", 122, UserCommands::Register, "register [<handle>]"},
    {"+notify", 123, ListCommands::AddNotify, "+notify <name>"},
    {"-notify", 124, ListCommands::RemoveNotify, "-notify <name>"},
    {"savegame", 125, UserCommands::SaveGame, "savegame"},
    {"suggest", 126, UserCommands::Suggest,
     "suggest <name> <63|91> <id> <type> <command or URL> [| <description> [| <title>]]"},
    {"unsuggest", 127, UserCommands::Unsuggest, "unsuggest <name> <id>"},
    {"redirect", 128, UserCommands::Redirect, "redirect <name> <port>"},
    {"draw", 129, GameCommands::Draw, "draw"},
    {"abort", 130, GameCommands::Abort, "abort"},
    {"adjourn", 131, GameCommands::Adjourn, "adjourn"},
    {"takeback", 132, GameCommands::Takeback, "takeback [<half moves>]"},
    {"resign", 133, GameCommands::Resign, "resign"},
    {"flag", 134, GameCommands::Flag, "flag"},
    {"moretime", 135, GameCommands::Moretime, "moretime <seconds 1-3600>"},
    {"pending", 136, GameCommands::Pending, "pending"},
    {"observe", 137, GameCommands::Observe, "observe <game number or name>"},
    {"unobserve", 138, GameCommands::Unobserve, "unobserve [<game number>]"},
    {"kibitz", 139, GameCommands::Kibitz, "kibitz <text>"},
    {"whisper", 140, GameCommands::Whisper, "whisper <text>"},
    {"kibitzto", 141, GameCommands::KibitzTo, "kibitzto <game number> <text>"},
    {"whisperto", 142, GameCommands::WhisperTo, "whisperto <game number> <text>"},
    {"primary", 143, GameCommands::Primary, "primary <game number>"},
    {"goto", 144, GameCommands::Goto, "goto <game number>"},
    {"games", 145, GameCommands::Games, "games"},
    {"logpgn", 146, GameCommands::Logpgn, "logpgn [#<game id> | <game number>]"},
    {"flip", 147, GameCommands::Flip, "flip"},
    {"examine", 148, ExamineCommands::Examine, "examine [#<game id>]"},
    {"unexamine", 149, ExamineCommands::Unexamine, "unexamine"},
    {"back", 150, ExamineCommands::Back, "back [<half moves>]"},
    {"forward", 151, ExamineCommands::Forward, "forward [<half moves>]"},
    {"circle", 152, ExamineCommands::Circle, "circle <square>"},
    {"uncircle", 153, ExamineCommands::Uncircle, "uncircle <square>"},
    {"arrow", 154, ExamineCommands::Arrow, "arrow <square> <square>"},
    {"unarrow", 155, ExamineCommands::Unarrow, "unarrow <square> <square>"},
    {"loadfen", 156, ExamineCommands::Loadfen, "loadfen <FEN>"},
    {"setwhitename", 157, ExamineCommands::SetWhiteName, "setwhitename <name>"},
    {"setblackname", 158, ExamineCommands::SetBlackName, "setblackname <name>"},
    {"result", 159, ExamineCommands::Result, "result <1-0|0-1|1/2-1/2|*>"},
    {"tag", 160, ExamineCommands::Tag, "tag <name> <value>"},
    {"libkeepexam", 161, ExamineCommands::Libkeepexam, "libkeepexam"},
    {"seek", 162, SeekCommands::Seek,
     "seek <minutes> <increment> [rated|unrated] [w0|w23] [white|black] [<min>-<max>] [m] [f]"},
    {"unseek", 163, SeekCommands::Unseek, "unseek [<index>]"},
    {"play", 164, SeekCommands::Play, "play <seek index>"},
    {"sought", 165, SeekCommands::Sought, "sought"},
    {"more", 166, More, "more"},
    {"xtell", 167, ChatCommands::XTell, "xtell <name or channel> <text>"},
    {"minus", 168, ChatCommands::MinusChannel, "Minus channel <0-999>"},
    {"finger", 169, PersonCommands::Finger, "finger [<name>]"},
    {"vars", 170, PersonCommands::Vars, "vars [<name>]"},
    {"ping", 171, PersonCommands::Ping, "ping [<name>]"},
    {"assess", 172, PersonCommands::Assess, "assess <name>"},
    {"history", 173, PersonCommands::History, "history [<name>]"},
    {"liblist", 174, PersonCommands::Liblist, "liblist [<name>]"},
    {"stored", 175, PersonCommands::Stored, "stored [<name>]"},
    {"follow", 176, PersonCommands::Follow, "follow [<name>]"},
    {"+noplay", 177, ListCommands::AddNoplay, "+noplay <name>"},
    {"-noplay", 178, ListCommands::RemoveNoplay, "-noplay <name>"},
    {"+censor", 179, ListCommands::AddCensor, "+censor <name>"},
    {"-censor", 180, ListCommands::RemoveCensor, "-censor <name>"},
    {"=notify", 181, ListCommands::ShowNotify, "=notify"},
    {"=noplay", 182, ListCommands::ShowNoplay, "=noplay"},
    {"=censor", 183, ListCommands::ShowCensor, "=censor"},
    {"search", 195, PersonCommands::Search, "search [<name>]"},
    {"spgn", 196, GameCommands::Spgn, "spgn [#<game id> | <game number>]"},
    {"set-quietly", 206, UserCommands::SetQuietly, "Set-quietly <variable> <value>"},
    {"announce-event", 240, EventCommands::Announce,
     "announce-event <id> <flags 0-15> <description> | <join> | <watch> | <information> | "
     "<question>"},
    {"remove-event", 241, EventCommands::Remove, "remove-event <id>"},
    {"testdialog", 250, DialogCommands::TestDialog, "testdialog [<name> | close]"},
    {"dialog-answer", 251, DialogCommands::Answer, "dialog-answer <text>"},
    {"authenticateplugin", 260, PluginCommands::AuthenticatePlugin,
     "authenticateplugin <index> <digest> \"<name>\" <number>"},
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

bool CommandTable::IsMore(const Command& command) {
    return command.handler == More;
}

void CommandTable::SendUsage(ClientSession& session, std::string_view name) {
    const Command* command = Find(name);
    if (command != nullptr) session.SendText("Usage: " + std::string(command->usage) + "\n");
}
