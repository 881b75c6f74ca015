// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "app/LiveLists.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

#include "app/ConnectionMenus.h"
#include "app/StartWindows.h"
#include "app/WindowLayout.h"
#include "lists/EventListView.h"
#include "lists/NotifyListView.h"
#include "net/qt/Kordane2Doc.h"

CLiveLists::CLiveLists(CWindowLayout& layout, QMdiArea* mdi, CConnectionMenus& menus,
                       CStartWindows& startWindows, std::function<CKordane2Doc*()> activeDoc)
    : QObject(mdi),
      m_layout(layout),
      m_mdi(mdi),
      m_menus(menus),
      m_activeDoc(std::move(activeDoc)) {
    const auto hook = [this](const char* text, auto open) {
        m_menus.Hook(QString::fromLatin1(text), [this, open] {
            if (CKordane2Doc* doc = m_activeDoc()) (this->*open)(*doc);
        });
        QAction* item = m_menus.Item(QString::fromLatin1(text));
        item->setCheckable(true);
        // The menu's own check must not lag behind the window: it follows
        // the lists each time the menu opens.
        if (auto* menu = qobject_cast<QMenu*>(item->parent())) {
            connect(menu, &QMenu::aboutToShow, this, &CLiveLists::UpdateChecks);
        }
    };
    hook(kNotifyItem, &CLiveLists::OpenNotifyList);
    hook(kEventItem, &CLiveLists::OpenEventList);
    // At a login a list that stayed open from before a reconnection must ask
    // the server again: the new session knows nothing of it.
    startWindows.Hooks().notifyList = [this](CKordane2Doc& doc) {
        if (CNotifyListView* open = NotifyListOf(doc)) {
            open->Restart();
            return true;
        }
        return OpenNotifyList(doc) != nullptr;
    };
    startWindows.Hooks().eventList = [this](CKordane2Doc& doc) {
        if (CEventListView* open = EventListOf(doc)) {
            open->Restart();
            return true;
        }
        return OpenEventList(doc) != nullptr;
    };
}

CNotifyListView* CLiveLists::NotifyListOf(const CKordane2Doc& doc) const {
    const auto it = m_lists.find(&doc);
    return it == m_lists.end() ? nullptr : it->second.notify.data();
}

CEventListView* CLiveLists::EventListOf(const CKordane2Doc& doc) const {
    const auto it = m_lists.find(&doc);
    return it == m_lists.end() ? nullptr : it->second.events.data();
}

QMdiSubWindow* CLiveLists::Frame(QWidget* view, CKordane2Doc& doc) {
    auto* frame = new QMdiSubWindow;
    frame->setWidget(view);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    m_mdi->addSubWindow(frame);
    doc.AttachWindow(frame);
    // A connection's documents go when it closes; so do its entries here.
    connect(&doc, &QObject::destroyed, this, [this, key = &doc] { m_lists.erase(key); });
    return frame;
}

void CLiveLists::Raise(QWidget* view) {
    auto* frame = qobject_cast<QMdiSubWindow*>(view->parentWidget());
    if (frame && frame->mdiArea()) {
        frame->showNormal();
        frame->mdiArea()->setActiveSubWindow(frame);
    }
}

CNotifyListView* CLiveLists::OpenNotifyList(CKordane2Doc& doc) {
    if (CNotifyListView* open = NotifyListOf(doc)) {
        Raise(open);
        return open;
    }
    auto* view = new CNotifyListView(doc);
    QMdiSubWindow* frame = Frame(view, doc);
    frame->setWindowTitle(QString::fromLatin1(CNotifyListView::kTitle));
    frame->resize(200, 300);
    m_layout.Open(frame, WindowKind::NotifyList, &doc);
    connect(view, &CNotifyListView::closing, this, [this, frame] { m_layout.Close(frame); });
    m_lists[&doc].notify = view;
    view->Start();
    frame->show();
    return view;
}

CEventListView* CLiveLists::OpenEventList(CKordane2Doc& doc) {
    if (CEventListView* open = EventListOf(doc)) {
        Raise(open);
        return open;
    }
    auto* view = new CEventListView(doc);
    QMdiSubWindow* frame = Frame(view, doc);
    frame->setWindowTitle(QString::fromLatin1(CEventListView::kTitle) +
                          QString::fromStdString(doc.Values().ownHandle));
    frame->resize(400, 240);
    m_layout.Open(frame, WindowKind::EventList, &doc);
    connect(view, &CEventListView::closing, this, [this, frame] { m_layout.Close(frame); });
    m_lists[&doc].events = view;
    view->Start();
    frame->show();
    return view;
}

void CLiveLists::UpdateChecks() {
    const CKordane2Doc* doc = m_activeDoc();
    if (QAction* item = m_menus.Item(QString::fromLatin1(kNotifyItem))) {
        item->setChecked(doc && NotifyListOf(*doc));
    }
    if (QAction* item = m_menus.Item(QString::fromLatin1(kEventItem))) {
        item->setChecked(doc && EventListOf(*doc));
    }
}
