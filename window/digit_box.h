// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QElapsedTimer>

namespace window {

// One box of the row: a flat button showing its digit, that takes no focus. Both
// presses of a double click count, as QAbstractButton counts them.
//
// A screen reader may press it several ways at once: Orca's click from flat
// review sends two mouse clicks through the accessibility registry and then the
// press action, all within a few milliseconds. They count as the one press they
// are: a mouse press that follows the last release sooner than a finger can
// press again is that press repeated, and the press action and a mouse click
// close together are one press reaching the box twice.
class DigitBox : public QAbstractButton {
    Q_OBJECT

public:
    DigitBox(const QString& digit, int place, QWidget* parent);

    // Its place in the row, from 0.
    int place() const { return place_; }

    // A press through the accessibility interface.
    void pressFromScreenReader();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int place_;
    bool released_ = false;
    quint64 lastRelease_ = 0; // the event's timestamp, in milliseconds
    QElapsedTimer sinceClick_;
    QElapsedTimer sinceScreenReaderPress_;
};

} // namespace window
