// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "console/ConsoleSubView.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QVBoxLayout>

#include "console/ConsoleActions.h"
#include "console/ConsoleFont.h"
#include "console/ConsoleWnd.h"
#include "net/CommandTag.h"
#include "net/TextStyles.h"
#include "net/qt/Kordane2Doc.h"

CConsoleSubView::CConsoleSubView(CKordane2Doc& doc, std::shared_ptr<const CTextStyles> styles,
                                 bool temporary, QWidget* parent)
    : QWidget(parent),
      m_doc(doc),
      m_styles(std::move(styles)),
      m_consoleId(doc.TakeConsoleId()),
      m_temporary(temporary) {
    m_console = new CConsoleWnd(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_console);
    setFocusProxy(m_console);
    m_console->ApplyBackground(m_styles->Colour(TextClass::Background));
    m_console->SetConsoleFont(ConsoleFont::For(*m_styles));
    connect(m_console, &CConsoleWnd::enterPressed, this, &CConsoleSubView::SendEntry);
    CConsoleActions::Connect(*m_console, m_doc,
                             [this](std::string_view line) { SendTagged(line); });
    // Commands sent before the next log-in go out untagged.
    connect(&m_doc, &CKordane2Doc::connectionClosed, this, [this] { m_tagging = false; });
    m_doc.Parser().AddSink(this);
}

CConsoleSubView::~CConsoleSubView() {
    m_doc.Parser().RemoveSink(this);
}

CConsoleSubView* CConsoleSubView::Open(CKordane2Doc& doc, QMdiArea* area,
                                       std::shared_ptr<const CTextStyles> styles, bool temporary) {
    auto* view = new CConsoleSubView(doc, std::move(styles), temporary);
    auto* frame = new QMdiSubWindow;
    frame->setWidget(view);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->setWindowTitle(QString::fromLatin1(kTitle));
    if (area) area->addSubWindow(frame);
    doc.AttachWindow(frame);
    frame->show();
    view->setFocus();
    return view;
}

QMdiSubWindow* CConsoleSubView::Frame() const {
    return qobject_cast<QMdiSubWindow*>(parentWidget());
}

void CConsoleSubView::SendTagged(std::string_view line) {
    m_doc.Parser().SendCommand(TaggedCommand(line, m_consoleId, m_tagging));
}

int CConsoleSubView::Receive(std::unique_ptr<CServerMessage>& message) {
    if (message->kind != CServerMessage::Level1 || message->tag != m_consoleId) return 0;
    Append(message->TextValue(), m_styles->ColourFor(message.get()));
    message.reset();
    return 1;
}

void CConsoleSubView::Append(std::string_view text, uint32_t colourWord) {
    m_console->AppendStyled(CConsoleWnd::FromServerBytes(text), colourWord);
}

void CConsoleSubView::SendEntry(int /*code*/) {
    const std::string command = m_console->TakeCommand().toStdString();
    Append(command + "\n", m_styles->ColourFor(nullptr));
    m_console->ClearEntry();
    SendTagged(command + "\n");
}
