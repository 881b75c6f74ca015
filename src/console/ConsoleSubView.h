// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QWidget>
#include <cstdint>
#include <memory>
#include <string_view>

#include "net/ServerMessageSink.h"

class CConsoleWnd;
class CKordane2Doc;
class CTextStyles;
class QMdiArea;
class QMdiSubWindow;

// An extra console of a connection ("User Console"): its own console window
// and console id, so that the replies to the commands typed in it, which
// come back tagged with that id, are shown here instead of in the main
// console. A temporary console is opened by Ctrl+Return and by user buttons
// with "%newwindow". It is an extra sink of the connection's parser for as
// long as it lives; the connection owns its frame.
class CConsoleSubView : public QWidget, public IServerMessageSink {
    Q_OBJECT
  public:
    static constexpr const char* kTitle = "User Console";

    CConsoleSubView(CKordane2Doc& doc, std::shared_ptr<const CTextStyles> styles, bool temporary,
                    QWidget* parent = nullptr);
    ~CConsoleSubView() override;

    // Opens a console in its own sub-window of `area`, attached to the
    // connection, and takes its console id.
    static CConsoleSubView* Open(CKordane2Doc& doc, QMdiArea* area,
                                 std::shared_ptr<const CTextStyles> styles, bool temporary);

    int ConsoleId() const { return m_consoleId; }
    bool Temporary() const { return m_temporary; }
    bool Tagging() const { return m_tagging; }
    void SetTagging(bool on) { m_tagging = on; }
    CConsoleWnd* Console() const { return m_console; }
    // The sub-window Open made, if any.
    QMdiSubWindow* Frame() const;

    // Sends a line ending in "\n" with this console's tag while tagging is on.
    void SendTagged(std::string_view line);

    // Takes level-1 replies that carry this console's id.
    int Receive(std::unique_ptr<CServerMessage>& message) override;

  private:
    void SendEntry(int code);
    void Append(std::string_view text, uint32_t colourWord);

    CKordane2Doc& m_doc;
    std::shared_ptr<const CTextStyles> m_styles;
    CConsoleWnd* m_console = nullptr;
    int m_consoleId = 0;
    bool m_temporary = false;
    bool m_tagging = false;
};
