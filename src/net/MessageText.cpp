// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "net/MessageText.h"

namespace {

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
        if (!(m.kind == CServerMessage::Level1 && m.number == 206)) out.text = m.TextValue();
        return out;
    }
    switch (m.number) {
        case 26:
            out.text = NameWithTitles(m, 2, 3) + (m.FieldInt(4) ? " kibitzes: " : " whispers: ") +
                       m.Field(5);
            break;
        case 28:
            out.text = NameWithTitles(m, 2, 3) + "(" + m.Field(1) + "): " + m.Field(4);
            break;
        case 30:
            out.text = m.Field(3);
            break;
        case 31:
            out.text =
                NameWithTitles(m, 1, 2) + (m.FieldInt(4) ? " tells you: " : " says: ") + m.Field(3);
            break;
        case 32:
            switch (m.FieldInt(3)) {
                case 1:
                    out.text = "--> " + m.Field(1) + " " + m.Field(4);
                    break;
                case 0:
                    out.text = NameWithTitles(m, 1, 2) + " shouts: " + m.Field(4);
                    break;
                case 2:
                    out.text = NameWithTitles(m, 1, 2) + " s-shouts: " + m.Field(4);
                    out.soundEvent = 19;
                    break;
                default:
                    out.text =
                        "   ** ANNOUNCEMENT ** from " + NameWithTitles(m, 1, 2) + ": " + m.Field(4);
                    out.soundEvent = 18;
                    break;
            }
            break;
        case 64:
            out.text = "Notification: " + m.Field(1) + " has arrived.";
            out.soundEvent = 5;
            break;
        case 65:
            out.text = "Notification: " + m.Field(1) + " has departed.";
            out.soundEvent = 12;
            break;
        case 77:
            out.text = m.Field(2);
            break;
        case 82:
            out.text = QuoteText(m.Field(4));
            break;
        case 83:
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
        case 31:
            return m.FieldInt(4) == 4 ? TextClass::Warning : TextClass::PersonalTell;
        case 26:
            return TextClass::Kibitz;
        case 32:
            switch (m.FieldInt(3)) {
                case 2:
                    return TextClass::SShout;
                case 3:
                    return TextClass::Announcement;
                default:
                    return TextClass::Shout;
            }
        case 28:
            if (m.FieldCount() > 5 && m.FieldInt(5) == 4) return TextClass::Warning;
            return TextClass::DefaultChannel;
        default:
            return TextClass::Nonresponse;
    }
}

int ColourChannelFor(const CServerMessage& m) {
    const bool channelLine = m.kind == CServerMessage::Datagram && m.number == 28;
    return channelLine && TextClassFor(m) == TextClass::DefaultChannel ? m.FieldInt(1) : -1;
}
