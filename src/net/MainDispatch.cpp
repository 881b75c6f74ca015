// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "net/MainDispatch.h"

#include <algorithm>
#include <cstdio>

#include "net/ConnectionParams.h"
#include "net/DatagramTable.h"
#include "net/FileNames.h"
#include "net/MessageText.h"
#include "net/PopupContent.h"
#include "net/ServerValues.h"
#include "net/SoundEvent.h"
#include "net/StreamParser.h"
#include "net/TextUtil.h"
#include "net/WildNameCache.h"

namespace {

// Field 2 of the login confirmation lists titles separated by blanks; "C"
// among them marks a computer account.
bool HasComputerTitle(const std::string& titles) {
    size_t i = 0;
    while (i < titles.size()) {
        while (i < titles.size() && titles[i] == ' ') ++i;
        size_t end = titles.find(' ', i);
        if (end == std::string::npos) end = titles.size();
        if (titles.compare(i, end - i, "C") == 0) return true;
        i = end;
    }
    return false;
}

// The client report identifies the user's machine; its contents are ours to
// choose, and we report nothing.
constexpr const char* kEmptyReport = "\x18rePoRt \n";
constexpr const char* kEmptyReportEcho = "\x18regecho \n";

constexpr int kMaxPort = 65535;

}  // namespace

CMainDispatch::CMainDispatch(IMainConsoleHost& host, CStreamParser& parser,
                             ConnectionParams& params, ServerValues& values)
    : m_host(host), m_parser(parser), m_params(params), m_values(values) {}

const std::string& CMainDispatch::OwnHandle() const {
    return m_values.ownHandle;
}

bool CMainDispatch::ComputerAccount() const {
    return m_values.computerAccount;
}

const std::string& CMainDispatch::LastTeller() const {
    return m_values.lastTeller;
}

void CMainDispatch::ResetConnectionState() {
    m_loginStage = 0;
    m_suppressLine = false;
    m_highestWildIndex = 0;
}
bool CMainDispatch::Suppressed(std::string_view line) const {
    if (line.empty()) return false;
    if (line[0] == '!') return true;
    return line[0] == '*' && m_host.LogsInAutomatically();
}

bool CMainDispatch::NeedsFilter(std::string_view piece) const {
    if (m_suppressLine) return true;
    for (size_t start = 0; start < piece.size();) {
        if (Suppressed(piece.substr(start, 1))) return true;
        const size_t newline = piece.find('\n', start);
        if (newline == std::string_view::npos) break;
        start = newline + 1;
    }
    return false;
}

void CMainDispatch::ShowServerText(const CServerMessage& message) {
    const std::string& piece = message.TextValue();
    // Most text has nothing to filter; show it without copying.
    if (!NeedsFilter(piece)) {
        if (!piece.empty()) m_host.ShowMessageText(piece, message);
        return;
    }
    std::string_view rest = piece;
    if (m_suppressLine) {
        const size_t newline = rest.find('\n');
        // The whole piece may still belong to the suppressed line; a line the
        // server split over several receives must vanish in every part.
        if (newline == std::string_view::npos) return;
        rest.remove_prefix(newline + 1);
        m_suppressLine = false;
    }
    std::string shown;
    shown.reserve(rest.size());
    while (!rest.empty()) {
        const size_t newline = rest.find('\n');
        if (newline == std::string_view::npos) {
            if (Suppressed(rest)) {
                m_suppressLine = true;
            } else {
                shown.append(rest);
            }
            break;
        }
        const std::string_view line = rest.substr(0, newline + 1);
        if (!Suppressed(line)) shown.append(line);
        rest.remove_prefix(newline + 1);
    }
    if (!shown.empty()) m_host.ShowMessageText(shown, message);
}

int CMainDispatch::Receive(std::unique_ptr<CServerMessage>& message) {
    switch (message->kind) {
        case CServerMessage::Local:
            m_host.ShowMessageText(message->TextValue(), *message);
            break;
        case CServerMessage::Text:
            ShowServerText(*message);
            break;
        case CServerMessage::Level1:
            if (message->number != kLevel1Silent) {
                m_host.ShowMessageText(message->TextValue(), *message);
            }
            break;
        case CServerMessage::Datagram:
            HandleDatagram(message);
            break;
    }
    message.reset();
    return 1;
}

