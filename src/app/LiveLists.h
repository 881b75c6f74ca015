// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <map>

class CConnectionMenus;
class CEventListView;
class CKordane2Doc;
class CNotifyListView;
class CStartWindows;
class CWindowLayout;
class QMdiArea;
class QMdiSubWindow;

// The two lists the server keeps live for a connection, as the main frame
// sees them: the Window menu's "N&otify List" and "Event &List" (checked
// while the active connection has one open), their start-window hooks, and
// where each is remembered. A connection has at most one of each; asking
// again brings it to the top.
class CLiveLists : public QObject {
    Q_OBJECT
  public:
    static constexpr const char* kNotifyItem = "N&otify List";
    static constexpr const char* kEventItem = "Event &List";

    CLiveLists(CWindowLayout& layout, QMdiArea* mdi, CConnectionMenus& menus,
               CStartWindows& startWindows, std::function<CKordane2Doc*()> activeDoc);

    CNotifyListView* OpenNotifyList(CKordane2Doc& doc);
    CEventListView* OpenEventList(CKordane2Doc& doc);
    CNotifyListView* NotifyListOf(const CKordane2Doc& doc) const;
    CEventListView* EventListOf(const CKordane2Doc& doc) const;

  private:
    struct Lists {
        QPointer<CNotifyListView> notify;
        QPointer<CEventListView> events;
    };
    QMdiSubWindow* Frame(QWidget* view, CKordane2Doc& doc);
    static void Raise(QWidget* view);
    void UpdateChecks();

    CWindowLayout& m_layout;
    QMdiArea* m_mdi;
    CConnectionMenus& m_menus;
    std::function<CKordane2Doc*()> m_activeDoc;
    std::map<const CKordane2Doc*, Lists> m_lists;
};
