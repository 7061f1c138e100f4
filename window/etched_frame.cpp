// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/etched_frame.h"

#include <QPainter>

namespace window {

void EtchedFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int top = metrics.height() / 2;
    const QRect line(0, top, width() - 2, height() - top - 2);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(line);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(line.translated(1, 1));

    if (title().isEmpty())
        return;
    const int indent = metrics.averageCharWidth();
    QRect caption(indent, 0, metrics.horizontalAdvance(title()) + indent, metrics.height());
    painter.fillRect(caption, palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption, Qt::AlignCenter, title());
}

} // namespace window
