// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/clickable_label.h"

#include <QMouseEvent>

namespace window {

void ClickableLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        pressed_ = true;
    event->accept();
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_)
        return;
    pressed_ = false;
    // The press grabbed the mouse, so a release over another box still comes here.
    if (rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace window
