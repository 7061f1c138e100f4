// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QElapsedTimer>

namespace window {

// One box of the row: a flat button showing its digit, that takes no focus. Every
// press counts: each mouse click (both of a double click, as QAbstractButton
// counts them) and each press through the accessibility interface.
//
// Only a screen reader's one press that reaches the box several ways counts once:
// Orca's click from flat review sends two mouse clicks through the accessibility
// registry and then the press action, all within a few milliseconds. A mouse press
// that follows the last release sooner than a finger can press again is that
// press repeated, and a press action and a mouse press that close together are
// one press reaching the box twice. Two press actions are always two presses.
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
    // Since the last left mouse press and the last press action, counted or not.
    QElapsedTimer sinceMousePress_;
    QElapsedTimer sincePressAction_;
};

} // namespace window
