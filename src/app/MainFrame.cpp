// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "app/MainFrame.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>

#include "app/AboutBox.h"
#include "app/ActionsMenu.h"
#include "app/UrlOpener.h"
#include "console/ConsoleFrame.h"
#include "console/ConsoleView.h"
#include "net/qt/Kordane2Doc.h"

namespace {

// Where the first connection's console sits on a 1024x768 screen.
const QRect kFirstConsoleRect(0, 0, 703, 436);
constexpr const char* kStateProperty = "kordaneState";

}  // namespace

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent) {
    m_mdi = new QMdiArea(this);
    setCentralWidget(m_mdi);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, &CMainFrame::UpdateTitle);

    m_statePane = new QLabel(QStringLiteral("Ready"), this);
    m_statePane->setTextFormat(Qt::PlainText);
    m_statePane->setMinimumWidth(m_statePane->fontMetrics().horizontalAdvance("Working") + 12);
    statusBar()->addPermanentWidget(m_statePane);

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    m_reconnect = file->addAction(QStringLiteral("R&econnect"), this, [this] {
        if (CConsoleFrame* console = ActiveConsole()) console->Doc().OnReconnect();
    });
    m_reconnect->setStatusTip(QStringLiteral("Re-establish a broken connection"));
    // Only a connection that has closed can be re-established.
    connect(file, &QMenu::aboutToShow, this, &CMainFrame::UpdateReconnect);
    file->addSeparator();
    file->addAction(QStringLiteral("E&xit"), this, &QWidget::close);
    QMenu* actions = menuBar()->addMenu(QStringLiteral("&Actions"));
    new CActionsMenu(
        actions, [this] { return ActiveConsole() != nullptr; },
        [this](std::string_view line) {
            if (CConsoleFrame* console = ActiveConsole()) console->Doc().SendToServer(line);
        });
    // Filled by the application (CShellMenus), which owns what the items change.
    menuBar()->addMenu(QStringLiteral("&Options"))->setObjectName(QStringLiteral("optionsMenu"));
    QMenu* window = menuBar()->addMenu(QStringLiteral("&Window"));
    window->addAction(QStringLiteral("&Cascade"), m_mdi, &QMdiArea::cascadeSubWindows);
    window->addAction(QStringLiteral("&Tile"), m_mdi, &QMdiArea::tileSubWindows);
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("helpMenu"));
    help->addAction(QStringLiteral("&About Kordane 2..."), this, &CMainFrame::ShowAbout);

    UpdateTitle();
}

CMainFrame::~CMainFrame() {
    // The windows inside report activation and title changes while they are
    // torn down; by then this object is no longer a CMainFrame, so nothing of
    // theirs may reach it.
    disconnect(m_mdi, nullptr, this, nullptr);
    for (QMdiSubWindow* window : m_mdi->subWindowList()) {
        disconnect(window, nullptr, this, nullptr);
        if (auto* console = qobject_cast<CConsoleFrame*>(window)) {
            disconnect(&console->Doc(), nullptr, this, nullptr);
        }
    }
    delete m_mdi;
}

CConsoleFrame* CMainFrame::AddConnection(CKordane2Doc& doc, const QString& title) {
    auto* frame = new CConsoleFrame(doc, title);
    m_mdi->addSubWindow(frame);
    connect(&doc, &CKordane2Doc::statusText, this, [this, frame](const QString& text) {
        // Kept per window, so that activating a connection shows its own state.
        frame->setProperty(kStateProperty, text);
        if (m_mdi->activeSubWindow() == frame) m_statePane->setText(text);
    });
    connect(frame, &QWidget::windowTitleChanged, this, &CMainFrame::UpdateTitle);
    frame->View().Host().SetUrlOpener(
        [frame](const QString& url) { return CUrlOpener::Open(url, frame); });
    frame->setGeometry(kFirstConsoleRect);
    frame->show();
    m_mdi->setActiveSubWindow(frame);
    // A new console is ready for typing.
    frame->View().setFocus();
    frame->View().InitialUpdate();
    return frame;
}

void CMainFrame::UpdateReconnect() {
    const CConsoleFrame* console = ActiveConsole();
    m_reconnect->setEnabled(console && console->Doc().State() == CKordane2Doc::Closed);
}

CConsoleFrame* CMainFrame::ActiveConsole() const {
    return qobject_cast<CConsoleFrame*>(m_mdi->activeSubWindow());
}

QString CMainFrame::StatePaneText() const {
    return m_statePane->text();
}

void CMainFrame::UpdateTitle() {
    QString title = QString::fromLatin1(kAppTitle);
    QString state = QStringLiteral("Ready");
    if (QMdiSubWindow* active = m_mdi->activeSubWindow()) {
        title += QStringLiteral(" - ") + active->windowTitle();
        const QVariant kept = active->property(kStateProperty);
        if (kept.isValid()) state = kept.toString();
    }
    m_statePane->setText(state);
    setWindowTitle(title);
}

void CMainFrame::ShowAbout() {
    CAboutBox::Show(this);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // Each connection asks for itself; one refusal keeps the program open.
    m_mdi->closeAllSubWindows();
    if (!m_mdi->subWindowList().isEmpty()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}
