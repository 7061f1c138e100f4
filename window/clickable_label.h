// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QLabel>

namespace window {

// A label that reports a click: a left press and release on the same label. The
// second press of a double click counts as a press, so a quick double click is
// two clicks.
//
// A screen reader may press it several ways at once: Orca's click from flat
// review sends two mouse clicks through the accessibility registry and then the
// press action, and all of them arrive within a few milliseconds. They count as
// the one press they are: a mouse press that follows the last release sooner
// than a finger can press again is that press repeated, and the press action and
// a mouse click close together are one press reaching the label twice.
class ClickableLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

    // A press through the accessibility interface.
    void pressFromScreenReader();

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
    bool released_ = false;
    quint64 lastRelease_ = 0; // the event's timestamp, in milliseconds
    QElapsedTimer sinceMouseClick_;
    QElapsedTimer sinceScreenReaderPress_;
};

} // namespace window
