// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "lists/EventListView.h"

#include <QApplication>
#include <QHelpEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <algorithm>

#include "console/ConsoleSubView.h"
#include "console/ConsoleView.h"
#include "lists/EventCommand.h"
#include "lists/EventIcons.h"
#include "net/DatagramTable.h"
#include "net/qt/Kordane2Doc.h"

namespace {

constexpr int kTextFlags = Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop;
// The description sits a little below the row's top.
constexpr int kTextTop = 2;

int IconTop(int rowTop, int rowHeight) {
    return rowTop + rowHeight / 2 - 8;
}

std::string SetDatagramLine(int number, bool on) {
    return "Set-2 " + std::to_string(number) + (on ? " 1\n" : " 0\n");
}

}  // namespace

CEventListView::CEventListView(CKordane2Doc& doc, QWidget* parent)
    : QAbstractScrollArea(parent), m_doc(doc) {
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    viewport()->setMouseTracking(true);
    DefaultHooks();
    UpdateScrollRange();
}

CEventListView::~CEventListView() {
    Stop();
}

void CEventListView::Stop() {
    if (!m_started) return;
    m_started = false;
    // A connection that has gone needs no unsubscribing.
    if (m_doc.IsConnected()) {
        m_hooks.send(SetDatagramLine(DG_EVENT, false));
        m_hooks.send(SetDatagramLine(DG_EVENT_REMOVED, false));
    }
    m_doc.Parser().RemoveSink(this);
}

void CEventListView::DefaultHooks() {
    m_hooks.send = [this](std::string_view text) { m_doc.Parser().SendCommand(text); };
    m_hooks.openTemporaryConsole = [this]() -> CConsoleSubView* {
        CConsoleView* main = CConsoleView::Of(m_doc);
        CConsoleSubView* console = main ? main->OpenTemporaryConsole() : nullptr;
        if (console) console->SetTagging(!m_doc.Values().ownHandle.empty());
        return console;
    };
    m_hooks.openUrl = [this](const QString& url) {
        if (CConsoleView* main = CConsoleView::Of(m_doc)) main->Host().OpenUrl(url.toStdString());
    };
    m_hooks.ask = [this](const QString& question) {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Kordane 2"), question,
                        QMessageBox::Yes | QMessageBox::No, this);
        box.setTextFormat(Qt::PlainText);
        return box.exec() == QMessageBox::Yes;
    };
    m_hooks.refuse = [this](const QString& text) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Kordane 2"), text, QMessageBox::Ok,
                        this);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    };
}

void CEventListView::Start() {
    if (m_started) return;
    m_started = true;
    m_doc.Parser().AddSink(this);
    m_hooks.send(SetDatagramLine(DG_EVENT_REMOVED, true));
    m_hooks.send(SetDatagramLine(DG_EVENT, true));
}

void CEventListView::Restart() {
    if (!m_started) return;
    m_events.clear();
    m_totalHeight = 0;
    UpdateScrollRange();
    viewport()->update();
    m_hooks.send(SetDatagramLine(DG_EVENT_REMOVED, true));
    m_hooks.send(SetDatagramLine(DG_EVENT, true));
}

int CEventListView::Receive(std::unique_ptr<CServerMessage>& message) {
    if (message->kind != CServerMessage::Datagram) return 0;
    if (message->number == DG_EVENT) {
        Update(*message);
    } else if (message->number == DG_EVENT_REMOVED) {
        Remove(message->FieldInt(1));
    } else {
        return 0;
    }
    message.reset();
    return 1;
}

void CEventListView::Update(const CServerMessage& m) {
    const int id = m.FieldInt(1);
    auto it = std::lower_bound(m_events.begin(), m_events.end(), id,
                               [](const Event& e, int value) { return e.id < value; });
    if (it == m_events.end() || it->id != id) {
        it = m_events.insert(it, Event{});
        it->id = id;
    }
    it->flags = m.FieldInt(2);
    it->description = QString::fromStdString(m.Field(3));
    if (it->description.isEmpty()) it->description = QStringLiteral(" ");
    it->actions[Join] = QString::fromStdString(m.Field(4));
    it->actions[Watch] = QString::fromStdString(m.Field(5));
    it->actions[Information] = QString::fromStdString(m.Field(6));
    it->question = QString::fromStdString(m.Field(7));
    const int height = Measure(it->description);
    m_totalHeight += height - it->height;
    it->height = height;
    UpdateScrollRange();
    viewport()->update();
}

void CEventListView::Remove(int id) {
    auto it =
        std::find_if(m_events.begin(), m_events.end(), [id](const Event& e) { return e.id == id; });
    if (it == m_events.end()) return;
    m_totalHeight -= it->height;
    m_events.erase(it);
    UpdateScrollRange();
    viewport()->update();
}

int CEventListView::TextWidth() const {
    return std::max(kMinTextWidth, viewport()->width() - kTextLeft);
}

