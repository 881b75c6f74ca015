// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "app/ServerDialogs.h"

#include <QMessageBox>

#include "app/MainFrame.h"
#include "console/ConsoleView.h"
#include "dialogs/ServerDialogSlot.h"

void CServerDialogs::Attach(CConsoleView& view) {
    auto warn = [&view](const QString& text) {
        // Opened, not run: the connection keeps reading while it is up.
        auto* box =
            new QMessageBox(QMessageBox::Critical, QString::fromLatin1(CMainFrame::kAppTitle), text,
                            QMessageBox::Ok, &view);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    };
    auto send = [&view](const std::string& line) { view.SendCommandLine(line, false); };
    auto* slot = new CServerDialogSlot(&view, warn, send);
    view.Host().SetServerDialogHandler(
        [slot](const CServerMessage& message) { slot->Receive(message); });
}
