// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "net/MainDispatch.h"

#include <algorithm>

#include "net/DatagramTable.h"
#include "net/MessageText.h"
#include "net/SoundEvent.h"
#include "net/StreamParser.h"
#include "net/TextUtil.h"

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

}  // namespace

CMainDispatch::CMainDispatch(IMainConsoleHost& host, CStreamParser& parser)
    : m_host(host), m_parser(parser) {}

void CMainDispatch::ResetConnectionState() {
    m_loginStage = 0;
    m_suppressLine = false;
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
        case DG_CHALLENGE_REMOVED:
        case DG_TELL_ECHO:
            return;
        case DG_TELL_TEXT: {
            const MessageText text = FormatMessageText(m);
            m_host.ShowMessageText(text.text, m);
            m_host.PlaySoundEvent(m.FieldInt(4) == 4 ? SoundEvent::Alert
                                                     : SoundEvent::PersonalTell);
            m_lastTeller = m.Field(1);
            return;
        }
        case DG_GAME_NOTIFY:
            if (m.FieldInt(1) == 3) m_host.PlaySoundEvent(SoundEvent::GameNotify);
            return;
        case DG_NOTIFY_ARRIVED:
            if (m_loginStage < 2) return;
            break;
        default:
            if (DroppedSilently(m.number)) return;
            break;
    }
    const MessageText text = FormatMessageText(m);
    if (!text.text.empty()) m_host.ShowMessageText(text.text, m);
    if (text.soundEvent >= 0) m_host.PlaySoundEvent(static_cast<SoundEvent>(text.soundEvent));
}

void CMainDispatch::LoginConfirmation(const CServerMessage& m) {
    if (m_loginStage >= 2) {
        m_loginStage = 3;
        return;
    }
    if (m_loginStage == 1) {
        m_loginStage = 2;
        return;
    }
    m_host.PlaySoundEvent(SoundEvent::Connection);
    m_ownHandle = m.Field(1);
    m_computerAccount = HasComputerTitle(m.Field(2));
    m_parser.SetDatagram(DG_MY_RATINGS, true);
    m_parser.SendCommand("Set-quietly wrap 0\n");
    m_parser.SendCommand("Set-quietly style 13\n");
    std::string interface = std::string("multi Set-quietly interface ") + kInterfaceName;
    for (const std::string& plugin : m_host.PluginNames()) interface += " + " + plugin;
    interface += '\n';
    m_parser.SendCommand(interface);
    m_parser.SetDatagram(DG_MY_VARIABLE, true);
    m_parser.SetDatagram(DG_MY_STRING_VARIABLE, true);
    m_host.OnLoggedIn(m_ownHandle);
    m_loginStage = 1;
    m_parser.SetDatagram(DG_WHO_AM_I, true);
}
