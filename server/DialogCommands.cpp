// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "DialogCommands.h"

#include <array>
#include <vector>

#include "AccountStore.h"
#include "ClientSession.h"
#include "CommandTable.h"
#include "DatagramWriter.h"
#include "DialogFiles.h"
#include "ServerCore.h"
#include "Transcript.h"

namespace {

struct Default {
    int control;
    std::string_view type;
    std::string_view value;
};

// What the server sends with a template: the control that gets the focus
// first, the initial values and the answers for OK, Cancel, Yes and No.
struct Setup {
    std::string_view name;
    int focus;
    std::vector<Default> defaults;
    std::array<std::string_view, 4> answers;
};

const std::vector<Setup>& Setups() {
    static const std::vector<Setup> kSetups = {
        {"seek",
         1,
         {{1, "s", "5"}, {2, "l", "2"}, {3, "b", "1"}},
         {"dialog-answer seek %1s %2l %3b", "dialog-answer seek cancelled", "", ""}},
        {"controls",
         13,
         {{3, "b", "1"},
          {7, "b", "1"},
          {13, "s", "plain text"},
          {14, "s", "secret"},
          {15, "s", "read only"},
          {16, "s", "42"},
          {17, "s", "several words"},
          {18, "l", "1"},
          {19, "c", "0"},
          {20, "c", "2"},
          {21, "c", "1"},
          {24, "s", "disabled"}},
         {"dialog-answer controls %3b %4b %5b %6b %7b %8b|%13s|%14s|%15s|%16s|%17s|%18l %19c "
          "%20c %21c|%19s|%20s|%21s",
          "dialog-answer controls cancelled", "dialog-answer controls yes",
          "dialog-answer controls no"}},
    };
    return kSetups;
}

const Setup* FindSetup(std::string_view name) {
    for (const Setup& setup : Setups())
        if (setup.name == name) return &setup;
    return nullptr;
}

std::string Names() {
    std::string names;
    for (const DialogFiles::File& file : DialogFiles::All())
        names += (names.empty() ? "" : ", ") + std::string(file.name);
    return names;
}

}  // namespace

std::string DialogCommands::EncodeBytes(std::span<const std::uint8_t> bytes) {
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const std::uint8_t b : bytes) {
        text += static_cast<char>('A' + (b >> 4));
        text += static_cast<char>('A' + (b & 0x0F));
    }
    return text;
}

// "testdialog [<name> | close]"
void DialogCommands::TestDialog(ServerCore&, ClientSession& session, std::string_view args) {
    if (args.empty()) {
        session.SendText("Dialogs: " + Names() + ".\n");
        CommandTable::SendUsage(session, "testdialog");
        return;
    }
    if (!session.WantsDatagram(DG_DIALOG_BEGIN) || !session.WantsDatagram(DG_DIALOG_DATA) ||
        !session.WantsDatagram(DG_DIALOG_SHOW)) {
        session.SendText("Your client does not take dialogs (datagrams 105 to 109).\n");
        return;
    }
    if (AccountStore::SameHandle(args, "close")) {
        session.SendDatagram(DatagramWriter(DG_DIALOG_CLOSE));
        session.SendText("Dialog closed.\n");
        return;
    }
    const DialogFiles::File* file = nullptr;
    for (const DialogFiles::File& candidate : DialogFiles::All())
        if (AccountStore::SameHandle(candidate.name, args)) file = &candidate;
    if (file == nullptr) {
        session.SendText("There is no dialog \"" + std::string(args) + "\". Dialogs: " + Names() +
                         ".\n");
        return;
    }
    session.SendDatagram(DatagramWriter(DG_DIALOG_BEGIN).Add(static_cast<int>(file->bytes.size())));
    for (std::size_t at = 0; at < file->bytes.size(); at += kBytesPerDatagram) {
        const std::span<const std::uint8_t> piece =
            file->bytes.subspan(at, std::min(kBytesPerDatagram, file->bytes.size() - at));
        session.SendDatagram(DatagramWriter(DG_DIALOG_DATA).Add(EncodeBytes(piece)));
    }
    // A template without a setup row starts empty and answers OK only.
    const Setup* setup = FindSetup(file->name);
    if (setup) {
        for (const Default& value : setup->defaults)
            session.SendDatagram(DatagramWriter(DG_DIALOG_DEFAULT)
                                     .Add(value.control)
                                     .Add(value.type)
                                     .Add(value.value));
    }
    // Field 1 carries nothing the client reads.
    DatagramWriter show(DG_DIALOG_SHOW);
    show.Add(0).Add(setup ? setup->focus : 0);
    if (setup) {
        for (const std::string_view answer : setup->answers) show.Add(answer);
    } else {
        show.Add("dialog-answer " + std::string(file->name) + " ok").Add("").Add("").Add("");
    }
    session.SendDatagram(show);
    session.SendText("Dialog \"" + std::string(file->name) + "\" sent (" +
                     std::to_string(file->bytes.size()) + " bytes).\n");
}

// "dialog-answer <text>"
void DialogCommands::Answer(ServerCore& core, ClientSession& session, std::string_view args) {
    core.GetTranscript().Note(session.Id(), "dialog answer: " + std::string(args));
    session.SendText("Dialog answer: " + std::string(args) + "\n");
}
