// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "console/ConsoleSubView.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QVBoxLayout>
#include <algorithm>

#include "console/ChatText.h"
#include "console/CommandEdit.h"
#include "console/ConsoleActions.h"
#include "console/ConsoleFont.h"
#include "console/ConsoleWnd.h"
#include "net/CommandTag.h"
#include "net/DatagramTable.h"
#include "net/MessageText.h"
#include "net/TextStyles.h"
#include "net/qt/Kordane2Doc.h"

namespace {

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

// Shout types by the flag that routes them.
constexpr int kShoutType = 0;
constexpr int kArrowShoutType = 1;
constexpr int kSShoutType = 2;
constexpr int kAnnouncementType = 3;

QString ChattingWith(const QString& name) {
    return QStringLiteral("Chatting with ") + name + QStringLiteral(" [Temporary Console]");
}

QString ChattingIn(const QString& channel) {
    return QStringLiteral("Chatting in channel ") + channel +
           QStringLiteral(" [Temporary Console]");
}

}  // namespace

CConsoleSubView::CConsoleSubView(CKordane2Doc& doc, std::shared_ptr<const CTextStyles> styles,
                                 bool temporary, QWidget* parent)
    : QWidget(parent),
      m_doc(doc),
      m_styles(std::move(styles)),
      m_consoleId(doc.TakeConsoleId()),
      m_temporary(temporary),
      m_title(QString::fromLatin1(temporary ? kTemporaryTitle : kTitle)) {
    m_console = new CConsoleWnd(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_console);
    setFocusProxy(m_console);
    m_console->ApplyBackground(m_styles->Colour(TextClass::Background));
    m_console->SetConsoleFont(ConsoleFont::For(*m_styles));
    connect(m_console, &CConsoleWnd::enterPressed, this, &CConsoleSubView::SendEntry);
    CConsoleActions::Connect(*m_console, m_doc,
                             [this](std::string_view line) { SendTagged(line); });
    // Commands sent before the next log-in go out untagged.
    connect(&m_doc, &CKordane2Doc::connectionClosed, this, [this] { m_tagging = false; });
    m_doc.Parser().AddSink(this);
}

CConsoleSubView::~CConsoleSubView() {
    m_doc.Parser().RemoveSink(this);
}

CConsoleSubView* CConsoleSubView::Open(CKordane2Doc& doc, QMdiArea* area,
                                       std::shared_ptr<const CTextStyles> styles, bool temporary) {
    auto* view = new CConsoleSubView(doc, std::move(styles), temporary);
    auto* frame = new QMdiSubWindow;
    frame->setWidget(view);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->setWindowTitle(view->Title());
    // A console without a remembered place would open as a bare title bar;
    // its slot's stored placement, when there is one, replaces this size.
    frame->resize(kDefaultSize);
    if (area) area->addSubWindow(frame);
    doc.AttachWindow(frame);
    frame->show();
    view->setFocus();
    return view;
}

QMdiSubWindow* CConsoleSubView::Frame() const {
    return qobject_cast<QMdiSubWindow*>(parentWidget());
}

void CConsoleSubView::SendTagged(std::string_view line) {
    m_doc.Parser().SendCommand(TaggedCommand(line, m_consoleId, m_tagging));
}

// The first rule that matches decides; rules 1 to 3 claim the chat routed
// here, whoever asked for it; rule 4 lets go of replies to other consoles;
// rule 5 takes the replies to this console's own commands.
int CConsoleSubView::Receive(std::unique_ptr<CServerMessage>& message) {
    const CServerMessage& m = *message;
    if (m.kind == CServerMessage::Datagram) {
        switch (m.number) {
            case DG_CHANNEL_TEXT:
            case DG_CHANNEL_QUOTE:
                if (!HasChannel(m.FieldInt(1))) break;
                Show(m);
                message.reset();
                return 1;
            case DG_TELL_TEXT:
            case DG_PERSONAL_QUOTE:
                if (!HasPerson(m.Field(1))) break;
                Show(m);
                if (m.number == DG_TELL_TEXT) {
                    m_doc.PlaySound(m.FieldInt(4) == kAlertType ? SoundEvent::Alert
                                                                : SoundEvent::PersonalTell);
                    // F9 and "%teller" answer whoever told last, wherever
                    // the tell was shown.
                    m_doc.Values().lastTeller = m.Field(1);
                }
                message.reset();
                return 1;
            case DG_SHOUT_TEXT: {
                const int type = m.FieldInt(3);
                const bool wanted = (type == kShoutType || type == kArrowShoutType)
                                        ? m_routing[Shouts]
                                    : type == kSShoutType       ? m_routing[SShouts]
                                    : type == kAnnouncementType ? m_routing[Announcements]
                                                                : true;
                if (!wanted) return 0;
                Show(m);
                message.reset();
                return 1;
            }
            default:
                break;
        }
    }
    if (m.tag != m_consoleId) {
        // The user has just told this person from another console: their
        // answers belong there now.
        if (m.kind == CServerMessage::Datagram && m.number == DG_TELL_ECHO)
            RemovePerson(m.Field(1));
        return 0;
    }
    return ReceiveReply(message);
}

