// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "console/ConsoleView.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QVBoxLayout>

#include "console/CommandEdit.h"
#include "console/ConsoleActions.h"
#include "console/ConsoleFont.h"
#include "console/ConsoleSubView.h"
#include "console/ConsoleText.h"
#include "console/ConsoleWnd.h"
#include "net/CommandTag.h"
#include "net/TextStyles.h"
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
    m_console = new CConsoleWnd(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_console);
    setFocusProxy(m_console);
    connect(m_console, &CConsoleWnd::enterPressed, this, &CConsoleView::SendEntry);
    connect(m_console, &CConsoleWnd::textAppended, this, &CConsoleView::textAppended);
    CConsoleActions::Connect(
        *m_console, m_doc, [this](std::string_view line) { SendTaggedCommand(line, m_consoleId); });

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
    connect(&m_doc, &CKordane2Doc::connectionClosed, this, [this, loggedOut] {
        // Commands typed before the next log-in go out without the tag.
        m_tagging = false;
        loggedOut();
    });
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
    m_consoleId = m_doc.TakeConsoleId();
    m_doc.Parser().SetMainSink(this);
    ShowConsoleText(kBanner);
    if (m_doc.Params().host.empty()) {
        m_doc.Parser().ShowLocalText(kLocalMode);
        return;
    }
    // With plug-ins, the connection starts once they have all declared
    // themselves.
    if (m_doc.HasPlugins()) {
        m_doc.LaunchPlugins();
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
    m_console->AppendStyled(CConsoleWnd::FromServerBytes(bytes), colourWord);
}

bool CConsoleView::LogsInAutomatically() const {
    return m_doc.Params().guest || !m_doc.Params().handle.empty();
}

void CConsoleView::OnLoggedIn(const std::string& handle) {
    m_handle = QString::fromStdString(handle);
    m_loggedIn = true;
    m_tagging = true;
    emit titleChanged();
    emit m_doc.loggedIn();
}

void CConsoleView::ServerValuesChanged() {
    emit m_doc.serverValuesChanged();
}

void CConsoleView::PlaySoundEvent(SoundEvent event) {
    emit m_doc.soundEvent(event);
}

void CConsoleView::SendTaggedCommand(std::string_view line, int consoleId) {
    m_doc.Parser().SendCommand(TaggedCommand(line, consoleId, m_tagging));
}

void CConsoleView::SendEntry(int code) {
    const std::string command = m_console->TakeCommand().toStdString() + "\n";
    ShowConsoleText(command);
    m_console->ClearEntry();
    if (code == CCommandEdit::kCtrlReturn) {
        OpenTemporaryConsole()->SendTagged(command);
    } else {
        SendTaggedCommand(command, m_consoleId);
    }
}

void CConsoleView::SendCommandLine(std::string_view line, bool newConsole) {
    if (newConsole) {
        OpenTemporaryConsole()->SendTagged(line);
    } else {
        SendTaggedCommand(line, m_consoleId);
    }
}

CConsoleSubView* CConsoleView::OpenTemporaryConsole() {
    CConsoleSubView* console = CConsoleSubView::Open(m_doc, MdiArea(), m_styles, true);
    console->SetTagging(m_tagging);
    emit consoleOpened(console->Frame(), true);
    return console;
}

void CConsoleView::RunUserButton(std::string_view text) {
    UserButtonNames names = m_doc.GameNames();
    names.teller = m_dispatch.LastTeller();
    const UserButtonLine button = ExpandUserButton(text, names);
    ShowConsoleText(button.line);
    if (button.newWindow) {
        CConsoleSubView* console = OpenTemporaryConsole();
        console->SetTagging(!m_dispatch.OwnHandle().empty());
        console->SendTagged(button.line);
        return;
    }
    // A button's line is always the main console's, logged in or not; a line
    // that brings its own tag keeps it.
    if (!button.line.empty() && button.line.front() == '`') {
        m_doc.Parser().SendCommand(button.line);
    } else {
        m_doc.Parser().SendCommand(TaggedCommand(button.line, kMainConsoleId, true));
    }
}

CConsoleView* CConsoleView::Of(CKordane2Doc& doc) {
    return dynamic_cast<CConsoleView*>(doc.Parser().MainSink());
}

QMdiArea* CConsoleView::MdiArea() const {
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (auto* frame = qobject_cast<QMdiSubWindow*>(w)) return frame->mdiArea();
    }
    return nullptr;
}
