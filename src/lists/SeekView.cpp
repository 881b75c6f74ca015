// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "lists/SeekView.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <algorithm>

#include "lists/SeekFilter.h"
#include "net/DatagramTable.h"
#include "net/ServerMessage.h"
#include "net/qt/Kordane2Doc.h"

namespace {

const QColor kGrey(192, 192, 192);
const QColor kGreen(0, 128, 0);
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kOrange(255, 128, 0);
const QColor kPink(255, 0, 192);

// Loser's chess and its cousin; crazyhouse and bughouse.
constexpr int kLosersWilds[] = {17, 26};
constexpr int kDropWilds[] = {23, 24};
// The rating labels sit at the tops of these rows.
constexpr struct {
    const char* text;
    int row;
} kRatingLabels[] = {{"2000", 8}, {"1500", 17}, {"1000", 23}};
// Bullet | blitz | standard.
constexpr int kDottedColumns[] = {7, 34};
constexpr int kButtonsMinWidth = 101;
constexpr int kButtonsMinHeight = 51;

QColor VariantColour(int wild) {
    if (wild == 0) return kGreen;
    if (std::ranges::find(kLosersWilds, wild) != std::end(kLosersWilds)) return kOrange;
    if (std::ranges::find(kDropWilds, wild) != std::end(kDropWilds)) return kPink;
    return kRed;
}

QString FromServer(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

CSeekView::CSeekView(CKordane2Doc& doc, QWidget* parent) : QWidget(parent), m_doc(doc) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_seekButton = new QPushButton(QStringLiteral("seek"), this);
    connect(m_seekButton, &QPushButton::clicked, this, [this] { m_doc.RequestSeek(); });
    m_keyButton = new QPushButton(QStringLiteral("?"), this);
    connect(m_keyButton, &QPushButton::clicked, this, &CSeekView::ShowKey);
    m_seekButton->hide();
    m_keyButton->hide();
    m_grid.SetCellChanged([this](int column, int row) {
        update(CellRect(column, row));
        if (column == m_hoverColumn && row == m_hoverRow) {
            m_hoverId = m_grid.IdAt(column, row);
            update(m_statusRect);
        }
    });
    m_doc.Parser().AddSink(this);
    // The server answers datagram 50's switch with every open seek.
    m_doc.Parser().SetDatagram(DG_SEEK_REMOVED, true);
    m_doc.Parser().SetDatagram(DG_SEEK, true);
}

CSeekView::~CSeekView() {
    m_doc.Parser().SetDatagram(DG_SEEK, false);
    m_doc.Parser().SetDatagram(DG_SEEK_REMOVED, false);
    m_doc.Parser().RemoveSink(this);
}

int CSeekView::Receive(std::unique_ptr<CServerMessage>& message) {
    const CServerMessage& m = *message;
    if (m.kind != CServerMessage::Datagram) return 0;
    const std::vector<std::string>& categories = m_doc.Values().categoryNames;
    switch (m.number) {
        case DG_SEEK: {
            SeekRecord record = SeekRecord::FromSeek(m, categories);
            // Negative ids are the graph's own (free cells, challenges); a
            // seek claiming one would be confused with them.
            if (record.id < 0) return 1;
            record.eligible = Eligible(record);
            m_grid.Add(std::move(record));
            return 1;
        }
        case DG_SEEK_REMOVED:
            if (m.FieldInt(1) >= 0) m_grid.RemoveId(m.FieldInt(1));
            return 1;
        case DG_CHALLENGE:
            if (m.Field(1) != m_doc.Values().ownHandle) {
                m_grid.Add(SeekRecord::FromChallenge(m, m_grid.NewChallengeId(), categories));
            }
            return 0;
        case DG_CHALLENGE_REMOVED:
            m_grid.RemoveChallenge(m.Field(1));
            return 0;
        default:
            return 0;
    }
}

QString CSeekView::Caption() const {
    const QString handle = FromServer(m_doc.Values().ownHandle);
    return m_loggedIn ? handle + QStringLiteral(" - Matches Sought")
                      : QStringLiteral("Matches Sought - ") + handle;
}

void CSeekView::LoggedIn() {
    m_loggedIn = true;
    emit captionChanged(Caption());
}

bool CSeekView::Guest() const {
    return m_doc.Params().guest || m_doc.Values().reg == 0;
}

bool CSeekView::Flag(const std::function<bool()>& flag, bool fallback) const {
    return flag ? flag() : fallback;
}

bool CSeekView::Eligible(const SeekRecord& record) const {
    if (record.IsChallenge()) return true;
    const CSeekFilter filter(
        CSeekFilter::TextFor(Flag(m_hooks.useSfilter, false), Guest(), m_doc.Values().sfilter));
    return filter.Eligible(record, m_doc.Values().ratings);
}

void CSeekView::RecheckEligibility() {
    const CSeekFilter filter(
        CSeekFilter::TextFor(Flag(m_hooks.useSfilter, false), Guest(), m_doc.Values().sfilter));
    const std::vector<int>& ratings = m_doc.Values().ratings;
    if (m_grid.RecheckEligibility(
            [&](const SeekRecord& record) { return filter.Eligible(record, ratings); })) {
        update();
    }
}

void CSeekView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Layout();
}

