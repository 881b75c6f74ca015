// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QFont>

#include "net/TextStyles.h"

// The console font between the settings file's LOGFONT numbers and a QFont.
// Heights are character heights in screen pixels, as the settings file keeps
// them; the screen's logical resolution turns them into points.
namespace ConsoleFont {

QFont FromLogFont(const CTextStyles::LogFont& font);
CTextStyles::LogFont ToLogFont(const QFont& font);
// The console font of these styles; without one in the settings, the font of
// the main window's status bar.
QFont For(const CTextStyles& styles);

}  // namespace ConsoleFont
