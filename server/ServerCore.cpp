// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "ServerCore.h"

#include <array>
#include <cctype>
#include <chrono>

#include "CommandTable.h"
#include "CommandWords.h"
#include "ComputerPlayer.h"
#include "EventCommands.h"
#include "GameCommands.h"
#include "MatchCommands.h"
#include "SeekCommands.h"
#include "Transcript.h"
#include "VariableTable.h"

namespace {

std::string LowerHandle(std::string_view handle) {
    std::string out(handle);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

constexpr std::string_view kBanner = "Welcome to the VCX test server.\n\n";

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// Splits "`<n>`command" into the tag and the command. A line without a
// well-formed tag is the command as it is, with tag 0.
std::string_view SplitTag(std::string_view line, int& tag) {
    tag = 0;
    if (line.empty() || line.front() != '`') return line;
    const size_t close = line.find('`', 1);
    if (close == std::string_view::npos || close == 1) return line;
    int value = 0;
    if (!CommandWords::ParseInt(line.substr(1, close - 1), value) || value < 0) return line;
    tag = value;
    return line.substr(close + 1);
}

std::string TimingReplyNote(std::string_view line) {
    switch (static_cast<unsigned char>(line.front())) {
        case 0x9b:
            return "timing reply 0x9b: alarm armed";
        case 0x9a:
            return "timing reply 0x9a: echo \"" + Transcript::Escape(line.substr(1)) + "\"";
        default:
            return "timing reply 0x99: alarm fired";
    }
}

bool IsTimingReply(std::string_view line) {
    if (line.empty()) return false;
    const auto first = static_cast<unsigned char>(line.front());
    return first == 0x99 || first == 0x9a || first == 0x9b;
}

}  // namespace

ServerCore::ServerCore(const AccountStore& accounts, Transcript& transcript, Options options)
    : m_accounts(accounts),
      m_transcript(transcript),
      m_options(options),
      m_random(options.passwordSeed) {}

ServerCore::~ServerCore() = default;

int64_t ServerCore::NowMs() const {
    if (m_options.clock) return m_options.clock();
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void ServerCore::Tick() {
    const int64_t now = NowMs();
    m_games.Tick(now);
    if (m_computer) m_computer->Tick(now);
    FlushAll();
}

std::vector<int> ServerCore::WatchedFds() const {
    return m_computer ? m_computer->Fds() : std::vector<int>{};
}

void ServerCore::StartComputerPlayer(const std::string& handle, const std::string& enginePath,
                                     const std::string& variantEnginePath) {
    const int id = m_nextId++;
    auto session = std::make_unique<ClientSession>(id, m_transcript);
    session->SetRobot(true);
    session->SetHandle(handle);
    ClientSession& ref = *session;
    m_sessions.emplace(id, std::move(session));
    const AccountStore::Account* account = m_accounts.Find(handle);
    AccountStore::Account made;
    if (account == nullptr) {
        made.handle = handle;
        made.titles = {"C"};
        made.ratings = std::vector<int>(AccountStore::kCategories.size(), 0);
        account = &made;
    }
    CompleteLogin(ref, account);
    m_computer = std::make_unique<ComputerPlayer>(*this, ref, enginePath, variantEnginePath);
    m_computer->Tick(NowMs());
    FlushAll();
}

int ServerCore::Connect() {
    const int id = m_nextId++;
    auto session = std::make_unique<ClientSession>(id, m_transcript, m_options.chronelFail);
    m_transcript.Note(id, "connected");
    session->SendText(kBanner);
    session->SendText(kLoginPrompt);
    session->Flush();
    m_sessions.emplace(id, std::move(session));
    return id;
}

void ServerCore::Receive(int id, std::string_view wire) {
    ClientSession* session = Find(id);
    if (session == nullptr || session->CloseRequest() != ClientSession::Close::None) return;
    for (const LineSplitter::Line& line : session->Receive(wire)) {
        HandleLine(*session, line);
        // Per line, so that the transcript shows each answer after its line.
        session->Flush();
        // Whatever follows a quit or a reset in the same read is not run.
        if (session->CloseRequest() != ClientSession::Close::None) break;
    }
    FlushAll();
}

void ServerCore::PeerFinished(int id) {
    ClientSession* session = Find(id);
    if (session == nullptr) return;
    m_transcript.Note(id, "peer finished sending");
    session->RequestClose(ClientSession::Close::Orderly);
    FlushAll();
}

void ServerCore::Remove(int id) {
    const auto it = m_sessions.find(id);
    if (it == m_sessions.end()) return;
    const std::unique_ptr<ClientSession> session = std::move(it->second);
    m_sessions.erase(it);
    m_transcript.Note(id, "closed");
    if (session->LoggedIn()) Depart(*session);
    FlushAll();
}

void ServerCore::Depart(const ClientSession& session) {
    // A second login of the account closed this one: the person is still here.
    if (FindLoggedIn(session.Handle()) != nullptr) return;
    MatchCommands::EndChallengesOf(*this, session.Handle(), session.Handle() + " has left.");
    SeekCommands::RemoveSeeksOf(*this, session.Handle());
    m_games.Leave(session.Handle());
    TellWatchers(session, false);
}

// Datagrams 64 and 65 to everyone whose notify list holds the person.
void ServerCore::TellWatchers(const ClientSession& person, bool arrived) {
    DatagramWriter datagram(arrived ? DG_NOTIFY_ARRIVED : DG_NOTIFY_DEPARTED);
    datagram.Add(person.Handle());
    const std::string text =
        "Notification: " + person.Handle() + (arrived ? " has arrived.\n" : " has departed.\n");
    for (ClientSession* watcher : LoggedIn()) {
        if (watcher == &person) continue;
        for (const std::string& name : NotifyList(watcher->Handle())) {
            if (AccountStore::SameHandle(name, person.Handle())) {
                watcher->SendDatagramOrText(datagram, text);
                break;
            }
        }
    }
}

std::vector<std::string>& ServerCore::NotifyList(std::string_view handle) {
    return m_lists.Of(PersonLists::Kind::Notify, handle);
}

std::string ServerCore::KnownHandle(std::string_view name) {
    if (const ClientSession* person = FindLoggedIn(name)) return person->Handle();
    if (const AccountStore::Account* account = m_accounts.Find(name)) return account->handle;
    return {};
}

std::string ServerCore::FreePlayerHandle() {
    for (int n = 1;; ++n) {
        std::string handle = "Player" + std::to_string(n);
        if (m_accounts.Find(handle) == nullptr && FindLoggedIn(handle) == nullptr) return handle;
    }
}

std::string ServerCore::NewPassword() {
    std::uniform_int_distribution<int> letter('a', 'z');
    std::string password(8, 'a');
    for (char& c : password) c = static_cast<char>(letter(m_random));
    return password;
}

ClientSession* ServerCore::Find(int id) {
    const auto it = m_sessions.find(id);
    return it == m_sessions.end() ? nullptr : it->second.get();
}

std::vector<int> ServerCore::Ids() const {
    std::vector<int> ids;
    ids.reserve(m_sessions.size());
    for (const auto& [id, session] : m_sessions) ids.push_back(id);
    return ids;
}

std::vector<ClientSession*> ServerCore::LoggedIn() {
    std::vector<ClientSession*> people;
    for (const auto& [id, session] : m_sessions) {
        if (session->LoggedIn() && session->CloseRequest() == ClientSession::Close::None)
            people.push_back(session.get());
    }
    return people;
}

ClientSession* ServerCore::FindLoggedIn(std::string_view handle) {
    for (ClientSession* person : LoggedIn()) {
        if (AccountStore::SameHandle(person->Handle(), handle)) return person;
    }
    return nullptr;
}

void ServerCore::HandleLine(ClientSession& session, const LineSplitter::Line& received) {
    m_transcript.Received(session.Id(), received.text);
    std::string_view line = received.text;
    if (session.ChronelMode() == ChronelServerSession::Mode::Chronel) {
        uint32_t stamp = 0;
        std::string_view rest;
        if (ChronelServerSession::SplitStamp(line, stamp, rest)) line = rest;
    }
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (received.tooLong) {
        session.SendText("Line too long (more than " + std::to_string(LineSplitter::kMaxLine) +
                         " bytes); ignored.\n");
        return;
    }
    if (IsTimingReply(line)) {
        m_transcript.Note(session.Id(), TimingReplyNote(line));
        return;
    }
    if (HandleSettingsLine(session, line)) return;
    if (session.LoggedIn()) {
        HandleCommandLine(session, line);
    } else {
        HandleLogin(session, line);
    }
}

bool ServerCore::HandleSettingsLine(ClientSession& session, std::string_view line) {
    constexpr std::string_view kLevel2 = "level2settings=";
    constexpr std::string_view kLevel1 = "level1=";
    if (StartsWith(line, kLevel2)) {
        session.SetLevel2Settings(line.substr(kLevel2.size()));
        return true;
    }
    if (StartsWith(line, kLevel1)) {
        int value = 0;
        if (CommandWords::ParseInt(CommandWords::Trim(line.substr(kLevel1.size())), value)) {
            session.SetLevel1(value);
        } else {
            session.SendText("level1: expected a number.\n");
        }
        return true;
    }
    return false;
}

void ServerCore::HandleLogin(ClientSession& session, std::string_view line) {
    line = CommandWords::Trim(line);
    switch (session.GetState()) {
        case ClientSession::State::GuestConfirm:
            // Any answer, usually the empty line of "g\n\n", enters as the guest.
            CompleteLogin(session, nullptr);
            return;
        case ClientSession::State::RegisterConfirm:
            if (const AccountStore::Account* account = m_accounts.Find(session.Handle())) {
                const std::string password = account->password;
                CompleteLogin(session, account);
                DatagramWriter login(DG_SET_LOGIN);
                login.Add(password).Add(session.Handle());
                session.SendDatagram(login);
            }
            return;
        case ClientSession::State::PasswordPrompt:
            CheckPassword(session, line);
            return;
        case ClientSession::State::LoginPrompt:
        case ClientSession::State::LoggedIn:
            break;
    }
    if (line.empty()) {
        session.SendText(kLoginPrompt);
        return;
    }
    std::string_view password;
    const std::string_view handle = CommandWords::First(line, password);
    if (handle == "g" || handle == "G") {
        const std::string name = "Guest" + std::to_string(m_nextGuest++);
        session.SetHandle(name);
        session.SendText("Logging you in as \"" + name +
                         "\".\nPress return to enter the server as \"" + name + "\": ");
        session.SetState(ClientSession::State::GuestConfirm);
        return;
    }
    if (handle == "r" || handle == "R") {
        StartRegistration(session);
        return;
    }
    if (!AccountStore::IsValidHandle(handle)) {
        session.SendText("\"" + std::string(handle) +
                         "\" is not a valid handle: use 2 to 15 letters, digits or \"-\", starting "
                         "with a letter.\n");
        session.SendText(kLoginPrompt);
        return;
    }
    const AccountStore::Account* account = m_accounts.Find(handle);
    if (account == nullptr) {
        session.SendText("\"" + std::string(handle) +
                         "\" is not a registered name. Log in as a guest with \"g\".\n");
        session.SendText(kLoginPrompt);
        return;
    }
    session.SetHandle(account->handle);
    if (password.empty()) {
        session.SendText(kPasswordPrompt);
        session.SetState(ClientSession::State::PasswordPrompt);
        return;
    }
    CheckPassword(session, password);
}

void ServerCore::StartRegistration(ClientSession& session) {
    AccountStore::Account account;
    account.handle = FreePlayerHandle();
    account.password = NewPassword();
    session.SetHandle(account.handle);
    session.SendText("Registering you as \"" + account.handle + "\" with the password \"" +
                     account.password + "\".\nPress return to enter the server as \"" +
                     account.handle + "\": ");
    m_accounts.Add(std::move(account));
    session.SetState(ClientSession::State::RegisterConfirm);
}

void ServerCore::CheckPassword(ClientSession& session, std::string_view password) {
    const AccountStore::Account* account = m_accounts.Find(session.Handle());
    if (account == nullptr || account->password != password) {
        m_transcript.Note(session.Id(), "login refused for " + session.Handle());
        session.SetHandle({});
        session.SetState(ClientSession::State::LoginPrompt);
        session.SendText("Invalid password.\n");
        session.SendText(kLoginPrompt);
        return;
    }
    // The computer player's session has no socket to close; taking over its
    // account would leave two of it.
    if (const ClientSession* earlier = FindLoggedIn(account->handle);
        earlier != nullptr && earlier->IsRobot()) {
        session.SetHandle({});
        session.SetState(ClientSession::State::LoginPrompt);
        session.SendText(account->handle + " is played by the server itself.\n");
        session.SendText(kLoginPrompt);
        return;
    }
    CompleteLogin(session, account);
}

void ServerCore::CompleteLogin(ClientSession& session, const AccountStore::Account* account) {
    if (account != nullptr) {
        if (ClientSession* earlier = FindLoggedIn(account->handle)) {
            earlier->SendText("You have logged in from another connection; closing this one.\n");
            earlier->RequestClose(ClientSession::Close::Orderly);
        }
        session.SetTitles(AccountStore::JoinTitles(account->titles));
        session.SetRatings(account->ratings);
        session.SetGuest(false);
    } else {
        session.SetTitles("U");
        session.SetRatings(std::vector<int>(AccountStore::kCategories.size(), 0));
        session.SetGuest(true);
    }
    for (const VariableTable::IntegerVariable& variable : VariableTable::Integers()) {
        session.SetVariable(variable.name, std::to_string(variable.initial));
    }
    session.SetVariable("reg", session.IsGuest() ? "0" : "1");
    for (std::string_view name : VariableTable::Strings()) session.SetVariable(name, "");
    if (!session.IsGuest()) {
        const auto kept = m_keptVariables.find(LowerHandle(session.Handle()));
        if (kept != m_keptVariables.end()) {
            for (const auto& [name, value] : kept->second) session.SetVariable(name, value);
        }
    }
    session.SetState(ClientSession::State::LoggedIn);
    session.SetLoginMs(NowMs());
    session.SetLastCommandMs(NowMs());
    m_transcript.Note(session.Id(), "logged in as " + session.Handle());
    session.SendText("**** Starting VCX session as " + session.DisplayName() + " ****\n\n");
    SendWhoAmI(session);
    for (size_t i = 0; i < AccountStore::kCategories.size(); ++i) {
        DatagramWriter category(DG_RATING_CATEGORY);
        category.Add(static_cast<int>(i + 1)).Add(AccountStore::kCategories[i]);
        session.SendDatagram(category);
    }
    DatagramWriter version(DG_WILD_NAMES_VERSION);
    session.SendDatagram(version.Add(kWildNamesVersion));
    DatagramWriter info(DG_INFO_LINE);
    info.Add("VCX").Add("Welcome, " + session.Handle() +
                        ". Type \"help\" for the commands of this test server.");
    session.SendDatagram(info);
    TellWatchers(session, true);
    SendTimingCommands(session, m_options.loginAlarmMs);
}

void ServerCore::SendTimingCommands(ClientSession& session, uint32_t delayMs) {
    session.SendTiming(ChronelServerSession::EchoRequest("ping " + session.Handle()));
    session.SendTiming(ChronelServerSession::AlarmCommand(delayMs, {}));
}

void ServerCore::SendWhoAmI(ClientSession& session) {
    DatagramWriter whoAmI(DG_WHO_AM_I);
    whoAmI.Add(session.Handle()).Add(session.Titles());
    session.SendDatagram(whoAmI);
}

void ServerCore::SendOnSwitch(ClientSession& session, int number) {
    switch (static_cast<DatagramNumber>(number)) {
        case DG_WHO_AM_I:
            SendWhoAmI(session);
            break;
        case DG_MY_RATINGS: {
            DatagramWriter ratings(DG_MY_RATINGS);
            for (int rating : session.Ratings()) ratings.Add(rating);
            session.SendDatagram(ratings);
            break;
        }
        case DG_MY_VARIABLE:
            for (const VariableTable::IntegerVariable& variable : VariableTable::Integers()) {
                DatagramWriter datagram(DG_MY_VARIABLE);
                datagram.Add(variable.name).Add(session.Variable(variable.name));
                session.SendDatagram(datagram);
            }
            break;
        case DG_MY_STRING_VARIABLE:
            for (const auto& [name, value] : session.Variables()) {
                if (VariableTable::KindOf(name) != VariableTable::Kind::String) continue;
                DatagramWriter datagram(DG_MY_STRING_VARIABLE);
                session.SendDatagram(datagram.Add(name).Add(value));
            }
            break;
        case DG_WILD_NAME:
            for (const auto& [wildNumber, name] : ServerGame::kWildNames) {
                DatagramWriter datagram(DG_WILD_NAME);
                session.SendDatagram(datagram.Add(wildNumber).Add(name));
            }
            break;
        case DG_SEEK:
            for (const SeekList::Seek& seek : m_seeks.All())
                SeekCommands::SendSeek(*this, session, seek);
            break;
        case DG_EVENT:
            for (const auto& [id, event] : m_events.All()) EventCommands::SendEvent(session, event);
            break;
        case DG_NOTIFY_STAGE:
            session.SendDatagram(DatagramWriter(DG_NOTIFY_STAGE));
            break;
        case DG_NOTIFY_ARRIVED:
            for (const std::string& name : NotifyList(session.Handle())) {
                if (const ClientSession* person = FindLoggedIn(name)) {
                    DatagramWriter datagram(DG_NOTIFY_ARRIVED);
                    session.SendDatagram(datagram.Add(person->Handle()));
                }
            }
            break;
        default:
            break;
    }
}

void ServerCore::HandleCommandLine(ClientSession& session, std::string_view line) {
    line = CommandWords::Trim(line);
    if (line.empty()) return;
    if (line.front() == '\x18') {
        // The plug-ins' approval is the one internal request this server answers.
        std::string_view rest;
        if (CommandWords::First(line.substr(1), rest) == "authenticateplugin") {
            RunCommand(session, line.substr(1), false);
            return;
        }
        // The client's internal reports; this server keeps no use for them.
        m_transcript.Note(session.Id(), "client report ignored");
        return;
    }
    session.SetLastCommandMs(NowMs());
    RunCommand(session, line, true);
}

void ServerCore::RunCommand(ClientSession& session, std::string_view line, bool inBlock) {
    int tag = 0;
    line = CommandWords::Trim(SplitTag(line, tag));
    std::string_view args;
    std::string_view name = CommandWords::First(line, args);
    // A line of commands each introduced by ";" is the client's way of
    // asking for several things at once, as "multi" does.
    if (!line.empty() && line.front() == ';') {
        name = "multi";
        args = line.substr(1);
    }
    const CommandTable::Command* command = CommandTable::Find(name);
    const bool wrap = inBlock && session.Level1On();
    if (wrap) {
        session.SendFramed(DatagramWriter::WorkingMark());
        session.SendFramed(DatagramWriter::BlockStart(
            command != nullptr ? command->number : CommandTable::kUnknownCommand, "*", tag));
    }
    // Pages of an earlier answer are dropped once the client asks something
    // else; only "more" goes on with them.
    if (command == nullptr || !CommandTable::IsMore(*command)) session.DropMore();
    if (command != nullptr) {
        command->handler(*this, session, args);
    } else if (GameCommands::TryMove(*this, session, line)) {
    } else {
        session.SendText("Unknown command \"" + std::string(name) +
                         "\". Type \"help\" for a list of commands.\n");
    }
    if (wrap) {
        session.SendFramed(DatagramWriter::BlockEnd());
        session.SendFramed(DatagramWriter::ReadyMark());
    }
}

void ServerCore::FlushAll() {
    for (const auto& [id, session] : m_sessions) {
        session->Flush();
        if (session->Outbox().size() > kMaxOutbox &&
            session->CloseRequest() != ClientSession::Close::Reset) {
            m_transcript.Note(id, "output not read; connection reset");
            session->RequestClose(ClientSession::Close::Reset);
        }
    }
}

void ServerCore::KeepVariable(const ClientSession& session, std::string_view name,
                              std::string_view value) {
    if (session.IsGuest() || (name != "formula" && name != "sfilter")) return;
    m_keptVariables[LowerHandle(session.Handle())][std::string(name)] = std::string(value);
}
