// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/frame_style.h"

#include "window/device_grid.h"

#include <QStyleOption>

namespace window {

void FrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                               QPainter* painter, const QWidget* widget) const {
    if (element != PE_Frame) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // The colour Fusion gives the line: its outline colour, a little lighter.
    const QColor line = option->palette.window().color().darker(140).lighter(108);
    DeviceGrid(*painter, option->rect).fillRing(0, 1, line);
}

} // namespace window
