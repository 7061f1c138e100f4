// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/flat_button.h"

#include "window/device_grid.h"

#include <QPainter>

namespace window {

FlatButton::FlatButton(const QString& text, const QColor& back, QWidget* parent)
    : QPushButton(text, parent), back_(back) {
    // Enter activates the button that has the focus, as Space does.
    setAutoDefault(true);
}

void FlatButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect face = rect();
    painter.fillRect(face, back_);

    const bool down = isDown();
    const QColor light = down ? QColor(Qt::darkGray) : QColor(Qt::white);
    const QColor dark = down ? QColor(Qt::white) : QColor(Qt::black);
    {
        // One pixel wide: light along the top and left, dark along the bottom and
        // right, which run the full length.
        DeviceGrid grid(painter, face);
        grid.fill(grid.left(0), grid.top(0), grid.right(1), grid.top(1), light);
        grid.fill(grid.left(0), grid.top(0), grid.left(1), grid.bottom(1), light);
        grid.fill(grid.left(0), grid.bottom(1), grid.right(0), grid.bottom(0), dark);
        grid.fill(grid.right(1), grid.top(0), grid.right(0), grid.bottom(0), dark);
    }

    QRect textArea = face.adjusted(2, 2, -2, -2);
    if (down)
        textArea.translate(1, 1);
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(textArea, Qt::AlignCenter, text());

    // A solid frame two pixels wide inside the edge, in the text's colour: plain
    // on any face colour, where a style's dotted focus rectangle is faint.
    if (hasFocus())
        DeviceGrid(painter, face).fillRing(2, 2, palette().color(QPalette::ButtonText));
}

} // namespace window