int CConsoleSubView::ReceiveReply(std::unique_ptr<CServerMessage>& message) {
    const CServerMessage& m = *message;
    if (m_temporary && m_replyCount != -1) {
        m_replyCount = m_replyCount < kLearningReplies ? m_replyCount + 1 : -1;
    }
    if (m.kind == CServerMessage::Datagram) {
        if (m.number == DG_TELL_ECHO) {
            AddPerson(m.Field(1));
            if (m_replyCount > 0) ChatWithPerson(QString::fromStdString(m.Field(1)));
            message.reset();
            return 1;
        }
        if (m.number == DG_CHANNEL_TEXT && m.header == "*" && m_replyCount > 0) {
            AddChannel(m.FieldInt(1));
            Show(m);
            ChatInChannel(QString::fromStdString(m.Field(1)));
            message.reset();
            return 1;
        }
        return 0;
    }
    if (m.kind != CServerMessage::Text && m.kind != CServerMessage::Level1) return 0;
    Show(m);
    message.reset();
    return 1;
}

void CConsoleSubView::Show(const CServerMessage& message) {
    const MessageText text = FormatMessageText(message);
    if (!text.text.empty()) Append(text.text, m_styles->ColourFor(text));
    if (text.sound) m_doc.PlaySound(*text.sound);
}

void CConsoleSubView::Append(std::string_view text, uint32_t colourWord) {
    m_console->AppendStyled(CConsoleWnd::FromServerBytes(text), colourWord);
}

void CConsoleSubView::SendEntry(int code) {
    const std::string command = m_console->TakeCommand().toStdString();
    Append(command + "\n", m_styles->ColourFor(nullptr));
    m_console->ClearEntry();
    if (code != CCommandEdit::kCtrlReturn) {
        SendTagged(command + "\n");
        return;
    }
    // As in the main console: the reply goes to a console of its own.
    QMdiSubWindow* frame = Frame();
    CConsoleSubView* console = Open(m_doc, frame ? frame->mdiArea() : nullptr, m_styles, true);
    console->SetTagging(m_tagging);
    emit consoleOpened(console);
    console->SendTagged(command + "\n");
}

void CConsoleSubView::AddChannel(int channel) {
    if (!HasChannel(channel)) m_channels.push_back(channel);
}

void CConsoleSubView::RemoveChannel(int channel) {
    std::erase(m_channels, channel);
}

bool CConsoleSubView::HasChannel(int channel) const {
    return std::find(m_channels.begin(), m_channels.end(), channel) != m_channels.end();
}

QString CConsoleSubView::ChannelsText() const {
    return QString::fromStdString(ChatText::FormatChannelList(m_channels));
}

void CConsoleSubView::SetChannelsText(const QString& text) {
    m_channels.clear();
    for (int channel : ChatText::ParseChannelList(text.toStdString())) AddChannel(channel);
}

void CConsoleSubView::AddPerson(std::string_view name) {
    if (!HasPerson(name)) m_people.emplace_back(name);
}

void CConsoleSubView::RemovePerson(std::string_view name) {
    const auto it = std::find_if(m_people.begin(), m_people.end(),
                                 [name](const std::string& p) { return SameName(p, name); });
    if (it != m_people.end()) m_people.erase(it);
}

bool CConsoleSubView::HasPerson(std::string_view name) const {
    return std::any_of(m_people.begin(), m_people.end(),
                       [name](const std::string& p) { return SameName(p, name); });
}

void CConsoleSubView::SetTitle(const QString& title) {
    m_title = title;
    SetFrameTitle(title);
}

void CConsoleSubView::SetFrameTitle(const QString& text) {
    if (QMdiSubWindow* frame = Frame()) frame->setWindowTitle(text);
}

void CConsoleSubView::AddCommandHelper() {
    if (m_helpersInitialised) return;
    m_console->AddHelper(QString::fromLatin1(kCommandHelper), QString());
    m_helpersInitialised = true;
}

void CConsoleSubView::ChatWithPerson(const QString& name) {
    const QString helper = QStringLiteral("Xtell ") + name;
    m_console->AddHelper(helper, helper + QLatin1Char('!'));
    AddCommandHelper();
    SetTitle(ChattingWith(name));
}

void CConsoleSubView::ChatInChannel(const QString& channel) {
    const QString helper = QStringLiteral("Xtell ") + channel;
    m_console->AddHelper(helper, helper);
    AddCommandHelper();
    SetTitle(ChattingIn(channel));
}

void CConsoleSubView::StartChatWith(const QString& name) {
    const QString helper = QStringLiteral("Xtell ") + name;
    m_console->AddHelper(helper, helper + QLatin1Char('!'));
    AddPerson(name.toStdString());
    SetTitle(ChattingWith(name));
}

void CConsoleSubView::YieldRoutingTo(const CConsoleSubView& sender) {
    if (&sender == this) return;
    for (size_t i = 0; i < m_routing.size(); ++i) {
        if (sender.m_routing[i]) m_routing[i] = false;
    }
    for (int channel : sender.m_channels) RemoveChannel(channel);
}

void CConsoleSubView::closeEvent(QCloseEvent* event) {
    // The channels a temporary console joined were joined for it alone.
    if (m_temporary && m_doc.IsConnected()) {
        for (int channel : m_channels) {
            m_doc.Parser().SendCommand("Minus channel " + std::to_string(channel) + "\n");
        }
    }
    emit closing();
    QWidget::closeEvent(event);
}
