// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "lists/SeekGrid.h"
#include "net/ServerMessageSink.h"

class CKordane2Doc;
class QPainter;
class QPushButton;

// The seek graph of one connection: every open seek as a circle and every
// challenge to the user as a square, higher ratings near the top and faster
// time controls to the left. It is one of the parser's extra sinks and takes
// datagrams 50 and 51 (which it switches on while it exists) and looks at 29
// and 30, which go on to the main console's challenge popups. Hovering
// describes an offer on the status line at the bottom, a click takes it, a
// right click offers commands about the offerer. The records and their cells
// are a CSeekGrid; the frame, its place and its caption belong to the
// application's CSeekGraphs.
class CSeekView : public QWidget, public IServerMessageSink {
    Q_OBJECT
  public:
    static constexpr const char* kIneligibleGuest =
        "As a guest, you can not play rated games or games which specify a rating range.";
    static constexpr const char* kIneligible =
        "Grey dots represent challenges that you are not eligible to play, because your rating "
        "is not within the range specified by the seeker.";
    static constexpr const char* kWildWarning =
        "Warning: The game you have chosen will be WILD (a chess variant having different "
        "rules).  Hit cancel to abort this game-request.\n\nDo you want to see this warning in "
        "the future?";
    static constexpr const char* kFastWarning =
        "Warning: The game you have chosen will be FAST (less than 5 minutes per side).  Hit "
        "cancel to abort this game-request.\n\nDo you want to see this warning in the future?";
    static constexpr const char* kGone = "That seek is no longer available.\n";
    static constexpr const char* kKey =
        "Each circle represents an advertisement for a game,\nhigher-rated opponents near the "
        "top, faster time controls to the left.\nGreen : Normal\nBlue : Computer\nRed : Wild "
        "variant\nOrange : Loser's Chess\nPink : Crazyhouse\nGrey : ineligible\nSolid : "
        "rated\nHollow : unrated";
    static constexpr int kFastKey = 15;

    // The popup's items, in menu order.
    enum class MenuCommand {
        Play,
        Match,
        Unseek,
        Finger,
        Vars,
        Ping,
        Assess,
        Follow,
        History,
        Liblist,
        Stored,
        Key
    };
    enum class Answer { Yes, No, Cancel };

    // What the graph needs from the program around it. Empty members fall
    // back to: settings off (warnings on), message boxes, nothing opened.
    struct Hooks {
        std::function<bool()> useSfilter;
        std::function<bool()> seekWild;
        std::function<bool()> seekFast;
        // The user answered No to a warning: stop showing it.
        std::function<void()> stopWildWarning;
        std::function<void()> stopFastWarning;
        // A command line whose reply goes to a new temporary console.
        std::function<void(std::string_view)> sendInNewConsole;
        // A line for the connection's main console.
        std::function<void(std::string_view)> consoleText;
        // Message boxes; tests answer them without a dialog.
        std::function<void(const QString&)> exclaim;
        std::function<Answer(const QString&)> ask;
        std::function<void(const QString&)> inform;
    };

    explicit CSeekView(CKordane2Doc& doc, QWidget* parent = nullptr);
    ~CSeekView() override;

    CKordane2Doc& Doc() const { return m_doc; }
    Hooks& GetHooks() { return m_hooks; }
    const CSeekGrid& Grid() const { return m_grid; }

    // IServerMessageSink: takes 50 and 51; 29 and 30 go on.
    int Receive(std::unique_ptr<CServerMessage>& message) override;

    // "Matches Sought - <handle>" until the login is confirmed, then
    // "<handle> - Matches Sought".
    QString Caption() const;
    // The user's handle is known (update hint 1).
    void LoggedIn();
    // Ratings, the seek filter or the formula changed, or UseSfilter was
    // switched (update hint 2): every seek is judged again.
    void RecheckEligibility();

    // The cell under a point of the widget; false outside the grid.
    bool CellAt(QPoint point, int& column, int& row) const;
    QRect CellRect(int column, int row) const;
    QRect StatusRect() const { return m_statusRect; }
    // The left click on an offer, the popup's commands on the offer under
    // the last right click.
    void Click(int column, int row);
    void RunMenuCommand(MenuCommand command, bool newConsole);
    // The name and id the popup acts on.
    void SetMenuTarget(int column, int row);

  signals:
    void captionChanged(const QString& caption);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    bool Eligible(const SeekRecord& record) const;
    bool Guest() const;
    bool Flag(const std::function<bool()>& flag, bool fallback) const;
    void Send(std::string_view line, bool newConsole);
    Answer Ask(const QString& text);
    void ShowKey();
    void Layout();
    void PaintFrame(QPainter& painter);
    void PaintRecord(QPainter& painter, const SeekRecord& record);
    void PaintStatus(QPainter& painter);
    void SetHover(int column, int row);

    CKordane2Doc& m_doc;
    Hooks m_hooks;
    CSeekGrid m_grid;
    bool m_loggedIn = false;
    int m_hoverColumn = -1;
    int m_hoverRow = -1;
    int m_hoverId = CSeekGrid::kFree;
    std::string m_menuName;
    int m_menuId = CSeekGrid::kFree;
    // Geometry, set on every resize.
    int m_width = 0;
    int m_height = 0;
    int m_left = 0;
    int m_graphHeight = 0;
    int m_labelHeight = 0;
    int m_penWidth = 0;
    QRect m_statusRect;
    QFont m_statusFont;
    QFont m_labelFont;
    QPushButton* m_seekButton = nullptr;
    QPushButton* m_keyButton = nullptr;
};
