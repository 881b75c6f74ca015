// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QSize>
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "net/ServerMessageSink.h"

class CConsoleWnd;
class CKordane2Doc;
class CTextStyles;
class QMdiArea;
class QMdiSubWindow;

// An extra console of a connection: its own console window and console id,
// so that the replies to the commands typed in it, which come back tagged
// with that id, are shown here instead of in the main console. It also
// claims the server's chat that the user routed to it: the lines of the
// channels on its channel list, tells and quotes of the people on its people
// list, and the shouts its three routing flags ask for. A temporary console
// (Ctrl+Return, user buttons with "%newwindow", the person popup's chat)
// learns whom or which channel it is about from the replies to its own
// first commands. It is an extra sink of the connection's parser for as long
// as it lives; the connection owns its frame.
class CConsoleSubView : public QWidget, public IServerMessageSink {
    Q_OBJECT
  public:
    static constexpr const char* kTitle = "User Console";
    static constexpr QSize kDefaultSize{520, 300};
    static constexpr const char* kTemporaryTitle = "Temporary Console";
    static constexpr const char* kCommandHelper = "Command";

    // The routing flags, in the order they are saved in.
    enum RouteFlag { Shouts = 0, SShouts = 1, Announcements = 2 };
    using RoutingFlags = std::array<bool, 3>;

    // Only the first replies to a temporary console's commands teach it a
    // person or a channel.
    static constexpr int kLearningReplies = 4;

    CConsoleSubView(CKordane2Doc& doc, std::shared_ptr<const CTextStyles> styles, bool temporary,
                    QWidget* parent = nullptr);
    ~CConsoleSubView() override;

    // Opens a console in its own sub-window of `area`, attached to the
    // connection, and takes its console id.
    static CConsoleSubView* Open(CKordane2Doc& doc, QMdiArea* area,
                                 std::shared_ptr<const CTextStyles> styles, bool temporary);

    CKordane2Doc& Doc() const { return m_doc; }
    int ConsoleId() const { return m_consoleId; }
    bool Temporary() const { return m_temporary; }
    bool Tagging() const { return m_tagging; }
    void SetTagging(bool on) { m_tagging = on; }
    CConsoleWnd* Console() const { return m_console; }
    // The sub-window Open made, if any.
    QMdiSubWindow* Frame() const;

    // Sends a line ending in "\n" with this console's tag while tagging is on.
    void SendTagged(std::string_view line);

    // Offers a server message to the console: see the .cpp for the order.
    int Receive(std::unique_ptr<CServerMessage>& message) override;

    // Channels routed here, in the order added, each once.
    const std::vector<int>& Channels() const { return m_channels; }
    void AddChannel(int channel);
    void RemoveChannel(int channel);
    bool HasChannel(int channel) const;
    // "%d " for each channel.
    QString ChannelsText() const;
    // Replaces the list by the blank-separated numbers of `text`.
    void SetChannelsText(const QString& text);

    // People whose tells come here; names compare without regard to case.
    const std::vector<std::string>& People() const { return m_people; }
    void AddPerson(std::string_view name);
    void RemovePerson(std::string_view name);
    bool HasPerson(std::string_view name) const;

    bool Routes(RouteFlag flag) const { return m_routing[flag]; }
    const RoutingFlags& Routing() const { return m_routing; }
    void SetRouting(RouteFlag flag, bool on) { m_routing[flag] = on; }

    // The console's title; the frame shows it.
    const QString& Title() const { return m_title; }
    void SetTitle(const QString& title);
    void SetFrameTitle(const QString& text);

    // A tell of the user reached `name` from this console: chat with them.
    void ChatWithPerson(const QString& name);
    // A command of this console joined `channel`: chat in it.
    void ChatInChannel(const QString& channel);
    // The person popup's "&Chat": this console talks to `name` from now on.
    void StartChatWith(const QString& name);
    // Another console of the connection took over `sender`'s routing: its
    // shout classes and channels are no longer routed here.
    void YieldRoutingTo(const CConsoleSubView& sender);

  signals:
    // The frame is about to close; its layout is still what the user sees.
    void closing();
    // Ctrl+Return opened a temporary console for the command's reply.
    void consoleOpened(CConsoleSubView* console);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void SendEntry(int code);
    void Append(std::string_view text, uint32_t colourWord);
    // Shows a message in its display text and colour.
    void Show(const CServerMessage& message);
    int ReceiveReply(std::unique_ptr<CServerMessage>& message);
    void AddCommandHelper();

    CKordane2Doc& m_doc;
    std::shared_ptr<const CTextStyles> m_styles;
    CConsoleWnd* m_console = nullptr;
    int m_consoleId = 0;
    bool m_temporary = false;
    bool m_tagging = false;
    std::vector<int> m_channels;
    std::vector<std::string> m_people;
    RoutingFlags m_routing{};
    // Replies to this console's commands counted so far; -1 once learning
    // is over.
    int m_replyCount = 0;
    bool m_helpersInitialised = false;
    QString m_title;
};
