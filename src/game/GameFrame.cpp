// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "game/GameFrame.h"

#include <QCloseEvent>

#include "game/GameCommands.h"
#include "game/GameView.h"
#include "net/qt/Kordane2Doc.h"

CGameFrame::CGameFrame(CKordane2Doc& doc, CGameShared& shared, QWidget* parent)
    : QMdiSubWindow(parent) {
    m_view = new CGameView(doc, shared, this);
    setWidget(m_view);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(m_view->TitleText());
    connect(this, &QMdiSubWindow::windowStateChanged, this,
            [this](Qt::WindowStates before, Qt::WindowStates now) {
                if ((now & Qt::WindowActive) && !(before & Qt::WindowActive)) {
                    m_view->Commands().OnActivated();
                }
            });
    doc.AttachWindow(this);
}

void CGameFrame::closeEvent(QCloseEvent* event) {
    if (!m_view->Commands().QueryClose()) {
        event->ignore();
        return;
    }
    emit closing();
    QMdiSubWindow::closeEvent(event);
}
