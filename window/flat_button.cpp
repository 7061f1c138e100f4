// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/flat_button.h"

#include <QPainter>
#include <QPainterPath>

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
    painter.setPen(light);
    painter.drawLine(face.topLeft(), face.topRight() - QPoint(1, 0));
    painter.drawLine(face.topLeft(), face.bottomLeft() - QPoint(0, 1));
    painter.setPen(dark);
    painter.drawLine(face.bottomLeft(), face.bottomRight());
    painter.drawLine(face.topRight(), face.bottomRight());

    QRect textArea = face.adjusted(2, 2, -2, -2);
    if (down)
        textArea.translate(1, 1);
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(textArea, Qt::AlignCenter, text());

    // A solid frame two pixels wide inside the edge, in the text's colour: plain
    // on any face colour, where a style's dotted focus rectangle is faint.
    if (hasFocus()) {
        QPainterPath frame;
        frame.addRect(face.adjusted(2, 2, -2, -2));
        frame.addRect(face.adjusted(4, 4, -4, -4));
        painter.fillPath(frame, palette().color(QPalette::ButtonText));
    }
}

} // namespace window
