// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/clickable_label.h"

#include <QMouseEvent>

namespace window {
namespace {

// A finger lifts and presses a mouse button again in some 50 ms at the very
// fastest; the registry's clicks come a millisecond apart.
constexpr quint64 kSamePressMs = 15;
// Orca's mouse clicks and its press action reach the window within a few
// milliseconds of each other; no one presses a box with the mouse and through
// the screen reader within a quarter of a second.
constexpr qint64 kSameScreenReaderPressMs = 250;

bool Within(const QElapsedTimer& timer, qint64 ms) {
    return timer.isValid() && timer.elapsed() < ms;
}

} // namespace

void ClickableLabel::pressFromScreenReader() {
    const bool alreadyClicked = Within(sinceMouseClick_, kSameScreenReaderPressMs);
    sinceScreenReaderPress_.start();
    if (!alreadyClicked)
        emit clicked();
}

void ClickableLabel::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    if (released_ && event->timestamp() - lastRelease_ < kSamePressMs)
        return;
    pressed_ = true;
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    released_ = true;
    lastRelease_ = event->timestamp();
    if (!pressed_)
        return;
    pressed_ = false;
    // The press grabbed the mouse, so a release over another box still comes here.
    if (!rect().contains(event->position().toPoint()))
        return;
    const bool alreadyPressed = Within(sinceScreenReaderPress_, kSameScreenReaderPressMs);
    sinceMouseClick_.start();
    if (!alreadyPressed)
        emit clicked();
}

} // namespace window
