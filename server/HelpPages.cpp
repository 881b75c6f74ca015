// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "HelpPages.h"

#include <array>

#include "AccountStore.h"

namespace {

// Topics in alphabetical order, as "help" lists them. The addresses are
// placeholders of this test server; nothing is served there.
constexpr std::array<HelpPages::Page, 25> kPages = {{
    {"assess",
     "assess <name>\n"
     "\n"
     "  Shows what a rated game between you and <name> would do to both\n"
     "ratings in each rating category: the change for a win, a draw and a\n"
     "loss. Type \"assess Judit\" before you challenge Judit with\n"
     "\"match Judit 5 0 rated\".\n"
     "\n"
     "see also: match, finger, seek\n"},
    {"censor",
     "+censor <name>, -censor <name>, =censor\n"
     "\n"
     "  \"+censor <name>\" stops every tell, quoted tell, channel line and\n"
     "shout of <name> from reaching you; a personal tell is answered with\n"
     "\"<name> is censoring you.\" so the sender knows. \"-censor <name>\"\n"
     "takes the name off your censor list again, and \"=censor\" shows the\n"
     "list. Names are matched without regard to case. The list lasts until\n"
     "the server stops.\n"
     "\n"
     "see also: noplay, notify, tell,\n"
     "          channels, shout\n"},
    {"channels",
     "channels\n"
     "\n"
     "  Channels are numbered 0 to 999. Everyone in a channel reads what is\n"
     "told to it; you may tell a channel you are not in, but you only read\n"
     "the channels on your channel list.\n"
     "\n"
     "  \"+channel <n>\" adds channel <n> to your channel list and\n"
     "\"-channel <n>\" removes it. \"Minus channel <n>\" removes it without a\n"
     "word: the client sends it when a chat console that joined the channel\n"
     "closes. To talk in a channel type \"tell <n> <text>\", for example\n"
     "\"tell 50 anyone for a game?\". \"Xtell <n> <text>\" does the same\n"
     "without the \"(told ...)\" line, and \"qtell <n> <text>\" sends a quoted\n"
     "tell, in which a backslash and the letter n start a new line.\n"
     "\n"
     "  Suggested channels: 1 (help), 2 (news), 50 (chatter), 64 (computer\n"
     "chess); see https://www.example.org/vcx/channels. Your own line comes\n"
     "back to you when you are in the channel (see \"help xtell\").\n"
     "\n"
     "see also: tell, xtell, qtell, shout,\n"
     "          censor, more,\n"
     "          finger, help\n"},
    {"events",
     "announce-event <id> <flags> <description> | <join> | <watch> |\n"
     "               <information> | <question>\n"
     "remove-event <id>\n"
     "\n"
     "  The event board lists tournaments, broadcasts and lectures; a\n"
     "client's event list shows them with buttons to join, watch and read\n"
     "more. Flags: 1 guests may take part, 2, 4 and 8 the join, watch and\n"
     "information commands are not tagged. \"&\" separates commands in an\n"
     "action. On this test server anyone may announce and remove events:\n"
     "\"announce-event 7 1 Simul with Magnus | | observe 2\".\n"
     "\n"
     "see also: observe, channels\n"},
    {"examine",
     "examine [#<game id>]\n"
     "\n"
     "  \"examine\" opens a new board that you move the pieces of freely;\n"
     "\"examine #12\" takes up finished game 12 again. \"back\" and \"forward\"\n"
     "walk through the moves and \"unexamine\" leaves the board. Games you\n"
     "keep with \"libkeepexam\" are listed by \"liblist\".\n"
     "\n"
     "see also: liblist, history, observe\n"},
    {"finger",
     "finger [<name>]\n"
     "\n"
     "  Shows what the server knows about a player: titles, ratings in each\n"
     "category, whether and how long the player is logged in, the game\n"
     "being played, and the player's notes (the variables note1 to note10,\n"
     "set with \"set note1 <text>\"). Without a name it fingers you.\n"
     "Try \"finger Botty\" to read about the computer player.\n"
     "\n"
     "see also: vars, history, ping, assess\n"},
    {"follow",
     "follow <name>, follow\n"
     "\n"
     "  \"follow <name>\" observes the game <name> plays now and every game\n"
     "<name> starts later, until you type \"follow\" without a name or\n"
     "follow someone else.\n"
     "\n"
     "see also: observe, finger\n"},
    {"height",
     "height\n"
     "\n"
     "  The variable \"height\" is the number of lines of one page of long\n"
     "output (help pages, finger, history and the other lists): 20 unless\n"
     "you \"set height <n>\", from 5 to 240. A longer answer stops with the\n"
     "line [type \"more\" to continue].\n"
     "\n"
     "see also: more, vars\n"},
    {"help",
     "help [<topic>]\n"
     "\n"
     "  \"help\" alone lists the topics; \"help <topic>\" shows one page, for\n"
     "example \"help tell\" or \"help channels\". \"help commands\" lists every\n"
     "command with its arguments. Words between quotes in a help page are\n"
     "commands you may type (or click, in Kordane); the topics after \"see\n"
     "also\" are other pages. Long pages stop after a screenful: type \"more\".\n"
     "\n"
     "  This is a test server for the Kordane client; its commands are\n"
     "described in full at https://www.example.org/vcx/server.html, and\n"
     "the client's manual is at https://docs.example.org/kordane/ (or ask\n"
     "in channel 1).\n"
     "\n"
     "see also: channels, tell, shout, seek,\n"
     "          match, finger, more\n"},
    {"history",
     "history [<name>]\n"
     "\n"
     "  Lists the last games a player finished on this server, newest\n"
     "last: the game id, the result, the opponent, the time control and how\n"
     "the game ended. \"examine #<id>\" takes one up again and\n"
     "\"logpgn #<id>\" sends its PGN.\n"
     "\n"
     "see also: stored, liblist, examine\n"},
    {"liblist",
     "liblist [<name>]\n"
     "\n"
     "  Lists the games a player kept with \"libkeepexam\" while examining.\n"
     "\"examine #<id>\" opens one of them again.\n"
     "\n"
     "see also: history, stored, examine\n"},
    {"search",
     "search [<name>]\n"
     "\n"
     "  Lists the finished games of a player, or of everybody without a\n"
     "name: the game id, the players, the result and how the game ended.\n"
     "\"examine #<id>\" takes one up again.\n"
     "\n"
     "see also: history, liblist, examine\n"},
    {"match",
     "match <name> [<minutes> <increment>] [rated|unrated] [white|black]\n"
     "\n"
     "  Challenges <name> to a game, for example \"match Judit 5 0 rated\".\n"
     "Without terms your variables time, increment and rated are used.\n"
     "\"accept <name>\" and \"decline <name>\" answer a challenge and\n"
     "\"unmatch\" withdraws yours. Someone with you on the noplay list\n"
     "refuses your challenges at once. \"match <your own name>\" opens a\n"
     "board to examine. Botty, the computer player, accepts every\n"
     "challenge; \"skill5\" asks it to play weaker.\n"
     "\n"
     "see also: seek, assess, noplay, examine\n"},
    {"more",
     "more\n"
     "\n"
     "  Sends the next page of a long answer. Any other command throws the\n"
     "rest of that answer away. The page length is the variable \"height\".\n"
     "\n"
     "see also: height, help\n"},
    {"noplay",
     "+noplay <name>, -noplay <name>, =noplay\n"
     "\n"
     "  \"+noplay <name>\" refuses every challenge from <name>: the challenger\n"
     "is told at once and you hear nothing of it. \"-noplay <name>\" takes\n"
     "the name off the list, \"=noplay\" shows it.\n"
     "\n"
     "see also: censor, notify, match\n"},
    {"notify",
     "+notify <name>, -notify <name>, =notify\n"
     "\n"
     "  \"+notify <name>\" tells you whenever <name> logs in or out;\n"
     "\"-notify <name>\" stops it and \"=notify\" shows your notify list,\n"
     "marking who is here now.\n"
     "\n"
     "see also: noplay, censor, finger\n"},
    {"observe",
     "observe <game number or name>\n"
     "\n"
     "  Shows a game being played or examined, move by move, and\n"
     "\"unobserve\" stops. \"games\" lists the games. Observers may\n"
     "\"whisper\" to each other and \"kibitz\" to the players as well.\n"
     "\n"
     "see also: follow, examine\n"},
    {"ping",
     "ping [<name>]\n"
     "\n"
     "  Tells how the connection of a logged-in player is doing. Every\n"
     "player of this test server sits on the same machine, so there is no\n"
     "lag to speak of; Chronel connections keep the server's timing\n"
     "requests answered.\n"
     "\n"
     "see also: finger\n"},
    {"qtell",
     "qtell <name> <text>, qtell <channel> <text>\n"
     "\n"
     "  A quoted tell: the text is shown as it is, without your name, and\n"
     "each backslash followed by the letter n in it starts a new line.\n"
     "Robots and helpers use it to answer with several lines at once, for\n"
     "example \"qtell Judit Games today:\\n1. ...\\n2. ...\".\n"
     "\n"
     "see also: tell, channels\n"},
    {"seek",
     "seek <minutes> <increment> [rated|unrated] [w0|w23] [white|black]\n"
     "     [<min>-<max>] [m] [f]\n"
     "\n"
     "  Offers a game to anyone: \"seek 5 0\" is a five-minute game for the\n"
     "first taker. \"sought\" lists the offers, \"play <index>\" takes one\n"
     "and \"unseek\" withdraws yours. w23 asks for crazyhouse. \"1200-1800\"\n"
     "lets only players rated 1200 to 1800 take it; m and f mark it manual\n"
     "and subject to your formula.\n"
     "Kordane shows the offers on its seek graph.\n"
     "\n"
     "see also: match, assess\n"},
    {"shout",
     "shout <text>, i <text>, sshout <text>\n"
     "\n"
     "  \"shout <text>\" is heard by everyone on the server; \"i <text>\"\n"
     "shouts an action (\"i waves\" reads \"--> Magnus waves\"), and\n"
     "\"sshout <text>\" is a serious shout, for chess talk only.\n"
     "People who censor you do not hear your shouts.\n"
     "\n"
     "see also: tell, channels, censor\n"},
    {"stored",
     "stored [<name>]\n"
     "\n"
     "  Lists the adjourned games of a player, with the opponent and the\n"
     "move the game stopped at. This test server does not resume adjourned\n"
     "games; \"examine #<id>\" shows one.\n"
     "\n"
     "see also: history, liblist\n"},
    {"tell",
     "tell <name> <text>, tell <channel> <text>\n"
     "\n"
     "  \"tell Judit hello\" sends a personal tell; \"tell 50 hello\" talks in\n"
     "channel 50. The server answers \"(told Judit)\". A \"!\" after the name\n"
     "is allowed (\"tell Judit! hello\"). A player who censors you is not\n"
     "reached. Quoted tells (\"qtell\") keep their line breaks.\n"
     "\n"
     "see also: xtell, channels, shout, censor,\n"
     "          finger\n"},
    {"vars",
     "vars [<name>]\n"
     "\n"
     "  Lists the variables of a logged-in player: the integer variables\n"
     "(time, increment, rated, open, height ...) and the text variables\n"
     "that are set. Change your own with \"set <variable> <value>\".\n"
     "\n"
     "see also: height, finger\n"},
    {"xtell",
     "xtell <name> <text>, xtell <channel> <text>\n"
     "\n"
     "  Like \"tell\", without the \"(told ...)\" line. Kordane's chat\n"
     "consoles send it (\"Xtell Judit! hi\", \"Xtell 50 hi\").\n"
     "\n"
     "see also: tell, channels\n"},
}};

}  // namespace

std::span<const HelpPages::Page> HelpPages::All() {
    return kPages;
}

const HelpPages::Page* HelpPages::Find(std::string_view topic) {
    for (const Page& page : kPages) {
        if (AccountStore::SameHandle(page.topic, topic)) return &page;
    }
    return nullptr;
}
