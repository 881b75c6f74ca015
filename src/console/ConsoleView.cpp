// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "console/ConsoleView.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMetaObject>
#include <QScrollBar>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QVBoxLayout>

#include "net/qt/Kordane2Doc.h"

namespace {

const std::string kBanner = std::string(kVersionText) + "\nA client for the VCX chess server.\n";
constexpr const char* kLocalMode = "No server name provided.  Local chessboard mode.\n";

}  // namespace

CConsoleView::CConsoleView(CKordane2Doc& doc, QString connectionTitle, QWidget* parent)
    : QWidget(parent),
      m_doc(doc),
      m_host(*this, this, doc),
      m_dispatch(m_host, doc.Parser(), doc.Params(), doc.Values()),
      m_connectionTitle(std::move(connectionTitle)) {
    m_pane = new QTextBrowser(this);
    // Server text is never markup and never a link target of the browser's own.
    m_pane->setOpenLinks(false);
    m_pane->setOpenExternalLinks(false);
    m_pane->setUndoRedoEnabled(false);
    m_pane->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_pane->setFocusPolicy(Qt::ClickFocus);
    m_pane->installEventFilter(this);

    m_entry = new QLineEdit(this);
    m_entry->setMaxLength(kMaxCommandLength);
    m_entry->setFont(m_pane->font());
    connect(m_entry, &QLineEdit::returnPressed, this, &CConsoleView::SendEntry);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_pane, 1);
    layout->addWidget(m_entry);
    setFocusProxy(m_entry);

    connect(&m_doc, &CKordane2Doc::stateChanged, this, &CConsoleView::titleChanged);
    const auto loggedOut = [this] {
        // The login stage and the split-line filter belong to one connection.
        m_dispatch.ResetConnectionState();
        m_loggedIn = false;
        emit titleChanged();
    };
    connect(&m_doc, &CKordane2Doc::connectionClosed, this, loggedOut);
    connect(&m_doc, &CKordane2Doc::reconnectStarted, this, loggedOut);
}

CConsoleView::~CConsoleView() {
    if (m_doc.Parser().MainSink() == this) m_doc.Parser().SetMainSink(nullptr);
}

bool CConsoleView::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_pane || event->type() != QEvent::KeyPress) {
        return QWidget::eventFilter(watched, event);
    }
    // Typing while reading the pane goes to the entry box; paging and the
    // Ctrl shortcuts (copy, select all) stay with the pane.
    auto* key = static_cast<QKeyEvent*>(event);
    const bool paging = key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown;
    if (paging || (key->modifiers() & Qt::ControlModifier) || key->text().isEmpty()) {
        return false;
    }
    m_entry->setFocus();
    QCoreApplication::sendEvent(m_entry, event);
    return true;
}

void CConsoleView::InitialUpdate() {
    m_doc.Parser().SetMainSink(this);
    ShowConsoleText(kBanner);
    if (m_doc.Params().host.empty()) {
        m_doc.Parser().ShowLocalText(kLocalMode);
        return;
    }
    m_doc.Connect();
}

QString CConsoleView::Title() const {
    QString title = QStringLiteral("Main Console");
    const QString& name = m_handle.isEmpty() ? m_connectionTitle : m_handle;
    if (!name.isEmpty()) title += QStringLiteral(" - ") + name;
    // "(logging in)" stays until the server confirms the login.
    const bool settled = m_loggedIn && m_doc.State() == CKordane2Doc::LoggingIn;
    if (!settled && !m_doc.StatusSuffix().isEmpty()) {
        title += QLatin1Char(' ') + m_doc.StatusSuffix();
    }
    return title;
}

int CConsoleView::Receive(std::unique_ptr<CServerMessage>& message) {
    m_dispatch.Receive(message);
    // Whatever the dispatcher left is not shown anywhere; taking it here
    // ends its life with this call.
    return 1;
}

void CConsoleView::ShowConsoleText(std::string_view text) {
    m_pending.append(text);
    if (m_flushScheduled) return;
    m_flushScheduled = true;
    // A flood laid out line by line freezes the window; one layout per
    // event-loop turn keeps it responsive.
    QMetaObject::invokeMethod(this, &CConsoleView::FlushPending, Qt::QueuedConnection);
}

bool CConsoleView::LogsInAutomatically() const {
    return m_doc.Params().guest || !m_doc.Params().handle.empty();
}

void CConsoleView::OnLoggedIn(const std::string& handle) {
    m_handle = QString::fromStdString(handle);
    m_loggedIn = true;
    emit titleChanged();
}

void CConsoleView::FlushPending() {
    m_flushScheduled = false;
    if (m_pending.empty()) return;
    // The server's text is ASCII in practice; bytes that are not valid UTF-8
    // come from older Latin-1 text and are shown as such, not as U+FFFD.
    const QByteArrayView bytes(m_pending.data(), static_cast<qsizetype>(m_pending.size()));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError()) text = QString::fromLatin1(bytes);
    m_pending.clear();
    AppendToPane(text);
    emit textAppended();
}

void CConsoleView::AppendToPane(const QString& incoming) {
    QString text = incoming;
    text.remove(QLatin1Char('\r'));
    if (m_pendingBreak) {
        text.prepend(QLatin1Char('\n'));
        m_pendingBreak = false;
    }
    if (text.endsWith(QLatin1Char('\n'))) {
        text.chop(1);
        m_pendingBreak = true;
    }
    if (text.isEmpty()) return;

    QScrollBar* bar = m_pane->verticalScrollBar();
    const bool atEnd = bar->value() >= bar->maximum();
    const int oldValue = bar->value();
    // A cursor of our own leaves the user's selection where it is.
    QTextCursor cursor(m_pane->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text, QTextCharFormat());
    TrimPane();
    bar->setValue(atEnd ? bar->maximum() : oldValue);
}

void CConsoleView::TrimPane() {
    QTextDocument* document = m_pane->document();
    const int lines = document->blockCount();
    if (lines <= kKeepLines) return;
    const int drop = (lines - kKeepLines + kTrimStep - 1) / kTrimStep * kTrimStep;
    QTextCursor cursor(document);
    cursor.movePosition(QTextCursor::Start);
    cursor.setPosition(document->findBlockByNumber(drop).position(), QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

void CConsoleView::SendEntry() {
    const std::string command = m_entry->text().toStdString();
    m_entry->clear();
    ShowConsoleText(command + "\n");
    m_doc.Parser().SendCommand(command + "\n");
}
