// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "game/ClockWnd.h"

#include <QElapsedTimer>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "game/GameShared.h"

namespace {
const QString kClockChars = QStringLiteral(" -:.0123456789");
}  // namespace

CClockWnd::CClockWnd(CGameShared& shared, const QString& name, QWidget* parent)
    : QWidget(parent), m_shared(shared), m_startTick(Now()) {
    setObjectName(name);
    // Tick paints that would draw the same text leave the old pixels alone,
    // so Qt must not clear the widget before painting.
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_font.setFamily(QStringLiteral("Courier New"));
    m_font.setBold(true);
    m_shared.AddClock(this);
}

CClockWnd::~CClockWnd() {
    m_shared.RemoveClock(this);
}

int64_t CClockWnd::Now() {
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock.elapsed();
}

void CClockWnd::Set(int32_t ms, bool run) {
    m_startTick = Now();
    m_remaining = ms;
    m_lastSet = ms;
    m_running = run;
    update();
}

void CClockWnd::Stop() {
    if (m_running) {
        const int32_t now = RemainingNow();
        m_running = false;
        m_lastSet = m_remaining;
        m_remaining = now;
    }
    update();
}

void CClockWnd::AddSeconds(int seconds) {
    const bool wasRunning = m_running;
    Stop();
    const int64_t ms = static_cast<int64_t>(m_remaining) + static_cast<int64_t>(seconds) * 1000;
    Set(static_cast<int32_t>(std::clamp<int64_t>(ms, INT32_MIN, INT32_MAX)), wasRunning);
}

void CClockWnd::Resume() {
    // startTick stays: the clock runs on as if the last Set had never been
    // interrupted, which is what a refused move needs.
    m_running = true;
    m_remaining = m_lastSet;
    update();
}

void CClockWnd::Tick() {
    if (m_blank) return;
    // Skipping the repaint request outright when nothing would change saves
    // the paint event itself; the paint keeps the same test for ticks that
    // were coalesced with other updates.
    if (!m_fullErase && Unchanged(ComputeFace())) return;
    m_tickPaint = true;
    update();
}

void CClockWnd::SetActive(bool active) {
    m_active = active;
    update();
}

void CClockWnd::SetBlank(bool blank) {
    m_blank = blank;
    update();
}

void CClockWnd::SetFullErase() {
    m_fullErase = true;
    update();
}

int32_t CClockWnd::RemainingNow() const {
    if (!m_running) return m_remaining;
    const int64_t t = static_cast<int64_t>(m_remaining) + m_startTick - Now();
    return static_cast<int32_t>(std::clamp<int64_t>(t, INT32_MIN, INT32_MAX));
}

CClockWnd::Face CClockWnd::ComputeFace() const {
    Face face;
    if (m_blank) {
        face.text = QStringLiteral(" -:--     ");
        return face;
    }
    const int64_t t = RemainingNow();
    const bool negative = t < 0;
    const int64_t a = std::llabs(t);
    const int64_t minutes = a / 60000;
    const int seconds = static_cast<int>(a / 1000 - 60 * minutes);
    const int tenth = static_cast<int>((a % 1000) / 100);
    const CBoardOptions& options = m_shared.Options();
    face.tenths = options.showTenthsAlways || (options.showTenthsWhenLow && !negative && t < 10000);
    face.minuteDigits = minutes < 10 ? 1 : minutes < 100 ? 2 : 3;
    face.value = seconds * 10 + (face.tenths ? tenth : 0);
    if (negative) face.value = -face.value;
    char buffer[48];
    const char sign = negative ? '-' : ' ';
    if (face.tenths)
        std::snprintf(buffer, sizeof buffer, "%c%lld:%.2d.%d    ", sign,
                      static_cast<long long>(minutes), seconds, tenth);
    else
        std::snprintf(buffer, sizeof buffer, "%c%lld:%.2d    ", sign,
                      static_cast<long long>(minutes), seconds);
    face.text = QString::fromLatin1(buffer);
    return face;
}

