// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "net/MessageText.h"

#include "net/DatagramTable.h"
#include "net/SoundEvent.h"

namespace {

// The type field of a shout.
enum ShoutType { kShout = 0, kIShout = 1, kSShout = 2, kAnnouncement = 3 };

// "name(titles)", the titles part only when there are titles.
std::string NameWithTitles(const CServerMessage& m, size_t name, size_t titles) {
    std::string out = m.Field(name);
    if (!m.Field(titles).empty()) out += "(" + m.Field(titles) + ")";
    return out;
}

// Quoted lines carry their line breaks as backslash-n; backslash-h, -H and -b
// are the server's highlighting marks, which a console does not show.
std::string QuoteText(const std::string& text) {
    std::string out = ">";
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char next = text[i + 1];
            if (next == 'n') {
                out += "\n>";
                ++i;
                continue;
            }
            if (next == 'h' || next == 'H' || next == 'b') {
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

}  // namespace

MessageText FormatMessageText(const CServerMessage& m) {
    MessageText out;
    out.textClass = TextClassFor(m);
    out.channel = ColourChannelFor(m);
    if (m.kind != CServerMessage::Datagram) {
        if (!(m.kind == CServerMessage::Level1 && m.number == kLevel1Silent))
            out.text = m.TextValue();
        return out;
    }
    switch (m.number) {
        case DG_KIBITZ_TEXT:
            out.text = NameWithTitles(m, 2, 3) + (m.FieldInt(4) ? " kibitzes: " : " whispers: ") +
                       m.Field(5);
            break;
        case DG_CHANNEL_TEXT:
            out.text = NameWithTitles(m, 2, 3) + "(" + m.Field(1) + "): " + m.Field(4);
            break;
        case DG_CHALLENGE_REMOVED:
            out.text = m.Field(3);
            break;
        case DG_TELL_TEXT:
            out.text =
                NameWithTitles(m, 1, 2) + (m.FieldInt(4) ? " tells you: " : " says: ") + m.Field(3);
            break;
        case DG_SHOUT_TEXT:
            switch (m.FieldInt(3)) {
                case kIShout:
                    out.text = "--> " + m.Field(1) + " " + m.Field(4);
                    break;
                case kShout:
                    out.text = NameWithTitles(m, 1, 2) + " shouts: " + m.Field(4);
                    break;
                case kSShout:
                    out.text = NameWithTitles(m, 1, 2) + " s-shouts: " + m.Field(4);
                    out.sound = SoundEvent::SShout;
                    break;
                default:
                    out.text =
                        "   ** ANNOUNCEMENT ** from " + NameWithTitles(m, 1, 2) + ": " + m.Field(4);
                    out.sound = SoundEvent::Announcement;
                    break;
            }
            break;
        case DG_NOTIFY_ARRIVED:
            out.text = "Notification: " + m.Field(1) + " has arrived.";
            out.sound = SoundEvent::NotifyArrived;
            break;
        case DG_NOTIFY_DEPARTED:
            out.text = "Notification: " + m.Field(1) + " has departed.";
            out.sound = SoundEvent::NotifyLeft;
            break;
        case DG_INFO_LINE:
            out.text = m.Field(2);
            break;
        case DG_CHANNEL_QUOTE:
            out.text = QuoteText(m.Field(4));
            break;
        case DG_PERSONAL_QUOTE:
            out.text = QuoteText(m.Field(3));
            break;
        default:
            return out;
    }
    out.text += '\n';
    return out;
}

TextClass TextClassFor(const CServerMessage& m) {
    switch (m.kind) {
        case CServerMessage::Level1:
            return m.header == "*" ? TextClass::Response : TextClass::Nonresponse;
        case CServerMessage::Text:
            return TextClass::Nonresponse;
        case CServerMessage::Local:
            return m.number == -1 ? TextClass::Warning : TextClass::Typed;
        case CServerMessage::Datagram:
            break;
    }
    switch (m.number) {
        case DG_TELL_TEXT:
            return m.FieldInt(4) == kAlertType ? TextClass::Warning : TextClass::PersonalTell;
        case DG_KIBITZ_TEXT:
            return TextClass::Kibitz;
        case DG_SHOUT_TEXT:
            switch (m.FieldInt(3)) {
                case kSShout:
                    return TextClass::SShout;
                case kAnnouncement:
                    return TextClass::Announcement;
                default:
                    return TextClass::Shout;
            }
        case DG_CHANNEL_TEXT:
            if (m.FieldCount() > 5 && m.FieldInt(5) == kAlertType) return TextClass::Warning;
            return TextClass::DefaultChannel;
        default:
            return TextClass::Nonresponse;
    }
}

int ColourChannelFor(const CServerMessage& m) {
    const bool channelLine = m.kind == CServerMessage::Datagram && m.number == DG_CHANNEL_TEXT;
    return channelLine && TextClassFor(m) == TextClass::DefaultChannel ? m.FieldInt(1) : -1;
}
