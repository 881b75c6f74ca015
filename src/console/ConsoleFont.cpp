// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "console/ConsoleFont.h"

#include <QApplication>
#include <QFontInfo>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace {

constexpr int kFixedPitch = 1;
constexpr int kFamilyModern = 0x30;

double LogicalDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    return dpi > 0 ? dpi : 96.0;
}

}  // namespace

namespace ConsoleFont {

QFont FromLogFont(const CTextStyles::LogFont& logFont) {
    QFont font(QString::fromStdString(logFont.faceName));
    if (logFont.height != 0) {
        font.setPointSizeF(std::abs(static_cast<double>(logFont.height)) * 72.0 / LogicalDpi());
    }
    if (logFont.weight > 0)
        font.setWeight(static_cast<QFont::Weight>(qBound(1L, logFont.weight, 1000L)));
    font.setItalic(logFont.italic != 0);
    font.setUnderline(logFont.underline != 0);
    font.setStrikeOut(logFont.strikeOut != 0);
    // Old face names such as "Fixedsys" do not exist here; a fixed-pitch
    // request should still end in a fixed-pitch font.
    if ((logFont.pitchAndFamily & 3) == kFixedPitch ||
        (logFont.pitchAndFamily & 0xf0) == kFamilyModern) {
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
    }
    return font;
}

CTextStyles::LogFont ToLogFont(const QFont& font) {
    CTextStyles::LogFont logFont;
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : 10.0;
    logFont.height = -std::lround(points * LogicalDpi() / 72.0);
    logFont.weight = font.weight();
    logFont.italic = font.italic() ? 1 : 0;
    logFont.underline = font.underline() ? 1 : 0;
    logFont.strikeOut = font.strikeOut() ? 1 : 0;
    logFont.pitchAndFamily = QFontInfo(font).fixedPitch() ? kFixedPitch | kFamilyModern : 0;
    logFont.faceName = font.family().toStdString().substr(0, CTextStyles::kFaceNameMax);
    return logFont;
}

QFont For(const CTextStyles& styles) {
    if (styles.Font()) return FromLogFont(*styles.Font());
    return QApplication::font("QStatusBar");
}

}  // namespace ConsoleFont
