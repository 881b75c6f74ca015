// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "console/ConsoleView.h"

#include <QStringDecoder>
#include <QVBoxLayout>

#include "console/CommandEdit.h"
#include "console/ConsoleFont.h"
#include "console/ConsoleText.h"
#include "console/ConsoleWnd.h"
#include "net/Profile.h"
#include "net/TextStyles.h"
#include "net/qt/Kordane2Doc.h"

namespace {

const std::string kBanner = std::string(kVersionText) + "\nA client for the VCX chess server.\n";
constexpr const char* kLocalMode = "No server name provided.  Local chessboard mode.\n";

}  // namespace

CConsoleView::CConsoleView(CKordane2Doc& doc, QString connectionTitle, QWidget* parent)
    : QWidget(parent),
      m_doc(doc),
      m_dispatch(*this, doc.Parser()),
      m_connectionTitle(std::move(connectionTitle)) {
    m_console = new CConsoleWnd(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_console);
    setFocusProxy(m_console);
    connect(m_console, &CConsoleWnd::enterPressed, this, &CConsoleView::SendEntry);
    connect(m_console, &CConsoleWnd::textAppended, this, &CConsoleView::textAppended);
    m_console->SetLastTellerSource(
        [this] { return QString::fromStdString(m_dispatch.LastTeller()); });

    auto styles = std::make_shared<CTextStyles>();
    styles->Load(m_doc.Profile());
    SetTextStyles(std::move(styles));

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

void CConsoleView::SetTextStyles(std::shared_ptr<const CTextStyles> styles) {
    m_styles = std::move(styles);
    m_console->ApplyBackground(m_styles->Colour(TextClass::Background));
    m_console->SetConsoleFont(ConsoleFont::For(*m_styles));
}

CConsoleText* CConsoleView::Pane() const {
    return m_console->Text();
}

CCommandEdit* CConsoleView::Entry() const {
    return m_console->Entry();
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
    AppendStyled(text, m_styles->ColourFor(nullptr));
}

void CConsoleView::ShowMessageText(std::string_view text, const CServerMessage& message) {
    AppendStyled(text, m_styles->ColourFor(&message));
}

void CConsoleView::AppendStyled(std::string_view bytes, uint32_t colourWord) {
    // The server's text is ASCII in practice; bytes that are not valid UTF-8
    // come from older Latin-1 text and are shown as such, not as U+FFFD.
    const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(view);
    if (utf8.hasError()) text = QString::fromLatin1(view);
    m_console->AppendStyled(text, colourWord);
}

bool CConsoleView::LogsInAutomatically() const {
    return m_doc.Params().guest || !m_doc.Params().handle.empty();
}

void CConsoleView::OnLoggedIn(const std::string& handle) {
    m_handle = QString::fromStdString(handle);
    m_loggedIn = true;
    emit titleChanged();
}

void CConsoleView::SendEntry() {
    const std::string command = m_console->TakeCommand().toStdString();
    ShowConsoleText(command + "\n");
    m_console->ClearEntry();
    m_doc.Parser().SendCommand(command + "\n");
}
