// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/device_grid.h"

#include <QColor>
#include <QPainter>

namespace window {

DeviceGrid::DeviceGrid(QPainter& painter, const QRect& logical)
    : painter_(painter), logicalTransform_(painter.worldTransform()),
      // Rounded as Qt rounds a widget's own rectangle onto the device.
      device_(painter.deviceTransform().mapRect(logical)), scaleX_(painter.deviceTransform().m11()),
      scaleY_(painter.deviceTransform().m22()) {
    painter_.setWorldTransform(painter.deviceTransform().inverted(), true);
}

DeviceGrid::~DeviceGrid() {
    painter_.setWorldTransform(logicalTransform_);
}

int DeviceGrid::left(int pixels) const {
    return device_.left() + qRound(pixels * scaleX_);
}
int DeviceGrid::top(int pixels) const {
    return device_.top() + qRound(pixels * scaleY_);
}
int DeviceGrid::right(int pixels) const {
    return device_.left() + device_.width() - qRound(pixels * scaleX_);
}
int DeviceGrid::bottom(int pixels) const {
    return device_.top() + device_.height() - qRound(pixels * scaleY_);
}

void DeviceGrid::fill(int x0, int y0, int x1, int y1, const QColor& colour) {
    painter_.fillRect(QRect(QPoint(x0, y0), QPoint(x1 - 1, y1 - 1)), colour);
}

void DeviceGrid::fillRing(int inset, int width, const QColor& colour) {
    const int outer = inset, inner = inset + width;
    fill(left(outer), top(outer), right(outer), top(inner), colour);
    fill(left(outer), bottom(inner), right(outer), bottom(outer), colour);
    fill(left(outer), top(inner), left(inner), bottom(inner), colour);
    fill(right(inner), top(inner), right(outer), bottom(inner), colour);
}

} // namespace window
