// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "app/SeekGraphs.h"

#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "app/Settings.h"
#include "app/WindowLayout.h"
#include "console/ConsoleSubView.h"
#include "console/ConsoleView.h"
#include "lists/SeekView.h"
#include "net/qt/Kordane2Doc.h"

namespace {

// The size a graph opens with when its slot has no stored place.
constexpr int kFirstWidth = 560;
constexpr int kFirstHeight = 400;

}  // namespace

CSeekGraphs::CSeekGraphs(CWindowLayout& layout, CSettings& settings, QMdiArea* mdi, QObject* parent)
    : QObject(parent), m_layout(layout), m_settings(settings), m_mdi(mdi) {}

CSeekView* CSeekGraphs::Of(const CKordane2Doc& doc) const {
    for (QMdiSubWindow* window : m_mdi->subWindowList()) {
        auto* view = qobject_cast<CSeekView*>(window->widget());
        if (view && &view->Doc() == &doc) return view;
    }
    return nullptr;
}

CSeekView* CSeekGraphs::Open(CKordane2Doc& doc) {
    if (CSeekView* view = Of(doc)) {
        auto* frame = qobject_cast<QMdiSubWindow*>(view->parentWidget());
        if (frame) {
            frame->showNormal();
            m_mdi->setActiveSubWindow(frame);
            frame->raise();
        }
        return view;
    }
    auto* view = new CSeekView(doc);
    auto* frame = new QMdiSubWindow;
    frame->setWidget(view);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->setWindowTitle(view->Caption());
    m_mdi->addSubWindow(frame);
    doc.AttachWindow(frame);
    frame->resize(kFirstWidth, kFirstHeight);
    m_layout.Open(frame, WindowKind::Seek, &doc);
    frame->installEventFilter(this);
    Hook(*view);
    connect(view, &CSeekView::captionChanged, frame, &QWidget::setWindowTitle);
    connect(&doc, &CKordane2Doc::loggedIn, view, &CSeekView::LoggedIn);
    connect(&doc, &CKordane2Doc::serverValuesChanged, view, &CSeekView::RecheckEligibility);
    frame->show();
    return view;
}

void CSeekGraphs::Hook(CSeekView& view) {
    using O = CSettings::Option;
    CSeekView::Hooks& hooks = view.GetHooks();
    hooks.useSfilter = [this] { return m_settings.Flag(O::UseSfilter); };
    hooks.seekWild = [this] { return m_settings.Flag(O::SeekWild); };
    hooks.seekFast = [this] { return m_settings.Flag(O::SeekFast); };
    hooks.stopWildWarning = [this] { m_settings.Set(O::SeekWild, 0); };
    hooks.stopFastWarning = [this] { m_settings.Set(O::SeekFast, 0); };
    CKordane2Doc& doc = view.Doc();
    hooks.sendInNewConsole = [&doc](std::string_view line) {
        if (CConsoleView* console = CConsoleView::Of(doc)) {
            console->OpenTemporaryConsole()->SendTagged(line);
        } else {
            doc.Parser().SendCommand(line);
        }
    };
    hooks.consoleText = [&doc](std::string_view text) {
        if (CConsoleView* console = CConsoleView::Of(doc)) console->ShowConsoleText(text);
    };
}

void CSeekGraphs::RecheckAll() {
    for (QMdiSubWindow* window : m_mdi->subWindowList()) {
        if (auto* view = qobject_cast<CSeekView*>(window->widget())) view->RecheckEligibility();
    }
}

bool CSeekGraphs::eventFilter(QObject* watched, QEvent* event) {
    // The place is stored while the frame still has it.
    if (event->type() == QEvent::Close) {
        if (auto* frame = qobject_cast<QWidget*>(watched)) m_layout.Close(frame);
    }
    return QObject::eventFilter(watched, event);
}