void CMainDispatch::HandleDatagram(std::unique_ptr<CServerMessage>& message) {
    const CServerMessage& m = *message;
    switch (m.number) {
        case DG_WHO_AM_I:
            LoginConfirmation(m);
            return;
        case DG_GAME_STARTED:
        case DG_GAME_STARTED_18:
        case DG_GAME_STARTED_40:
            m_host.OpenGameWindow(message);
            return;
        case DG_GAMELIST_BEGIN: {
            const std::string& kind = m.Field(1);
            m_host.OpenGameList(message,
                                EqualsNoCase(kind, "history") || EqualsNoCase(kind, "stored"));
            return;
        }
        case DG_TELL_ECHO:
            return;
        case DG_MY_RATINGS:
            for (int i = 1; i < m.FieldCount(); ++i) m_values.SetRating(i, m.FieldInt(i));
            m_host.ServerValuesChanged();
            return;
        case DG_RATING_CATEGORY:
            m_values.SetCategoryName(m.FieldInt(1), m.Field(2));
            return;
        case DG_MY_VARIABLE:
            m_values.SetVariable(m.Field(1), m.FieldInt(2));
            return;
        case DG_MY_STRING_VARIABLE:
            m_values.SetStringVariable(m.Field(1), m.Field(2));
            if (m.Field(1) == "sfilter" || m.Field(1) == "formula") m_host.ServerValuesChanged();
            return;
        case DG_TELL_TEXT:
            ShowDatagramText(m);
            m_host.PlaySoundEvent(m.FieldInt(4) == kAlertType ? SoundEvent::Alert
                                                              : SoundEvent::PersonalTell);
            m_values.lastTeller = m.Field(1);
            return;
        case DG_GAME_NOTIFY:
            if (m.FieldInt(1) == 3) m_host.PlaySoundEvent(SoundEvent::GameNotify);
            return;
        case DG_NOTIFY_ARRIVED:
            if (m_loginStage < 2) return;
            break;
        case DG_CHALLENGE:
            Challenge(m);
            return;
        case DG_CHALLENGE_REMOVED:
            // The withdrawal or refusal text is the only word the user gets
            // that the challenge has ended.
            if (m.Field(1) != m_values.ownHandle) m_host.ClosePopupsNamed(m.Field(1));
            break;
        case DG_SUGGESTION:
        case DG_SUGGESTION_91:
            Suggestion(m);
            return;
        case DG_SUGGESTION_REMOVED:
            m_host.CloseSuggestionPopup(m.Field(1));
            return;
        case DG_SAVE_GAME_TEXT:
            SaveGameText(m);
            return;
        case DG_SET_LOGIN:
            SetLogin(m);
            return;
        case DG_WILD_NAMES_VERSION:
            WildNamesVersion(m);
            return;
        case DG_WILD_NAME: {
            const int index = m.FieldInt(1);
            CProfile* settings = m_host.Settings();
            if (settings && CWildNameCache(*settings).StoreName(index, m.Field(2))) {
                m_highestWildIndex = std::max(m_highestWildIndex, index);
            }
            return;
        }
        case DG_REDIRECT:
            Redirect(m);
            return;
        case DG_CLIENT_REPORT_REQUEST:
            m_parser.SendCommand(kEmptyReport);
            return;
        case DG_PLUGIN_AUTH_RESULT:
            m_host.PluginAuthResult(m.FieldInt(1), m.Field(2));
            return;
        case DG_CLIENT_INFO_ECHO:
            m_parser.SendCommand(kEmptyReportEcho);
            return;
        case DG_CLIENT_INFO_STORE:
            // Only the report's contents would use it.
            return;
        case DG_DIALOG_BEGIN:
        case DG_DIALOG_DATA:
        case DG_DIALOG_DEFAULT:
        case DG_DIALOG_SHOW:
        case DG_DIALOG_CLOSE:
            m_host.ServerDialogDatagram(m);
            return;
        default:
            if (DroppedSilently(m.number)) return;
            break;
    }
    ShowDatagramText(m);
}

void CMainDispatch::ShowDatagramText(const CServerMessage& m) {
    const MessageText text = FormatMessageText(m);
    if (!text.text.empty()) m_host.ShowMessageText(text.text, m);
    if (text.sound) m_host.PlaySoundEvent(*text.sound);
}

