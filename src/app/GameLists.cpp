// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "app/GameLists.h"

#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "app/Settings.h"
#include "app/WindowLayout.h"
#include "lists/GameListView.h"
#include "net/qt/Kordane2Doc.h"

namespace {

CSettings::ListColumns ColumnsOf(bool playerCentred) {
    return playerCentred ? CSettings::ListColumns::History : CSettings::ListColumns::GameList;
}

}  // namespace

CGameLists::CGameLists(CWindowLayout& layout, QMdiArea* mdi, CSettings& settings,
                       std::string& gameLogFile, QObject* parent)
    : QObject(parent),
      m_layout(layout),
      m_mdi(mdi),
      m_settings(settings),
      m_gameLogFile(gameLogFile) {}

bool CGameLists::Open(CKordane2Doc& doc, std::unique_ptr<CServerMessage>& message) {
    CGameListView* view = OpenWindow(doc);
    return view->Receive(message) != 0;
}

CGameListView* CGameLists::OpenWindow(CKordane2Doc& doc) {
    auto* frame = new QMdiSubWindow;
    frame->setAttribute(Qt::WA_DeleteOnClose);
    auto* view = new CGameListView(&doc, frame);
    CGameListView::Hooks& hooks = view->GetHooks();
    hooks.columnWidths = [this](bool playerCentred) {
        return m_settings.ColumnWidths(ColumnsOf(playerCentred));
    };
    hooks.gameLogFile = &m_gameLogFile;
    frame->setWidget(view);
    m_mdi->addSubWindow(frame);
    doc.AttachWindow(frame);
    frame->resize(640, 300);
    m_layout.Open(frame, WindowKind::GameList, &doc);
    frame->installEventFilter(this);
    frame->show();
    return view;
}

bool CGameLists::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Close) {
        if (auto* frame = qobject_cast<QMdiSubWindow*>(watched)) Store(frame);
    }
    return QObject::eventFilter(watched, event);
}

void CGameLists::Store(QMdiSubWindow* frame) {
    if (m_layout.SlotOf(frame) == 0) return;  // stored already
    if (auto* view = qobject_cast<CGameListView*>(frame->widget()))
        m_settings.SetColumnWidths(ColumnsOf(view->PlayerCentred()), view->ColumnWidthsText());
    m_layout.Close(frame);
}

void CGameLists::StoreAll(const CKordane2Doc& doc) {
    for (QMdiSubWindow* frame : m_mdi->subWindowList()) {
        auto* view = qobject_cast<CGameListView*>(frame->widget());
        if (view && view->Doc() == &doc) Store(frame);
    }
}