bool CClockWnd::Unchanged(const Face& face) const {
    return m_running == m_shownRunning && face.value == m_shownValue &&
           face.tenths == m_shownTenths && face.minuteDigits == m_shownMinuteDigits;
}

QString CClockWnd::Text() const {
    return ComputeFace().text;
}

void CClockWnd::paintEvent(QPaintEvent* event) {
    const Face face = ComputeFace();
    if (!m_blank) {
        if (face.tenths != m_shownTenths || face.minuteDigits != m_shownMinuteDigits)
            m_fullErase = true;
        if (m_tickPaint && !m_fullErase && Unchanged(face)) {
            m_tickPaint = false;
            return;
        }
        m_shownTenths = face.tenths;
        m_shownMinuteDigits = face.minuteDigits;
        m_shownValue = face.value;
        m_shownRunning = m_running;
    }
    const bool tick = m_tickPaint;
    m_tickPaint = false;
    ++m_drawCount;

    QPainter painter(this);
    const QImage& glyphs = Glyphs(m_active);
    const int y = (height() - m_glyphHeight) / 2;
    const QRect cells(0, y, m_glyphWidth * static_cast<int>(face.text.size()), m_glyphHeight);
    if (m_fullErase) {
        painter.fillRect(rect(), palette().color(QPalette::Window));
        m_fullErase = false;
    } else if (!tick) {
        // Exposes and grabs may start from a blank surface; the text cells
        // below cover the rest, so this erases nothing that is shown.
        for (const QRect& r : event->region().subtracted(cells))
            painter.fillRect(r, palette().color(QPalette::Window));
    }
    // Opaque cells as wide as the text: the trailing spaces cover what a
    // longer text left behind.
    int x = 0;
    for (QChar c : face.text) {
        const int at = static_cast<int>(std::max<qsizetype>(kClockChars.indexOf(c), 0));
        painter.drawImage(QPoint(x, y), glyphs,
                          QRect(at * m_glyphWidth, 0, m_glyphWidth, m_glyphHeight));
        x += m_glyphWidth;
    }
}

const QImage& CClockWnd::Glyphs(bool active) {
    const QPalette& pal = palette();
    const QRgb background =
        (active ? pal.color(QPalette::Highlight) : pal.color(QPalette::Window)).rgb();
    const QRgb foreground =
        (active ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::WindowText)).rgb();
    QImage& strip = m_glyphs[active ? 1 : 0];
    QRgb* colors = m_glyphColors[active ? 1 : 0];
    if (!strip.isNull() && colors[0] == background && colors[1] == foreground) return strip;
    colors[0] = background;
    colors[1] = foreground;
    const QFontMetrics metrics(m_font);
    // One cell width for every character keeps the text where a fixed-pitch
    // font puts it even when a proportional font stands in for it.
    m_glyphWidth = 1;
    for (QChar c : kClockChars) m_glyphWidth = std::max(m_glyphWidth, metrics.horizontalAdvance(c));
    m_glyphHeight = std::max(1, metrics.height());
    const qreal ratio = devicePixelRatioF();
    const int count = static_cast<int>(kClockChars.size());
    strip = QImage(QSize(m_glyphWidth * count, m_glyphHeight) * ratio, QImage::Format_RGB32);
    strip.setDevicePixelRatio(ratio);
    strip.fill(background);
    QPainter painter(&strip);
    painter.setFont(m_font);
    painter.setPen(QColor(foreground));
    for (int i = 0; i < count; ++i)
        painter.drawText(QRect(i * m_glyphWidth, 0, m_glyphWidth, m_glyphHeight),
                         Qt::AlignCenter | Qt::TextSingleLine, QString(kClockChars[i]));
    return strip;
}

void CClockWnd::resizeEvent(QResizeEvent*) {
    m_font.setPixelSize(std::max(1, height() - 2));
    m_glyphs[0] = QImage();
    m_glyphs[1] = QImage();
    // Qt keeps no old pixels for the grown part of a resized opaque widget.
    m_fullErase = true;
}
