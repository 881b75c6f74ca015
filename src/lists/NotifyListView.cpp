// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "lists/NotifyListView.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QStyle>
#include <QTreeView>
#include <algorithm>

#include "console/ConsoleView.h"
#include "console/PersonCommand.h"
#include "console/PersonMenu.h"
#include "net/DatagramTable.h"
#include "net/qt/Kordane2Doc.h"

namespace {

std::string SetDatagramLine(int number, bool on) {
    return "Set-2 " + std::to_string(number) + (on ? " 1\n" : " 0\n");
}

}  // namespace

CNotifyListView::CNotifyListView(CKordane2Doc& doc, QWidget* parent)
    : CGenericListView(&doc, parent), m_doc(doc) {
    m_send = [this](std::string_view text) { m_doc.Parser().SendCommand(text); };
    AddColumn(QString::fromLatin1(kHeading), 0, 75);
    setWindowTitle(QString::fromLatin1(kTitle));
}

CNotifyListView::~CNotifyListView() {
    Stop();
}

void CNotifyListView::Stop() {
    if (!m_started) return;
    m_started = false;
    // A connection that has gone needs no unsubscribing.
    if (m_doc.IsConnected()) m_send(SetDatagramLine(DG_NOTIFY_FLAG, false));
    DeleteAllRows();
    m_doc.Parser().RemoveSink(this);
}

void CNotifyListView::Start() {
    if (m_started) return;
    m_started = true;
    m_doc.Parser().AddSink(this);
    m_send(SetDatagramLine(DG_NOTIFY_DEPARTED, true));
    m_send(SetDatagramLine(DG_NOTIFY_FLAG, true));
    Reload();
}

void CNotifyListView::Restart() {
    if (!m_started) return;
    m_state = LoadState::Idle;
    m_send(SetDatagramLine(DG_NOTIFY_DEPARTED, true));
    m_send(SetDatagramLine(DG_NOTIFY_FLAG, true));
    Reload();
}

void CNotifyListView::Reload() {
    if (m_state == LoadState::AwaitingFirstMarker) return;
    m_state = LoadState::AwaitingFirstMarker;
    m_send("multi Set-2 " + std::to_string(DG_NOTIFY_STAGE) + " 1; Set-2 " +
           std::to_string(DG_NOTIFY_ARRIVED) + " 1; Set-2 " + std::to_string(DG_NOTIFY_STAGE) +
           " 1\n");
}

int CNotifyListView::Receive(std::unique_ptr<CServerMessage>& message) {
    if (message->kind != CServerMessage::Datagram) return 0;
    const bool live = m_state == LoadState::Live;
    switch (message->number) {
        case DG_NOTIFY_STAGE:
            if (m_state == LoadState::AwaitingFirstMarker) {
                m_state = LoadState::Loading;
                DeleteAllRows();
            } else if (m_state == LoadState::Loading) {
                m_state = LoadState::Live;
            }
            break;
        case DG_NOTIFY_ARRIVED:
            AddName(QString::fromStdString(message->Field(1)));
            // Live, the main console shows and sounds the arrival.
            if (live) return 0;
            break;
        case DG_NOTIFY_DEPARTED:
            RemoveRowByKey(QString::fromStdString(message->Field(1)));
            if (live) return 0;
            break;
        case DG_NOTIFY_FLAG:
            // The list just changed while its names are being asked for: the
            // coming answer already has it.
            if (message->FieldInt(2) != 0 && m_state == LoadState::AwaitingFirstMarker) break;
            Reload();
            break;
        default:
            return 0;
    }
    message.reset();
    return 1;
}

void CNotifyListView::AddName(const QString& name) {
    // A name is on the list once, however often the server says it arrived.
    if (Model().FindKey(name) >= 0) return;
    AddRow(name, nullptr);
    SortRows([this](int a, int b) {
        return QString::compare(CellText(a, 0), CellText(b, 0), Qt::CaseInsensitive) < 0;
    });
}

bool CNotifyListView::BuildPopupMenu(QMenu& menu) {
    CPersonMenu::Fill(menu);
    return true;
}

int CNotifyListView::DefaultCommand() const {
    return kPersonFinger;
}

void CNotifyListView::RunCommand(int id) {
    const int row = SelectedRow();
    if (row < 0) return;
    const QString name = CellText(row, 0);
    CPersonMenu::Targets targets;
    targets.send = m_send;
    targets.openTemporaryConsole = [this]() -> CConsoleSubView* {
        CConsoleView* main = CConsoleView::Of(m_doc);
        return main ? main->OpenTemporaryConsole() : nullptr;
    };
    targets.copy = [name] { QGuiApplication::clipboard()->setText(name); };
    targets.match = [this](const QString& person) { m_doc.RequestMatch(person.toStdString()); };
    CPersonMenu::Run(id, name, QGuiApplication::keyboardModifiers() & Qt::ControlModifier, targets);
}

void CNotifyListView::closeEvent(QCloseEvent* event) {
    Stop();
    emit closing();
    CGenericListView::closeEvent(event);
}

void CNotifyListView::resizeEvent(QResizeEvent* event) {
    CGenericListView::resizeEvent(event);
    FitColumn();
}

void CNotifyListView::FitColumn() {
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    SetColumnWidths({std::max(kMinColumnWidth, width() - scrollBar)});
}
