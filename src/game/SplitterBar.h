// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <QWidget>

class QRubberBand;

// The bar between a game window's board area and its console. Dragging it
// shows where it will go; on release the position is clamped between the
// limits the view set, and the view hears the new boundary.
class CSplitterBar : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kThickness = 4;

    explicit CSplitterBar(QWidget* parent = nullptr);

    // Top of the upper pane and bottom of the lower pane, in the parent's
    // coordinates.
    void SetLimits(int top, int bottom);
    // Centres the bar on the boundary y across the given width.
    void PlaceAt(int y, int width);
    bool Dragging() const { return m_dragging; }

  signals:
    // The user dropped the bar: the new height of the upper pane.
    void moved(int upperHeight);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    int Clamp(int y) const;

    int m_top = 0;
    int m_bottom = 0;
    bool m_dragging = false;
    QRubberBand* m_band = nullptr;
};
