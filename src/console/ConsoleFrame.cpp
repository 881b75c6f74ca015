// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "console/ConsoleFrame.h"

#include <QCloseEvent>
#include <QMessageBox>

#include "console/ConsoleView.h"
#include "net/qt/Kordane2Doc.h"

CConsoleFrame::CConsoleFrame(CKordane2Doc& doc, const QString& connectionTitle, QWidget* parent)
    : QMdiSubWindow(parent), m_doc(doc) {
    m_view = new CConsoleView(m_doc, connectionTitle, this);
    setWidget(m_view);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(m_view->Title());
    connect(m_view, &CConsoleView::titleChanged, this, [this] { setWindowTitle(m_view->Title()); });
    m_doc.AttachWindow(this);
}

bool CConsoleFrame::AskClose(QWidget* parent) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Kordane 2"),
                    QString::fromLatin1(kCloseQuestion), QMessageBox::Ok | QMessageBox::Cancel,
                    parent);
    box.setTextFormat(Qt::PlainText);
    return box.exec() == QMessageBox::Ok;
}

void CConsoleFrame::closeEvent(QCloseEvent* event) {
    if ((m_doc.IsConnected() && !m_ask(this)) || (m_beforeClose && !m_beforeClose())) {
        event->ignore();
        return;
    }
    // The main console is the connection: the other windows go with it.
    m_doc.Close();
    QMdiSubWindow::closeEvent(event);
}