void CMainDispatch::LoginConfirmation(const CServerMessage& m) {
    if (m_loginStage >= 2) {
        // The confirmation the server sends after a new list of wild names.
        if (CProfile* settings = m_host.Settings(); settings && !m_values.wildNameVersion.empty()) {
            CWildNameCache(*settings).StoreVersion(m_values.wildNameVersion, m_highestWildIndex);
        }
        m_loginStage = 3;
        return;
    }
    if (m_loginStage == 1) {
        m_loginStage = 2;
        return;
    }
    m_host.PlaySoundEvent(SoundEvent::Connection);
    m_values.ownHandle = m.Field(1);
    m_values.computerAccount = HasComputerTitle(m.Field(2));
    m_parser.SetDatagram(DG_MY_RATINGS, true);
    m_parser.SendCommand("Set-quietly wrap 0\n");
    m_parser.SendCommand("Set-quietly style 13\n");
    std::string interface = std::string("multi Set-quietly interface ") + kInterfaceName;
    for (const std::string& plugin : m_host.PluginNames()) interface += " + " + plugin;
    interface += '\n';
    m_parser.SendCommand(interface);
    m_parser.SetDatagram(DG_MY_VARIABLE, true);
    m_parser.SetDatagram(DG_MY_STRING_VARIABLE, true);
    m_host.AuthenticatePlugins();
    // Without a notify list, arrivals and departures become console lines.
    // Asked for before the second confirmation, so that the burst of those
    // already logged in arrives while the stage still hides it.
    if (!m_host.OpenStartWindows()) {
        m_parser.SetDatagram(DG_NOTIFY_ARRIVED, true);
        m_parser.SetDatagram(DG_NOTIFY_DEPARTED, true);
    }
    m_loginStage = 1;
    m_host.OnLoggedIn(m_values.ownHandle);
    m_parser.SetDatagram(DG_WHO_AM_I, true);
}

void CMainDispatch::Challenge(const CServerMessage& m) {
    if (m.Field(1) == m_values.ownHandle) return;
    m_host.PlaySoundEvent(SoundEvent::Challenge);
    if (m_host.BypassMatch()) return;
    m_host.ShowPopup(PopupContent::ForChallenge(m));
    m_host.PlaySoundEvent(SoundEvent::Challenge);
}

void CMainDispatch::Suggestion(const CServerMessage& m) {
    if (m.number == DG_SUGGESTION_91 && m.FieldInt(3) == 5) {
        if (!m_host.OpenUrl(m.Field(1))) {
            m_parser.SendCommand(
                PopupContent::SuggestFailedLine(m.Field(4), m.Field(1), m.Field(6)));
        }
        return;
    }
    m_host.PlaySoundEvent(SoundEvent::Alert);
    m_host.ShowPopup(PopupContent::ForSuggestion(m));
}

void CMainDispatch::SaveGameText(const CServerMessage& m) {
    std::string file;
    if (m.tag != 0) file = m_host.TaggedGameFile();
    // A tagged command with no file chosen falls back like an untagged one
    // instead of failing on an empty name.
    if (file.empty()) file = m_params.gameLogFile;
    if (file.empty()) file = DefaultGameFile(ReadableCurrentFolder(), m_values.ownHandle);
    std::FILE* out = std::fopen(file.c_str(), "a");
    if (!out) {
        m_host.ShowWarning("Could not open file for writing: " + file);
        return;
    }
    bool written = true;
    for (int i = 1; i < m.FieldCount(); ++i) {
        const std::string& line = m.Field(i);
        written = written && std::fwrite(line.data(), 1, line.size(), out) == line.size() &&
                  std::fputc('\n', out) != EOF;
    }
    written = std::fclose(out) == 0 && written;
    // A full disk loses the game as surely as a locked file; say so the same way.
    if (!written) {
        m_host.ShowWarning("Could not open file for writing: " + file);
        return;
    }
    m_parser.EchoText("Game appended to " + file + "\n");
}

void CMainDispatch::SetLogin(const CServerMessage& m) {
    bool changed = false;
    if (m.Field(2) != m_params.handle) {
        m_params.handle = m.Field(2);
        changed = true;
    }
    if (!m_params.password.empty() || m_params.guest || m_params.registerNew) {
        m_params.password = m.Field(1);
        changed = true;
    }
    if (changed) m_host.MarkModified();
    m_host.SaveIfModified();
}

void CMainDispatch::WildNamesVersion(const CServerMessage& m) {
    CProfile* settings = m_host.Settings();
    if (!settings) return;
    CWildNameCache cache(*settings);
    if (m.Field(1) == cache.Version()) return;
    m_values.wildNameVersion = m.Field(1);
    cache.Clear();
    m_highestWildIndex = 0;
    m_parser.SetDatagram(DG_WILD_NAME, true);
    m_parser.SetDatagram(DG_WHO_AM_I, true);
}

void CMainDispatch::Redirect(const CServerMessage& m) {
    const int port = m.FieldInt(2);
    // An address we could not connect to would only end this connection.
    if (m.Field(1).empty() || port <= 0 || port > kMaxPort) return;
    m_params.host = m.Field(1);
    m_params.port = port;
    m_host.MarkModified();
    m_host.Redirect();
}
