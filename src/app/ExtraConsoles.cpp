// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "app/ExtraConsoles.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>

#include "app/WindowLayout.h"
#include "console/ConsoleSubView.h"
#include "console/ConsoleWnd.h"
#include "console/CustomizeConsoleDlg.h"
#include "console/OpenChatDlg.h"
#include "net/qt/Kordane2Doc.h"

namespace {

// Longer values were cut off when stored and are not trusted.
constexpr size_t kMaxValue = 498;

}  // namespace

CExtraConsoles::CExtraConsoles(CWindowLayout& layout, QMdiArea* mdi,
                               std::shared_ptr<const CTextStyles> styles, QWidget* dialogParent)
    : QObject(dialogParent),
      m_layout(layout),
      m_mdi(mdi),
      m_styles(std::move(styles)),
      m_dialogParent(dialogParent) {}

CConsoleSubView* CExtraConsoles::OpenConsole(CKordane2Doc& doc) {
    CConsoleSubView* view = CConsoleSubView::Open(doc, m_mdi, m_styles, false);
    // Tagged from the start once the user is logged in.
    view->SetTagging(!doc.Values().ownHandle.empty());
    Adopt(*view);
    return view;
}

CConsoleSubView* CExtraConsoles::OpenChatConsole(CKordane2Doc& doc) {
    COpenChatDlg dialog(m_dialogParent);
    if (dialog.exec() != QDialog::Accepted) return nullptr;
    return OpenChatConsole(doc, dialog);
}

CConsoleSubView* CExtraConsoles::OpenChatConsole(CKordane2Doc& doc, const COpenChatDlg& answers) {
    CConsoleSubView* view = OpenConsole(doc);
    SetUpChat(*view,
              ChatText::PlanChatConsole(answers.Routing(), answers.ChannelsText().toStdString(),
                                        answers.PeopleText().toStdString()));
    return view;
}

void CExtraConsoles::SetUpChat(CConsoleSubView& view, const ChatText::ChatConsolePlan& plan) {
    // What the slot remembered gives way to what the user asked for now.
    view.SetChannelsText(QString());
    view.Console()->RemoveHelpers();
    for (int i = 0; i < 3; ++i) {
        view.SetRouting(static_cast<CConsoleSubView::RouteFlag>(i), plan.routing[size_t(i)]);
    }
    for (const auto& [text, prefix] : plan.helpers) {
        view.Console()->AddHelper(QString::fromStdString(text), QString::fromStdString(prefix));
    }
    for (int channel : plan.channels) view.AddChannel(channel);
    for (const std::string& name : plan.people) view.AddPerson(name);
    view.SetTitle(QString::fromStdString(plan.title));
    if (!plan.intercept.empty()) view.SendTagged(plan.intercept + "\n");
}

void CExtraConsoles::Adopt(CConsoleSubView& view) {
    QMdiSubWindow* frame = view.Frame();
    if (!frame) return;
    const int slot = m_layout.Open(
        frame, view.Temporary() ? WindowKind::Transient : WindowKind::SubConn, &view.Doc());
    if (!view.Temporary()) Restore(view, slot);
    connect(&view, &CConsoleSubView::closing, this, [this, &view] { Store(view); });
    connect(&view, &CConsoleSubView::consoleOpened, this,
            [this](CConsoleSubView* opened) { Adopt(*opened); });
}

void CExtraConsoles::Restore(CConsoleSubView& view, int slot) {
    const auto value = [&](const char* pattern) {
        std::string text = m_layout.SlotValue(pattern, slot);
        if (text.size() >= kMaxValue) text.clear();
        return QString::fromStdString(text);
    };
    if (const QString title = value(kTitleKey); !title.isEmpty()) view.SetTitle(title);
    if (const QString channels = value(kChannelsKey); !channels.isEmpty()) {
        view.SetChannelsText(channels);
    }
    if (const QString texts = value(kComboKey); !texts.isEmpty()) {
        view.Console()->SetHelperTexts(texts);
    }
    if (const QString prefixes = value(kComboPrefixesKey); !prefixes.isEmpty()) {
        view.Console()->SetHelperPrefixes(prefixes);
    }
    if (const auto flags = ChatText::ParseIntercepts(value(kInterceptsKey).toStdString())) {
        for (int i = 0; i < 3; ++i) {
            view.SetRouting(static_cast<CConsoleSubView::RouteFlag>(i), (*flags)[size_t(i)]);
        }
    }
}

