// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "game/GameMenu.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "game/GameCommands.h"
#include "game/GamePrinter.h"
#include "game/GameView.h"

CGameMenu::CGameMenu(QMenu* menu, QMdiArea* area, QPrinter& printer)
    : QObject(menu), m_area(area), m_printer(printer) {
    QAction* first = menu->actions().isEmpty() ? nullptr : menu->actions().front();
    const auto add = [&](const char* text, auto run) {
        auto* action = new QAction(QString::fromLatin1(text), menu);
        menu->insertAction(first, action);
        connect(action, &QAction::triggered, this, [this, run] {
            if (CGameView* view = ActiveGame()) run(*view);
        });
        return action;
    };
    m_flip = add("&Flip", [](CGameView& view) { view.Commands().Flip(); });
    m_save = add("Save &PGN...", [](CGameView& view) { view.Commands().SavePgn(); });
    m_back = add("&Back to Shown Position", [](CGameView& view) { view.Commands().BackToShown(); });
    m_back->setShortcut(QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_S));
    m_print = add("P&rint Game...", [this](CGameView& view) {
        QPrintDialog dialog(&m_printer, &view);
        if (dialog.exec() == QDialog::Accepted) CGamePrinter::Print(view, m_printer);
    });
    m_preview = add("Print Pre&view", [this](CGameView& view) {
        QPrintPreviewDialog dialog(&m_printer, &view);
        connect(&dialog, &QPrintPreviewDialog::paintRequested, &view,
                [&view](QPrinter* target) { CGamePrinter::Print(view, *target); });
        dialog.exec();
    });
    menu->insertSeparator(first);
    connect(menu, &QMenu::aboutToShow, this, &CGameMenu::Update);
    connect(area, &QMdiArea::subWindowActivated, this, &CGameMenu::Update);
    Update();
}

CGameView* CGameMenu::ActiveGame() const {
    QMdiSubWindow* active = m_area->activeSubWindow();
    return active ? qobject_cast<CGameView*>(active->widget()) : nullptr;
}

void CGameMenu::Update() {
    const bool game = ActiveGame() != nullptr;
    for (QAction* action : {m_flip, m_save, m_back, m_print, m_preview}) action->setEnabled(game);
}
