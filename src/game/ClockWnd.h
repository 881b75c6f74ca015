// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QFont>
#include <QImage>
#include <QString>
#include <QWidget>
#include <cstdint>

class CGameShared;

// One side's clock ("WhiteClock", "BlackClock"): the remaining time the
// server last reported, counted down locally between reports. The shared
// 55 ms timer ticks every running clock; a tick repaints only when the text
// shown would change.
class CClockWnd : public QWidget {
    Q_OBJECT
  public:
    CClockWnd(CGameShared& shared, const QString& name, QWidget* parent = nullptr);
    ~CClockWnd() override;

    void Set(int32_t ms, bool run);
    void Stop();
    void AddSeconds(int seconds);
    void Resume();
    void Tick();
    void SetActive(bool active);
    void SetBlank(bool blank);
    void SetFullErase();
    bool Running() const { return m_running; }
    bool Active() const { return m_active; }
    bool Blank() const { return m_blank; }
    // Remaining milliseconds now (a running clock counted down to now).
    int32_t RemainingNow() const;
    // The text a paint now would show, e.g. " 0:09.9    ".
    QString Text() const;
    // Paints that actually drew (for tests and benchmarks of the tick rule).
    int DrawCount() const { return m_drawCount; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    // What one paint would show, and the fields that decide whether a tick
    // needs to draw it.
    struct Face {
        QString text;
        bool tenths = false;
        int minuteDigits = 1;
        int value = 0;
    };
    Face ComputeFace() const;
    // A tick's paint would draw the same text over itself.
    bool Unchanged(const Face& face) const;
    // Milliseconds on one monotonic clock shared by all clocks.
    static int64_t Now();
    // The characters a clock can show, drawn once per font and colour pair:
    // a tick's paint is then a row of small copies instead of text layout.
    const QImage& Glyphs(bool active);

    CGameShared& m_shared;
    bool m_blank = false;
    bool m_active = false;
    bool m_running = false;
    int32_t m_remaining = 300000;
    int32_t m_lastSet = 300000;
    int m_drawCount = 0;
    int64_t m_startTick = 0;
    bool m_shownTenths = false;
    int m_shownMinuteDigits = -1;
    bool m_fullErase = true;
    bool m_tickPaint = false;
    int m_shownValue = -1;
    bool m_shownRunning = true;
    QFont m_font;
    QImage m_glyphs[2];
    QRgb m_glyphColors[2][2] = {};
    int m_glyphWidth = 0;
    int m_glyphHeight = 0;
};