void CSeekView::Layout() {
    m_width = width();
    m_height = height();
    const int status = std::min(m_width / 24, m_height / 13);
    m_statusRect = QRect(0, m_height - status, m_width, status);
    m_left = m_width / 16;
    const int bottom = m_height / 40;
    m_graphHeight = m_height - status - bottom;
    m_labelHeight = status * 4 / 5;
    m_penWidth = std::min(m_width / 200, (m_height - status) / 120);
    m_statusFont = QFont(QStringLiteral("Arial"));
    m_statusFont.setPixelSize(std::max(1, status));
    m_labelFont = QFont(QStringLiteral("Arial"));
    m_labelFont.setPixelSize(std::max(1, m_labelHeight));
    m_labelFont.setWeight(QFont::Normal);
    m_labelFont.setStyleHint(QFont::SansSerif);
    const bool buttons = m_width >= kButtonsMinWidth && m_height >= kButtonsMinHeight;
    m_seekButton->setGeometry(m_width - 40, 1, 39, 19);
    m_keyButton->setGeometry(m_width - 15, 22, 14, 18);
    m_seekButton->setVisible(buttons);
    m_keyButton->setVisible(buttons);
}

QRect CSeekView::CellRect(int column, int row) const {
    const int x = m_left + (m_width - m_left) * column / CSeekGrid::kColumns;
    const int y = m_graphHeight * row / CSeekGrid::kRows;
    return QRect(x, y, m_width / CSeekGrid::kColumns, m_height / CSeekGrid::kRows);
}

bool CSeekView::CellAt(QPoint point, int& column, int& row) const {
    if (m_width <= m_left || m_graphHeight <= 0 || point.x() < m_left || point.y() < 0) {
        return false;
    }
    column = (point.x() - m_left) * CSeekGrid::kColumns / (m_width - m_left);
    row = point.y() * CSeekGrid::kRows / m_graphHeight;
    return column < CSeekGrid::kColumns && row < CSeekGrid::kRows;
}

void CSeekView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect dirty = event->rect();
    painter.fillRect(dirty, Qt::white);
    PaintFrame(painter);
    for (const SeekRecord& record : m_grid.Records()) {
        if (record.placed && dirty.intersects(CellRect(record.column, record.row))) {
            PaintRecord(painter, record);
        }
    }
    if (dirty.intersects(m_statusRect)) PaintStatus(painter);
}

void CSeekView::PaintFrame(QPainter& painter) {
    painter.setFont(m_labelFont);
    painter.setPen(Qt::black);
    constexpr int kFlags = Qt::TextSingleLine | Qt::AlignTop | Qt::TextDontClip;
    painter.drawText(QRect(1, 0, m_width / 4 - 1, m_labelHeight), kFlags | Qt::AlignLeft,
                     QStringLiteral("rating"));
    painter.drawText(QRect(m_width / 4, m_graphHeight, m_width - 1 - m_width / 4, m_labelHeight),
                     kFlags | Qt::AlignRight, QStringLiteral("time"));
    for (const auto& label : kRatingLabels) {
        painter.drawText(
            QRect(0, m_graphHeight * label.row / CSeekGrid::kRows, m_left, m_labelHeight),
            kFlags | Qt::AlignLeft, QString::fromLatin1(label.text));
    }

    const int arrow = std::min(m_left, m_height / 40) / 2;
    const QPoint origin(m_left, m_graphHeight);
    const QPoint top(m_left, m_labelHeight);
    const QPoint right(m_width - 1, m_graphHeight);
    painter.drawLine(origin, top);
    painter.drawLine(top, top + QPoint(-arrow / 2, arrow));
    painter.drawLine(top, top + QPoint(arrow / 2, arrow));
    painter.drawLine(origin, right);
    painter.drawLine(right, right + QPoint(-arrow, -arrow / 2));
    painter.drawLine(right, right + QPoint(-arrow, arrow / 2));

    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    const int bottom = CellRect(0, CSeekGrid::kRows - 1).bottom() + 1;
    for (int column : kDottedColumns) {
        const int x = CellRect(column, 0).left();
        painter.drawLine(x, 0, x, bottom);
    }
}

