// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace window {

// A label that reports a click: a left press and release on the same label. The
// second press of a double click counts as a press, so a quick double click is
// two clicks.
class ClickableLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

    // Reports a click as a mouse click would, for keyboardless activation.
    void click() { emit clicked(); }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

} // namespace window
