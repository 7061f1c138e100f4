// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/digit_box.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

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

DigitBox::DigitBox(const QString& digit, int place, QWidget* parent)
    : QAbstractButton(parent), place_(place) {
    setText(digit);
    setFocusPolicy(Qt::NoFocus);
    // Drawn in the colours of the window's labels, not a button's.
    setBackgroundRole(QPalette::Window);
    setForegroundRole(QPalette::WindowText);
    connect(this, &QAbstractButton::clicked, this, [this] { sinceClick_.start(); });
}

void DigitBox::pressFromScreenReader() {
    if (Within(sinceClick_, kSameScreenReaderPressMs))
        return;
    sinceScreenReaderPress_.start();
    click();
}

// The digit alone on the box's ground, as a label draws its text.
void DigitBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    style()->drawItemText(&painter, rect(), Qt::AlignCenter, palette(), isEnabled(), text(),
                          foregroundRole());
}

void DigitBox::mousePressEvent(QMouseEvent* event) {
    const bool repeated = released_ && event->timestamp() - lastRelease_ < kSamePressMs;
    if (event->button() == Qt::LeftButton &&
        (repeated || Within(sinceScreenReaderPress_, kSameScreenReaderPressMs))) {
        event->accept();
        return;
    }
    QAbstractButton::mousePressEvent(event);
}

void DigitBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        released_ = true;
        lastRelease_ = event->timestamp();
    }
    QAbstractButton::mouseReleaseEvent(event);
}

} // namespace window
