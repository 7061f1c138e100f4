// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QTransform>

class QColor;
class QPainter;

namespace window {

// Lines a pixel wide at 96 dpi, painted on a scaled screen as whole device
// pixels: with the scale rounded the same way on every side, a rectangle's
// edges and marks stay where they are at 1x, only larger, and its far edges end
// on the last device pixel the widget covers. Logical lines at a fractional scale
// come out a device pixel thin instead, leaving a line of what lies beneath.
// While it lives, the painter paints in device pixels.
class DeviceGrid {
public:
    // `logical` is the rectangle, in the painter's logical pixels.
    DeviceGrid(QPainter& painter, const QRect& logical);
    ~DeviceGrid();
    DeviceGrid(const DeviceGrid&) = delete;
    DeviceGrid& operator=(const DeviceGrid&) = delete;

    // Device positions `pixels` logical pixels inside the rectangle's left, top,
    // right and bottom side (outside it where negative).
    int left(int pixels) const;
    int top(int pixels) const;
    int right(int pixels) const;
    int bottom(int pixels) const;

    // Fills from (x0, y0) up to, not including, (x1, y1), in device pixels.
    void fill(int x0, int y0, int x1, int y1, const QColor& colour);
    // Fills the band from `inset` to `inset + width` logical pixels inside the sides.
    void fillRing(int inset, int width, const QColor& colour);

private:
    QPainter& painter_;
    QTransform logicalTransform_;
    QRect device_;
    qreal scaleX_;
    qreal scaleY_;
};

} // namespace window
