// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/digit_box.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

namespace window {
namespace {

// A finger lifts and presses a mouse button again in some 50 ms at the very
// fastest; the registry's clicks come a few milliseconds apart.
constexpr quint64 kSameMousePressMs = 30;
// Orca's mouse clicks and its press action reach the window within a few
// milliseconds of each other, in either order, some tens on a loaded machine; no
// one presses a box with the mouse and through the screen reader, or presses
// Orca's click key twice, within a tenth of a second.
constexpr qint64 kSamePressBothWaysMs = 100;

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
}

void DigitBox::pressFromScreenReader() {
    const bool copy = Within(sinceMousePress_, kSamePressBothWaysMs);
    sincePressAction_.start();
    if (!copy)
        click();
}

// The digit alone on the box's ground, as a label draws its text.
void DigitBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    style()->drawItemText(&painter, rect(), Qt::AlignCenter, palette(), isEnabled(), text(),
                          foregroundRole());
}

void DigitBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const bool copy = (released_ && event->timestamp() - lastRelease_ < kSameMousePressMs) ||
                          Within(sincePressAction_, kSamePressBothWaysMs);
        sinceMousePress_.start();
        if (copy) {
            event->accept();
            return;
        }
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