void CSeekView::PaintRecord(QPainter& painter, const SeekRecord& record) {
    QColor colour = VariantColour(record.wild);
    QColor second = colour;
    if (record.computer) colour = kBlue;
    if (!record.eligible) colour = second = kGrey;
    const QRect cell = CellRect(record.column, record.row);
    // The pen lies inside the cell, as the dots of neighbouring cells would
    // otherwise overlap.
    const qreal half = m_penWidth / 2.0;
    const QRectF inside = QRectF(cell).adjusted(half, half, -half, -half);
    const auto penOf = [this](const QColor& c) { return QPen(c, m_penWidth); };
    const auto brushOf = [&record](const QColor& c) {
        return record.rated ? QBrush(c) : QBrush(Qt::white);
    };
    if (record.computer && record.wild != 0 && record.eligible && cell.width() >= 3) {
        constexpr int kQuarter = 90 * 16;
        constexpr int kHalf = 180 * 16;
        if (record.rated) {
            painter.setPen(penOf(colour));
            painter.setBrush(brushOf(colour));
            painter.drawPie(inside, kQuarter, kHalf);
            painter.setPen(penOf(second));
            painter.setBrush(brushOf(second));
            painter.drawPie(inside, -kQuarter, kHalf);
        } else {
            painter.setPen(penOf(colour));
            painter.drawArc(inside, kQuarter, kHalf);
            painter.setPen(penOf(second));
            painter.drawArc(inside, -kQuarter, kHalf);
        }
        return;
    }
    // The ring and its inside as two fills: stroking a wide pen around
    // hundreds of ellipses costs several times as much and looks the same.
    const QRectF outer(cell);
    const qreal ring = std::max(1, m_penWidth);
    const QRectF hole = QRectF(cell).adjusted(ring, ring, -ring, -ring);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    if (record.IsChallenge()) {
        painter.drawRect(outer);
        if (!record.rated) painter.fillRect(hole, Qt::white);
    } else {
        painter.drawEllipse(outer);
        if (!record.rated) {
            painter.setBrush(Qt::white);
            painter.drawEllipse(hole);
        }
    }
}

void CSeekView::PaintStatus(QPainter& painter) {
    const SeekRecord* record = m_grid.Find(m_hoverId);
    if (record == nullptr) return;
    painter.setFont(m_statusFont);
    painter.setPen(Qt::black);
    painter.drawText(m_statusRect, Qt::TextSingleLine | Qt::AlignVCenter | Qt::AlignLeft,
                     FromServer(record->Description()));
}

void CSeekView::SetHover(int column, int row) {
    // The cell is kept even when nothing is in it, so that an offer landing
    // under the pointer is described at once.
    m_hoverColumn = column;
    m_hoverRow = row;
    const int id = m_grid.IdAt(column, row);
    if (id == m_hoverId) return;
    m_hoverId = id;
    update(m_statusRect);
}

void CSeekView::mouseMoveEvent(QMouseEvent* event) {
    int column = -1;
    int row = -1;
    if (!CellAt(event->position().toPoint(), column, row)) column = row = -1;
    SetHover(column, row);
}

void CSeekView::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    SetHover(-1, -1);
}

void CSeekView::mouseReleaseEvent(QMouseEvent* event) {
    int column = 0;
    int row = 0;
    if (event->button() != Qt::LeftButton || !CellAt(event->position().toPoint(), column, row)) {
        return;
    }
    Click(column, row);
}

void CSeekView::Click(int column, int row) {
    const SeekRecord* record = m_grid.Find(m_grid.IdAt(column, row));
    if (record == nullptr) return;
    if (!Flag(m_hooks.useSfilter, false) && !record->eligible) {
        const QString text = QString::fromLatin1(Guest() ? kIneligibleGuest : kIneligible);
        if (m_hooks.exclaim) {
            m_hooks.exclaim(text);
        } else {
            QMessageBox box(QMessageBox::Warning, QGuiApplication::applicationDisplayName(), text,
                            QMessageBox::Ok, this);
            box.setTextFormat(Qt::PlainText);
            box.exec();
        }
        return;
    }
    // The boxes below run their own event loops: the record may go meanwhile,
    // so what is needed afterwards is copied now.
    const int id = record->id;
    const bool challenge = record->IsChallenge();
    const std::string name = record->name;
    const bool wild = record->wild != 0;
    const bool fast = record->TimeKey() <= kFastKey;
    if (wild && Flag(m_hooks.seekWild, true)) {
        const Answer answer = Ask(QString::fromLatin1(kWildWarning));
        if (answer == Answer::Cancel) return;
        if (answer == Answer::No && m_hooks.stopWildWarning) m_hooks.stopWildWarning();
    }
    if (fast && Flag(m_hooks.seekFast, true)) {
        const Answer answer = Ask(QString::fromLatin1(kFastWarning));
        if (answer == Answer::Cancel) return;
        if (answer == Answer::No && m_hooks.stopFastWarning) m_hooks.stopFastWarning();
    }
    if (!challenge) {
        Send("Play " + std::to_string(id) + "\n", false);
    } else if (m_grid.Find(id) != nullptr) {
        Send("Accept " + name + "\n", false);
    } else {
        Send("Accept\n", false);
    }
}

