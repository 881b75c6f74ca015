// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "app/ShellMenus.h"

#include <QAction>
#include <QMenu>

#include "app/SoundPlayer.h"
#include "app/SoundsDialog.h"
#include "app/TipDialog.h"

CShellMenus::CShellMenus(QMenu* options, QMenu* help, CSoundPlayer& player, CProfile& profile,
                         QWidget* dialogParent)
    : QObject(options), m_player(player), m_profile(profile), m_dialogParent(dialogParent) {
    m_sounds = options->addAction(QStringLiteral("&Sounds"));
    m_sounds->setCheckable(true);
    connect(m_sounds, &QAction::toggled, this, [this](bool on) { m_player.SetEnabled(on); });
    m_bellOnly = options->addAction(QStringLiteral("S&ystem Bell Only"));
    m_bellOnly->setCheckable(true);
    connect(m_bellOnly, &QAction::toggled, this, [this](bool on) { m_player.SetBellOnly(on); });
    options->addAction(QStringLiteral("Customize Soun&ds..."), this, [this] {
        CSoundsDialog dialog(m_player, m_dialogParent);
        dialog.exec();
    });
    // The flags can change under the menu (settings loaded, another item).
    connect(options, &QMenu::aboutToShow, this, &CShellMenus::UpdateChecks);
    UpdateChecks();

    auto* tip = new QAction(QStringLiteral("&Tip of the Day..."), help);
    connect(tip, &QAction::triggered, this, [this] {
        CTipDialog dialog(m_profile, m_dialogParent);
        dialog.exec();
    });
    const QList<QAction*> existing = help->actions();
    help->insertAction(existing.isEmpty() ? nullptr : existing.front(), tip);
}

void CShellMenus::UpdateChecks() {
    const QSignalBlocker quietSounds(m_sounds);
    const QSignalBlocker quietBell(m_bellOnly);
    m_sounds->setChecked(m_player.Enabled());
    m_bellOnly->setChecked(m_player.BellOnly());
}
