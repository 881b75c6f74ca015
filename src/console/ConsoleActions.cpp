// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "console/ConsoleActions.h"

#include "console/ConsoleSubView.h"
#include "console/ConsoleView.h"
#include "console/ConsoleWnd.h"
#include "net/qt/Kordane2Doc.h"

CPersonMenu::Targets CConsoleActions::Targets(CKordane2Doc& doc, Send send) {
    CPersonMenu::Targets targets;
    targets.send = std::move(send);
    targets.openTemporaryConsole = [&doc]() -> CConsoleSubView* {
        CConsoleView* main = CConsoleView::Of(doc);
        return main ? main->OpenTemporaryConsole() : nullptr;
    };
    targets.match = [&doc](const QString& name) { doc.RequestMatch(name.toStdString()); };
    return targets;
}

void CConsoleActions::Connect(CConsoleWnd& console, CKordane2Doc& doc, Send send) {
    const CPersonMenu::Targets targets = Targets(doc, std::move(send));
    // F9 answers whoever told the user last, whichever console heard it.
    console.SetLastTellerSource([&doc] { return QString::fromStdString(doc.Values().lastTeller); });
    QObject::connect(&console, &CConsoleWnd::commandRequested, &console,
                     [targets](const QString& line, bool newConsole) {
                         const std::string text = line.toStdString();
                         CConsoleSubView* temporary =
                             newConsole ? targets.openTemporaryConsole() : nullptr;
                         if (temporary) {
                             temporary->SendTagged(text);
                         } else {
                             targets.send(text);
                         }
                     });
    QObject::connect(&console, &CConsoleWnd::urlRequested, &console, [&doc](const QString& url) {
        if (CConsoleView* main = CConsoleView::Of(doc)) main->Host().OpenUrl(url.toStdString());
    });
    QObject::connect(&console, &CConsoleWnd::nameSelected, &console,
                     [&doc](const QString& name) { doc.SetSelectedName(name); });
    QObject::connect(&console, &CConsoleWnd::personCommandChosen, &console,
                     [targets](int id, const QString& name, bool newConsole) {
                         CPersonMenu::Run(id, name, newConsole, targets);
                     });
}
