// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QObject>
#include <functional>

#include "app/OfferCommands.h"

class CConnectionMenus;
class CKordane2Doc;
class QWidget;

// The game-offer and server-variable commands of the "&Game" menu, as the
// main frame sees them: each dialog opens for the active connection, filled
// from what the server last reported, and on OK sends what OfferCommands
// makes of the user's choices. "&Rematch" and "R&esume" send their command at
// once. The person popup's "&Match" and the seek graph's "seek" button reach
// the same dialogs through their connection (Attach).
class COfferDialogs : public QObject {
    Q_OBJECT
  public:
    COfferDialogs(CConnectionMenus& menus, std::function<CKordane2Doc*()> activeDoc,
                  QWidget* parent);

    // Listens to the connection's requests for the Match and Seek dialogs.
    void Attach(CKordane2Doc& doc);

    void OpenSeek(CKordane2Doc& doc);
    void OpenMatch(CKordane2Doc& doc);
    void OpenFormula(CKordane2Doc& doc);
    void OpenVariables(CKordane2Doc& doc);
    void OpenNotes(CKordane2Doc& doc);
    void OpenQuestion(CKordane2Doc& doc);

    // Echoes and sends each line, then shows the warning, if any.
    static void Send(CKordane2Doc& doc, const OfferCommands::Outcome& outcome);

  private:
    // Hooks the menu item `text` to `open` for the active connection.
    void HookItem(const char* text, void (COfferDialogs::*open)(CKordane2Doc&),
                  std::function<bool(CKordane2Doc&)> enabled = {});
    // Shows `dialog` for `doc`; `accepted` runs on OK while the connection
    // still exists. The dialog goes when it closes or when the connection does.
    void Show(CKordane2Doc& doc, class QDialog* dialog, std::function<void()> accepted);

    CConnectionMenus& m_menus;
    std::function<CKordane2Doc*()> m_activeDoc;
    QWidget* m_parent;
};