void CExtraConsoles::Store(CConsoleSubView& view) {
    QMdiSubWindow* frame = view.Frame();
    const int slot = frame ? m_layout.SlotOf(frame) : 0;
    if (slot == 0) return;
    if (!view.Temporary()) {
        m_layout.WriteSlotValue(kTitleKey, slot, view.Title().toStdString());
        m_layout.WriteSlotValue(kChannelsKey, slot, view.ChannelsText().toStdString());
        m_layout.WriteSlotValue(kComboKey, slot, view.Console()->HelperTextsText().toStdString());
        m_layout.WriteSlotValue(kComboPrefixesKey, slot,
                                view.Console()->HelperPrefixesText().toStdString());
        m_layout.WriteSlotValue(kInterceptsKey, slot, ChatText::FormatIntercepts(view.Routing()));
    }
    m_layout.Close(frame);
}

void CExtraConsoles::StoreAll(const CKordane2Doc& doc) {
    for (CConsoleSubView* view : ConsolesOf(doc)) Store(*view);
}

std::vector<CConsoleSubView*> CExtraConsoles::ConsolesOf(const CKordane2Doc& doc) const {
    std::vector<CConsoleSubView*> views;
    for (QMdiSubWindow* window : m_mdi->subWindowList()) {
        auto* view = qobject_cast<CConsoleSubView*>(window->widget());
        if (view && &view->Doc() == &doc) views.push_back(view);
    }
    return views;
}

void CExtraConsoles::CustomizeActive() {
    QMdiSubWindow* active = m_mdi->activeSubWindow();
    auto* view = active ? qobject_cast<CConsoleSubView*>(active->widget()) : nullptr;
    if (!view) {
        QMessageBox box(QMessageBox::Information, QStringLiteral("Kordane 2"),
                        QString::fromLatin1(kNotAConsole), QMessageBox::Ok, m_dialogParent);
        box.setTextFormat(Qt::PlainText);
        box.exec();
        return;
    }
    ConsoleCustomization values;
    values.routing = view->Routing();
    values.channels = view->ChannelsText();
    values.title = view->Title();
    values.helperTexts = view->Console()->HelperTextsText();
    values.helperPrefixes = view->Console()->HelperPrefixesText();
    CCustomizeConsoleDlg dialog(values, m_dialogParent);
    if (dialog.exec() != QDialog::Accepted) return;
    Customize(*view, dialog);
}

void CExtraConsoles::Customize(CConsoleSubView& view, const CCustomizeConsoleDlg& answers) {
    const ConsoleCustomization values = answers.Values();
    for (int i = 0; i < 3; ++i) {
        view.SetRouting(static_cast<CConsoleSubView::RouteFlag>(i), values.routing[size_t(i)]);
    }
    if (values.title != view.Title()) {
        view.SetTitle(values.title);
        const std::string& handle = view.Doc().Values().ownHandle;
        if (!handle.empty()) {
            view.SetFrameTitle(values.title + QStringLiteral(" - ") +
                               QString::fromStdString(handle));
        }
    }
    bool routingChanged = false;
    if (values.channels != view.ChannelsText()) {
        view.SetChannelsText(values.channels);
        routingChanged = true;
    }
    if (answers.HelpersChanged()) {
        view.Console()->SetHelperTexts(values.helperTexts);
        view.Console()->SetHelperPrefixes(values.helperPrefixes);
    }
    if (!routingChanged) return;
    // One console at a time owns a channel or a class of shouts.
    for (CConsoleSubView* other : ConsolesOf(view.Doc())) other->YieldRoutingTo(view);
}
