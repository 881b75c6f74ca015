// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "net/PluginSlot.h"

#include <algorithm>
#include <cstdio>

#include "net/ServerMessage.h"

static_assert(CPluginSlot::kAllowedWhilePlaying.size() == 100);

void CPluginSlot::Reset() {
    *this = CPluginSlot();
}

std::string CPluginSlot::CleanName(std::string_view text) {
    text = text.substr(0, text.find('\n'));
    text = text.substr(0, text.find('\r'));
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    return std::string(text.substr(0, kMaxName));
}

CPluginSlot::Outcome CPluginSlot::Apply(const PluginRecord& record) {
    const int16_t number = record.Number();
    switch (static_cast<PluginRecordType>(record.type)) {
        case PluginRecordType::Name:
            // A name is given once; a plug-in cannot rename itself later.
            if (!m_name.empty()) return {};
            m_name = CleanName(record.Text());
            return {Effect::Named, m_name};
        case PluginRecordType::Command:
            return {Effect::SendToServer, record.Text()};
        case PluginRecordType::ConsoleText:
            return {Effect::ShowText, record.Text()};
        case PluginRecordType::Declare:
            m_declared = number;
            return {Effect::Declared, {}};
        case PluginRecordType::SubscribeLevel1:
            m_level1.push_back(number);
            return {};
        case PluginRecordType::SubscribeDatagram:
            // These carry the user's own identification reports.
            if (number != 92 && number != 98 && number != 118) m_datagrams.push_back(number);
            return {};
        case PluginRecordType::UnsubscribeLevel1:
            std::erase(m_level1, number);
            return {};
        case PluginRecordType::UnsubscribeDatagram:
            std::erase(m_datagrams, number);
            return {};
        default:
            return {};
    }
}

bool CPluginSlot::ApplyAuthResult(std::string_view text) {
    if (text == m_digest) m_authenticated = true;
    return text == m_digest;
}

bool CPluginSlot::Restricted(const CServerMessage& message, int gamesPlaying,
                             bool computerAccount) {
    if (gamesPlaying < 1 || computerAccount) return false;
    const bool allowed = message.kind == CServerMessage::Datagram && message.number >= 0 &&
                         message.number < static_cast<int>(kAllowedWhilePlaying.size()) &&
                         kAllowedWhilePlaying[static_cast<size_t>(message.number)] == '1';
    return !allowed;
}

bool CPluginSlot::Subscribed(const CServerMessage& message) const {
    const auto has = [&](const std::vector<int16_t>& list) {
        return std::find(list.begin(), list.end(), message.number) != list.end();
    };
    if (message.kind == CServerMessage::Level1) return has(m_level1);
    if (message.kind == CServerMessage::Datagram) return has(m_datagrams);
    return false;
}

bool CPluginSlot::Receives(const CServerMessage& message, int gamesPlaying,
                           bool computerAccount) const {
    if (!m_authenticated && Restricted(message, gamesPlaying, computerAccount)) return false;
    return Subscribed(message);
}

std::string CPluginSlot::AuthenticateLine(int index) const {
    return "\x18"
           "authenticateplugin " +
           std::to_string(index) + " " + m_digest + " \"" + m_name + "\" " +
           std::to_string(m_declared) + "\n";
}