int CEventListView::Measure(const QString& description) const {
    const QRect bounds = viewport()->fontMetrics().boundingRect(QRect(0, 0, TextWidth(), 1 << 20),
                                                                kTextFlags, description);
    return bounds.height() + kRowPadding;
}

int CEventListView::RowTop(size_t index) const {
    int top = 0;
    for (size_t i = 0; i < index && i < m_events.size(); ++i) top += m_events[i].height;
    return top;
}

void CEventListView::UpdateScrollRange() {
    // Never less than the window plus one, so that the scroll bar always
    // shows and the text width does not jump as events come and go.
    const int page = viewport()->height();
    const int content = std::max(m_totalHeight, page + 1);
    verticalScrollBar()->setPageStep(page);
    verticalScrollBar()->setSingleStep(std::max(1, fontMetrics().height()));
    verticalScrollBar()->setRange(0, content - page);
}

void CEventListView::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    const int offset = verticalScrollBar()->value();
    const int width = TextWidth();
    const qreal ratio = viewport()->devicePixelRatioF();
    p.setPen(palette().color(QPalette::Text));
    int top = -offset;
    for (const Event& e : m_events) {
        if (top >= viewport()->height()) break;
        if (top + e.height > 0) {
            const int iconTop = IconTop(top, e.height);
            for (int a = Information; a <= Join; ++a) {
                if (e.actions[size_t(a)].isEmpty()) continue;
                p.drawPixmap(kIconLeft + a * kIconStep, iconTop,
                             CEventIcons::Get(static_cast<CEventIcons::Icon>(a), ratio));
            }
            p.drawText(QRect(kTextLeft, top + kTextTop, width, e.height), kTextFlags,
                       e.description);
        }
        top += e.height;
    }
}

void CEventListView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    m_totalHeight = 0;
    for (Event& e : m_events) {
        e.height = Measure(e.description);
        m_totalHeight += e.height;
    }
    UpdateScrollRange();
}

std::optional<CEventListView::Hit> CEventListView::HitTest(QPoint point) const {
    const int x = point.x();
    if (x < kIconLeft) return std::nullopt;
    const int column = (x - kIconLeft) / kIconStep;
    // The last pixel of each 20-pixel column lies between two icons.
    if (column > Join || (x - kIconLeft) % kIconStep == kIconSize + 1) return std::nullopt;
    const int y = point.y() + verticalScrollBar()->value();
    int top = 0;
    for (size_t row = 0; row < m_events.size(); ++row) {
        const int height = m_events[row].height;
        if (y >= top && y < top + height) {
            const int iconTop = IconTop(top, height);
            if (y < iconTop || y >= iconTop + kIconSize) return std::nullopt;
            return Hit{row, static_cast<Action>(column)};
        }
        top += height;
    }
    return std::nullopt;
}

void CEventListView::Activate(const Hit& hit, bool ctrl) {
    if (hit.row >= m_events.size()) return;
    // The dialogs below run an event loop in which the event may change or
    // go: everything needed is copied first.
    const Event e = m_events[hit.row];
    const QString action = e.actions[size_t(hit.action)];
    if (action.isEmpty()) return;
    if (hit.action == Join && !e.question.isEmpty() && !m_hooks.ask(e.question)) return;
    if (hit.action != Information && !(e.flags & GuestsWelcome) && m_doc.Params().guest) {
        m_hooks.refuse(QString::fromLatin1(kGuestRefusal));
        return;
    }
    const std::string text = action.toStdString();
    if (EventCommand::IsWebAddress(text)) {
        m_hooks.openUrl(action);
        return;
    }
    const std::string lines = EventCommand::Lines(text);
    static constexpr int kUntagged[] = {UntaggedInformation, UntaggedWatch, UntaggedJoin};
    if ((e.flags & kUntagged[hit.action]) || ctrl) {
        m_hooks.send(lines + "\n");
        return;
    }
    CConsoleSubView* console = m_hooks.openTemporaryConsole();
    if (!console) {
        m_hooks.send(lines + "\n");
        return;
    }
    m_hooks.send(EventCommand::Tagged(lines, console->ConsoleId()));
}

void CEventListView::closeEvent(QCloseEvent* event) {
    Stop();
    emit closing();
    QAbstractScrollArea::closeEvent(event);
}

void CEventListView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (const auto hit = HitTest(event->position().toPoint())) {
        Activate(*hit, event->modifiers() & Qt::ControlModifier);
    }
}

bool CEventListView::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QAbstractScrollArea::viewportEvent(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const auto hit = HitTest(help->pos());
    if (hit && !m_events[hit->row].actions[size_t(hit->action)].isEmpty()) {
        QToolTip::showText(help->globalPos(), QString::fromLatin1(kTips[size_t(hit->action)]),
                           viewport());
    } else {
        QToolTip::hideText();
        event->ignore();
    }
    return true;
}
