// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace window {

// Tells a listening screen reader what a click changed, whatever has the focus:
// the counter a check raised, that a new row was dealt, a box's new digit. Orca
// speaks a notification when it shows, so the message is the name of a
// notification that takes no room, below the window's bottom edge, and shows
// again for each message.
class Announcer : public QWidget {
    Q_OBJECT

public:
    explicit Announcer(QWidget& form);

    void say(const QString& message);
};

} // namespace window