CSeekView::Answer CSeekView::Ask(const QString& text) {
    if (m_hooks.ask) return m_hooks.ask(text);
    QMessageBox box(QMessageBox::Warning, QGuiApplication::applicationDisplayName(), text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
    box.setTextFormat(Qt::PlainText);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            return Answer::Cancel;
    }
}

void CSeekView::ShowKey() {
    const QString text = QString::fromLatin1(kKey);
    if (m_hooks.inform) {
        m_hooks.inform(text);
        return;
    }
    QMessageBox box(QMessageBox::Information, QGuiApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void CSeekView::Send(std::string_view line, bool newConsole) {
    // Names come from the server; one with a line break in it would end the
    // command early and send the rest as a command of its own.
    const std::string_view body = line.substr(0, line.size() - 1);
    if (body.find_first_of("\r\n") != std::string_view::npos) return;
    if (newConsole && m_hooks.sendInNewConsole) {
        m_hooks.sendInNewConsole(line);
        return;
    }
    m_doc.Parser().SendCommand(line);
}

void CSeekView::SetMenuTarget(int column, int row) {
    const SeekRecord* record = m_grid.Find(m_grid.IdAt(column, row));
    m_menuId = record != nullptr ? record->id : CSeekGrid::kFree;
    m_menuName = record != nullptr ? record->name : std::string();
}

void CSeekView::contextMenuEvent(QContextMenuEvent* event) {
    int column = 0;
    int row = 0;
    if (!CellAt(event->pos(), column, row) || m_grid.IdAt(column, row) == CSeekGrid::kFree) {
        return;
    }
    SetMenuTarget(column, row);
    const SeekRecord* record = m_grid.Find(m_menuId);
    const bool ownSeek =
        record != nullptr && !record->IsChallenge() && m_menuName == m_doc.Values().ownHandle;

    static constexpr const char* kItems[] = {"Play",    "Match...", "Unseek", "Finger",
                                             "Vars",    "Ping",     "Assess", "Follow",
                                             "History", "Liblist",  "Stored", "Key"};
    QMenu menu(this);
    for (size_t i = 0; i < std::size(kItems); ++i) {
        QAction* action = menu.addAction(QString::fromLatin1(kItems[i]));
        action->setData(static_cast<int>(i));
    }
    const QList<QAction*> actions = menu.actions();
    QAction* play = actions[static_cast<int>(MenuCommand::Play)];
    menu.setDefaultAction(play);
    QFont bold = play->font();
    bold.setBold(true);
    play->setFont(bold);
    actions[static_cast<int>(MenuCommand::Unseek)]->setEnabled(ownSeek);
    QAction* chosen = menu.exec(event->globalPos());
    if (chosen == nullptr) return;
    const bool ctrl = QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier);
    RunMenuCommand(static_cast<MenuCommand>(chosen->data().toInt()), ctrl);
}

void CSeekView::RunMenuCommand(MenuCommand command, bool newConsole) {
    static constexpr const char* kPersonFormats[] = {"Finger ", "Vars ",    "Ping ",    "Assess ",
                                                     "Follow ", "History ", "Liblist ", "Stored "};
    switch (command) {
        case MenuCommand::Play: {
            if (m_menuId < -1) {
                Send("Accept " + m_menuName + "\n", newConsole);
                return;
            }
            const SeekRecord* seek = m_grid.Find(m_menuId);
            if (seek != nullptr && seek->name == m_menuName) {
                Send("Play " + std::to_string(m_menuId) + "\n", newConsole);
            } else if (m_hooks.consoleText) {
                m_hooks.consoleText(kGone);
            }
            return;
        }
        case MenuCommand::Match:
            if (!m_menuName.empty()) m_doc.RequestMatch(m_menuName);
            return;
        case MenuCommand::Unseek:
            // Unseek answers in the main console, Ctrl or not.
            if (m_menuId >= 0) Send("Unseek " + std::to_string(m_menuId) + "\n", false);
            return;
        case MenuCommand::Key:
            ShowKey();
            return;
        default: {
            const auto index =
                static_cast<size_t>(command) - static_cast<size_t>(MenuCommand::Finger);
            if (index < std::size(kPersonFormats) && !m_menuName.empty()) {
                Send(kPersonFormats[index] + m_menuName + "\n", newConsole);
            }
            return;
        }
    }
}
